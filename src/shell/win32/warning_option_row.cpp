#include "shell/win32/warning_option_row.h"

#include "core/warning_option.h"

#include <commctrl.h>

namespace win32 {

namespace {

constexpr const wchar_t* kText =
    L"Warn a minute before the task turns off, logs off, restarts or hibernates.";
constexpr Twips kLabelPlace{1500, 2760, 3700, 510};
constexpr Twips kCheckPlace{1200, 2880, 255, 255};
constexpr Twips kApplyPlace{5310, 2820, 1200, 480};
/// The Apply pictures of the window's list.
constexpr int kApplyNormal = 3;
constexpr int kApplyHighlighted = 4;

} // namespace

WarningOptionRow::WarningOptionRow(const NativeWindow& window, HWND page, TwipsLayout& layout,
                                   platform::Services& services)
    : m_services(services) {
    // The label first, so that it names the box for a screen reader too; two lines.
    layout.add(makeControl(page, WC_STATICW, kText, SS_LEFT | SS_NOPREFIX, 0, pixels(window, kLabelPlace)),
               kLabelPlace);
    m_check = layout.add(
        makeControl(page, WC_BUTTONW, L"", WS_TABSTOP | BS_AUTOCHECKBOX, Check, pixels(window, kCheckPlace)),
        kCheckPlace);
    setAccessibleName(m_check, kText);
    showFocusAroundBox(m_check);
    m_apply = layout.add(
        picture_button::make(page, Apply, listPicture(kApplyNormal), pixels(window, kApplyPlace), L"Apply"),
        kApplyPlace);
    setAccessibleDescription(m_apply, L"Applies the warning before the task");
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
    picture_button::setPicture(m_apply, listPicture(highlighted ? kApplyHighlighted : kApplyNormal));
}

} // namespace win32
