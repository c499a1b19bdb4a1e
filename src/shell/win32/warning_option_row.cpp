#include "shell/win32/warning_option_row.h"

#include "core/design/options_window_design.h"
#include "core/warning_option.h"

#include <commctrl.h>

namespace win32 {

namespace design = core::design::options_page;

WarningOptionRow::WarningOptionRow(const NativeWindow& window, HWND page, TwipsLayout& layout,
                                   platform::Services& services)
    : m_services(services) {
    // The label first, so that it names the box for a screen reader too; two lines.
    layout.add(makeControl(page, WC_STATICW, wide(design::kWarning.text), SS_LEFT | SS_NOPREFIX, 0,
                           pixels(window, design::kWarning.label)),
               design::kWarning.label);
    m_check = layout.add(makeControl(page, WC_BUTTONW, L"", WS_TABSTOP | BS_AUTOCHECKBOX, Check,
                                     pixels(window, design::kWarning.box)),
                         design::kWarning.box);
    setAccessibleName(m_check, wide(design::kWarning.text));
    showFocusAroundBox(m_check);
    m_apply =
        layout.add(picture_button::make(page, Apply, applyPicture(core::ButtonLook::Normal),
                                        pixels(window, design::kApplyWarning), wide(design::kApplyName)),
                   design::kApplyWarning);
    setAccessibleDescription(m_apply, wide(design::kApplyWarningDescription));
    picture_button::onMouseMove(m_apply, [this] { highlight(true); });
}

void WarningOptionRow::load() {
    SendMessageW(m_check, BM_SETCHECK,
                 core::readWarningOption(*m_services.registry) ? BST_CHECKED : BST_UNCHECKED, 0);
}

void WarningOptionRow::apply() {
    core::storeWarningOption(*m_services.registry, SendMessageW(m_check, BM_GETCHECK, 0, 0) == BST_CHECKED);
    load();
}

void WarningOptionRow::highlight(bool highlighted) {
    picture_button::setPicture(
        m_apply, applyPicture(highlighted ? core::ButtonLook::Highlighted : core::ButtonLook::Normal));
}

} // namespace win32
