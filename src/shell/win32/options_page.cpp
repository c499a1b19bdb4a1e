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

constexpr Twips kStartupPicture{240, 420, 840, 840};
constexpr Twips kMonitorPicture{240, 1860, 840, 840};
constexpr Twips kApplyAutostartPlace{5310, 660, 1200, 480};
constexpr Twips kApplyFiguresPlace{5310, 1980, 1200, 480};
constexpr double kCheckLeft = 1200;
constexpr double kCheckSize = 255;

} // namespace

OptionsPage::OptionsPage(const NativeWindow& window, HWND parent, const RECT& place,
                         platform::Services& services, core::SettingsStore& settings, core::AppState& state)
    : m_window(window), m_rules(*this, services, settings, state) {
    create(parent, place);
    setAccessibleName(hwnd(), L"Options page");

    // Each check box comes after its label, so that the label names it for a screen reader too.
    label(L"Load 'Corvane' at Startup.", {1500, 480, 3300, 255}, SS_CENTERIMAGE);
    m_autostartCheck = checkBox(kAutostartCheck, 480, L"Load 'Corvane' at Startup.");
    label(L"Beep on every Hour.", {1500, 1020, 2300, 255}, SS_CENTERIMAGE);
    m_hourlyBeepCheck = checkBox(kHourlyBeepCheck, 1020, L"Beep on every Hour.");
    const Twips testPlace{3900, 1020, 600, 255};
    m_testLink = m_layout.add(
        text_link::make(hwnd(), kTestLink, L"Test ", kPageLinkColour, pixels(m_window, testPlace)),
        testPlace);
    setAccessibleDescription(m_testLink, L"Plays the hourly beep");

    const int applyPicture = listPicture(core::normalPicture(core::HoverButton::ApplyAutostart));
    m_applyAutostart = m_layout.add(picture_button::make(hwnd(), kApplyAutostart, applyPicture,
                                                         pixels(m_window, kApplyAutostartPlace), L"Apply"),
                                    kApplyAutostartPlace);
    setAccessibleDescription(m_applyAutostart, L"Applies loading at start-up and the hourly beep");

    const std::wstring figures = L"Show available physical Memory (mb) and CPU usage (%) in Title Bar.";
    label(figures, {1500, 1920, 3700, 510});
    m_figuresCheck = checkBox(kFiguresCheck, 2040, figures);
    m_applyFigures =
        m_layout.add(picture_button::make(hwnd(), kApplyFigures,
                                          listPicture(core::normalPicture(core::HoverButton::ApplyFigures)),
                                          pixels(m_window, kApplyFiguresPlace), L"Apply"),
                     kApplyFiguresPlace);
    setAccessibleDescription(m_applyFigures, L"Applies the memory and CPU figures in the title bar");

    picture_button::onMouseMove(m_applyAutostart,
                                [this] { core::highlightButton(*this, core::HoverButton::ApplyAutostart); });
    picture_button::onMouseMove(m_applyFigures,
                                [this] { core::highlightButton(*this, core::HoverButton::ApplyFigures); });
    m_warningRow = std::make_unique<WarningOptionRow>(m_window, hwnd(), m_layout, services);
    setFonts();
}

HWND OptionsPage::label(const std::wstring& text, const Twips& place, DWORD style) {
    return m_layout.add(
        makeControl(hwnd(), WC_STATICW, text, SS_LEFT | SS_NOPREFIX | style, 0, pixels(m_window, place)),
        place);
}

HWND OptionsPage::checkBox(int id, double top, const std::wstring& name) {
    const Twips place{kCheckLeft, top, kCheckSize, kCheckSize};
    HWND box =
        makeControl(hwnd(), WC_BUTTONW, L"", WS_TABSTOP | BS_AUTOCHECKBOX, id, pixels(m_window, place));
    setAccessibleName(box, name);
    showFocusAroundBox(box);
    return m_layout.add(box, place);
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
    Pictures::shared().draw(dc, CORVANE_PICTURE_OPTIONS_STARTUP, pixels(m_window, kStartupPicture));
    Pictures::shared().draw(dc, CORVANE_PICTURE_OPTIONS_MONITOR, pixels(m_window, kMonitorPicture));
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

void OptionsPage::showButtonPicture(core::HoverButton button, int picture) {
    picture_button::setPicture(button == core::HoverButton::ApplyAutostart ? m_applyAutostart
                                                                           : m_applyFigures,
                               listPicture(picture));
}

} // namespace win32
