#include "shell/win32/options_page.h"

#include "shell/win32/native_window.h"
#include "shell/win32/pictures.h"
#include "shell/win32/resource_ids.h"

#include <commctrl.h>

namespace win32 {

namespace {

enum ControlId : int {
    kAutostartCheck = 101,
    kHourlyBeepCheck,
    kTestLink,
    kApplyAutostart,
    kFiguresCheck,
    kApplyFigures
};

namespace design = core::design::options_page;

} // namespace

OptionsPage::OptionsPage(const NativeWindow& window, HWND parent, const RECT& place,
                         platform::Services& services, core::SettingsStore& settings, core::AppState& state)
    : m_window(window), m_rules(*this, services, settings, state) {
    create(parent, place);
    setAccessibleName(hwnd(), wide(design::kAccessibleName));

    // Each check box comes after its label, so that the label names it for a screen reader too.
    m_autostartCheck = option(kAutostartCheck, design::kAutostart, SS_CENTERIMAGE);
    m_hourlyBeepCheck = option(kHourlyBeepCheck, design::kHourlyBeep, SS_CENTERIMAGE);
    m_testLink =
        m_layout.add(text_link::make(hwnd(), kTestLink, wide(design::kTestText),
                                     colorref(design::kTestColour), pixels(m_window, design::kTestLink)),
                     design::kTestLink);
    setAccessibleDescription(m_testLink, wide(design::kTestDescription));
    m_applyAutostart =
        applyButton(kApplyAutostart, design::kApplyAutostart, design::kApplyAutostartDescription);
    m_figuresCheck = option(kFiguresCheck, design::kFigures, 0);
    m_applyFigures = applyButton(kApplyFigures, design::kApplyFigures, design::kApplyFiguresDescription);

    picture_button::onMouseMove(m_applyAutostart,
                                [this] { core::highlightButton(*this, core::HoverButton::ApplyAutostart); });
    picture_button::onMouseMove(m_applyFigures,
                                [this] { core::highlightButton(*this, core::HoverButton::ApplyFigures); });
    m_warningRow = std::make_unique<WarningOptionRow>(m_window, hwnd(), m_layout, services);
    setFonts();
}

HWND OptionsPage::option(int id, const core::design::options_page::Option& look, DWORD labelStyle) {
    const std::wstring text = wide(look.text);
    m_layout.add(makeControl(hwnd(), WC_STATICW, text, SS_LEFT | SS_NOPREFIX | labelStyle, 0,
                             pixels(m_window, look.label)),
                 look.label);
    HWND box =
        makeControl(hwnd(), WC_BUTTONW, L"", WS_TABSTOP | BS_AUTOCHECKBOX, id, pixels(m_window, look.box));
    setAccessibleName(box, text);
    showFocusAroundBox(box);
    return m_layout.add(box, look.box);
}

HWND OptionsPage::applyButton(int id, const Twips& place, const char* description) {
    HWND button = m_layout.add(picture_button::make(hwnd(), id, applyPicture(core::ButtonLook::Normal),
                                                    pixels(m_window, place), wide(design::kApplyName)),
                               place);
    setAccessibleDescription(button, wide(description));
    return button;
}

void OptionsPage::setFonts() {
    m_labelFont = Font(kLabelFace, kLabelPoints, m_window.dpi());
    m_linkFont = Font(kLabelFace, kLabelPoints, m_window.dpi(), false, true);
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        setFont(child, text_link::isLink(child) ? m_linkFont : m_labelFont);
    }
}

void OptionsPage::dpiChanged() {
    setFonts();
    m_layout.place(m_window);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT OptionsPage::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case kApplyAutostart:
            m_rules.applyAutostartAndBeep();
            return 0;
        case kApplyFigures:
            m_rules.applyFigures();
            return 0;
        case kTestLink:
            m_rules.testBeep();
            return 0;
        case WarningOptionRow::Apply:
            m_warningRow->apply();
            return 0;
        default:
            break;
        }
    }
    return PageSurface::handleMessage(message, wParam, lParam);
}

void OptionsPage::mouseMoved() {
    core::restoreButtons(*this, core::HoverSurface::OptionsPage);
    m_warningRow->highlight(false);
}

void OptionsPage::paint(HDC dc) {
    Pictures::shared().draw(dc, CORVANE_PICTURE_OPTIONS_STARTUP, pixels(m_window, design::kStartupPicture));
    Pictures::shared().draw(dc, CORVANE_PICTURE_OPTIONS_MONITOR, pixels(m_window, design::kMonitorPicture));
}

HWND OptionsPage::box(core::OptionBox which) const {
    switch (which) {
    case core::OptionBox::Autostart:
        return m_autostartCheck;
    case core::OptionBox::HourlyBeep:
        return m_hourlyBeepCheck;
    case core::OptionBox::Figures:
        break;
    }
    return m_figuresCheck;
}

bool OptionsPage::isChecked(core::OptionBox which) const {
    return SendMessageW(box(which), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void OptionsPage::setChecked(core::OptionBox which, bool checked) {
    SendMessageW(box(which), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionsPage::showButtonPicture(core::HoverButton button, core::ButtonLook look) {
    picture_button::setPicture(
        button == core::HoverButton::ApplyAutostart ? m_applyAutostart : m_applyFigures, applyPicture(look));
}

} // namespace win32
