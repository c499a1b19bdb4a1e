#include "shell/win32/options_window.h"

#include "core/window_blocking.h"
#include "platform/windows/wide_text.h"
#include "shell/win32/options_page.h"
#include "shell/win32/program_windows.h"
#include "shell/win32/resource_ids.h"
#include "shell/win32/schedule_page.h"

#include <commctrl.h>

namespace win32 {

namespace {

enum ControlId : int { kOptionsTab = 101, kScheduleTab, kStatusBar, kHelpLink, kAboutLink, kWebLink };

namespace design = core::design::options_window;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

} // namespace

OptionsWindow::OptionsWindow(platform::Services& services, core::AppState& state,
                             core::SettingsStore& settings, core::TimerFactory& timers,
                             ProgramWindows& windows)
    : m_windows(windows), m_rules(*this, services, state, timers) {
    create(L"CorvaneOptionsWindow", kStyle, kExStyle, L"", nullptr, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);
    setAccessibleName(hwnd(), wide(design::kAccessibleName));

    // Tab order: the tabs, the page shown, the links; the status bar takes no focus.
    m_optionsTab = makeTab(kOptionsTab, design::kOptionsTab);
    m_scheduleTab = makeTab(kScheduleTab, design::kScheduleTab);
    m_beforePages = GetWindow(m_scheduleTab, GW_HWNDNEXT); // its caption

    m_statusBar = m_layout.add(makeControl(hwnd(), STATUSCLASSNAMEW, L"", CCS_NOPARENTALIGN | CCS_NORESIZE,
                                           kStatusBar, pixels(*this, design::kStatusBar)),
                               design::kStatusBar);

    m_optionsPage = std::make_unique<OptionsPage>(*this, hwnd(), pixels(*this, design::kOptionsPage),
                                                  services, settings, state);
    m_layout.add(m_optionsPage->hwnd(), design::kOptionsPage);
    m_schedulePage = std::make_unique<SchedulePage>(*this, hwnd(), pixels(*this, design::kSchedulePage),
                                                    m_statusBar, services, state, windows);
    m_layout.add(m_schedulePage->hwnd(), design::kSchedulePage);
    m_rules.setOptionsPage(&m_optionsPage->rules());
    m_rules.setSchedulePage(&m_schedulePage->rules());
    m_rules.setShowAbout([this] { m_windows.openAbout(); });

    // Under the Schedule Task tab, one link a line.
    for (std::size_t i = 0; i < design::kLinks.size(); ++i) {
        const design::Link& link = design::kLinks[i];
        HWND control = text_link::make(hwnd(), kHelpLink + static_cast<int>(i), wide(link.text),
                                       colorref(design::kLinkColour), pixels(*this, link.place));
        setAccessibleDescription(control, wide(link.description));
        m_layout.add(control, link.place);
    }
    // The status bar was made first for the Schedule Task page; it goes last.
    SetWindowPos(m_statusBar, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    setFonts();
    placeStatusPanels();
    fitWindow();
}

OptionsWindow::~OptionsWindow() {
    // Gone while every part is still there to answer its last messages.
    if (hwnd() != nullptr) {
        DestroyWindow(hwnd());
    }
}

HWND OptionsWindow::makeTab(int id, const core::design::options_window::Tab& look) {
    // The design picture: neither selected nor not, until a page is chosen.
    HWND tab = m_layout.add(picture_button::make(hwnd(), id, CORVANE_PICTURE_PAGE_TAB_DESIGN,
                                                 pixels(*this, look.button), wide(look.name)),
                            look.button);
    // Read as a check box, checked while its page is the one shown.
    picture_button::makeToggle(tab, CORVANE_PICTURE_PAGE_TAB_SELECTED);
    m_layout.add(makeControl(hwnd(), WC_STATICW, wide(look.text), SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0,
                             pixels(*this, look.caption)),
                 look.caption);
    return tab;
}

void OptionsWindow::setFonts() {
    m_captionFont = Font(kLabelFace, kLabelPoints, dpi(), true);
    m_linkFont = Font(kLabelFace, kLabelPoints, dpi(), false, true);
    m_statusFont = Font(kLabelFace, kLabelPoints, dpi());
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        setFont(child, text_link::isLink(child) ? m_linkFont
                       : child == m_statusBar   ? m_statusFont
                                                : m_captionFont);
    }
}

void OptionsWindow::placeStatusPanels() {
    const auto edges = design::panelEdges(px(design::kWidth));
    SendMessageW(m_statusBar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void OptionsWindow::fitWindow() {
    setClientSize(px(design::kWidth), px(design::kHeight));
}

void OptionsWindow::dpiChanged() {
    setFonts();
    m_layout.place(*this);
    placeStatusPanels();
    m_optionsPage->dpiChanged();
    m_schedulePage->dpiChanged();
    fitWindow();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void OptionsWindow::load() {
    if (!m_loaded) {
        m_loaded = true;
        m_rules.load();
        m_optionsPage->warningRow().load();
    }
}

void OptionsWindow::openOnOptionsPage() {
    load();
    m_rules.openOnOptionsPage();
}

void OptionsWindow::openOnSchedulePage() {
    load();
    m_rules.openOnSchedulePage();
}

void OptionsWindow::loadHidden() {
    load();
}

void OptionsWindow::clearTaskKind() {
    m_schedulePage->clearKind();
}

std::string OptionsWindow::panelText(int panel) const {
    const auto part = static_cast<WPARAM>(panel - 1);
    const auto length = LOWORD(SendMessageW(m_statusBar, SB_GETTEXTLENGTHW, part, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(m_statusBar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return platform::win::narrow(text);
}

void OptionsWindow::showLook(const std::string& caption) {
    setText(hwnd(), caption);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void OptionsWindow::showTab(core::Page tab, core::TabPicture picture) {
    picture_button::setPicture(tab == core::Page::Options ? m_optionsTab : m_scheduleTab,
                               tabPicture(picture));
}

HWND OptionsWindow::pageSurface(core::Page page) const {
    return page == core::Page::Options ? m_optionsPage->hwnd() : m_schedulePage->hwnd();
}

void OptionsWindow::showPage(core::Page page, bool shown) {
    HWND surface = pageSurface(page);
    if (shown) {
        // Both pages lie at the same place; the one just shown goes on top, still after the tabs.
        SetWindowPos(surface, m_beforePages, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ShowWindow(surface, SW_HIDE);
    }
}

void OptionsWindow::showFigures(const std::string& text) {
    SendMessageW(m_statusBar, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(wide(text).c_str()));
}

void OptionsWindow::showWindow() {
    if (IsWindowEnabled(hwnd()) != 0) {
        ShowWindow(hwnd(), IsIconic(hwnd()) != 0 ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(hwnd());
        return;
    }
    // A blocked window comes up under the window that blocks it, which keeps the keyboard.
    HWND active = GetForegroundWindow();
    ShowWindow(hwnd(), SW_SHOWNA);
    if (active != nullptr && active != hwnd()) {
        SetWindowPos(hwnd(), active, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void OptionsWindow::focusPage(core::Page page) {
    HWND surface = pageSurface(page);
    HWND focus = GetFocus();
    if (IsWindowVisible(surface) == 0 || (focus != nullptr && IsChild(surface, focus) != 0)) {
        return;
    }
    if (HWND first = firstTabStop(surface)) {
        SetFocus(first);
    }
}

bool OptionsWindow::command(int id) {
    switch (id) {
    case kOptionsTab:
        m_rules.toggleOptionsPage();
        return true;
    case kScheduleTab:
        m_rules.toggleSchedulePage();
        return true;
    case kHelpLink:
        m_rules.openHelp();
        return true;
    case kAboutLink:
        m_rules.openAbout();
        return true;
    case kWebLink:
        m_rules.openWebAddress();
        return true;
    default:
        break;
    }
    return false;
}

void OptionsWindow::pressFocusedButton() {
    // Enter presses a focused picture button or link as Space does; the dialog manager hands
    // it to the window as IDOK, owner-drawn buttons being no push buttons to it.
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd(), focus) != 0 && isOwnerDrawnButton(focus)) {
        SendMessageW(focus, BM_CLICK, 0, 0);
    }
}

void OptionsWindow::paintBackground(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, m_background.handle());
    const RECT bar = pixels(*this, design::kTabBar);
    FillRect(dc, &bar, m_tabBar.handle());
}

LRESULT OptionsWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        paintBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        // The tab captions, white on the bar; the tabs and links lie on it too.
        return colourControl(wParam, colorref(design::kTabCaptionColour), m_tabBar);
    case WM_DRAWITEM:
    case WM_SETCURSOR:
        if (answerOwnerDrawn(message, wParam, lParam)) {
            return TRUE;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && lParam == 0) {
            pressFocusedButton();
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED && command(LOWORD(wParam))) {
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            m_focus = focus != nullptr && IsChild(hwnd(), focus) != 0 ? focus : nullptr;
        } else if (m_focus != nullptr && IsWindow(m_focus) != 0 && IsWindowVisible(m_focus) != 0) {
            SetFocus(m_focus);
            return 0;
        }
        break;
    case WM_CLOSE:
        // A blocked window stays until the window that blocks it closes.
        if (IsWindowEnabled(hwnd()) == 0) {
            return 0;
        }
        m_rules.unload();
        m_windows.closed(core::Window::Options);
        DestroyWindow(hwnd());
        return 0;
    default:
        break;
    }
    return NativeWindow::handleMessage(message, wParam, lParam);
}

} // namespace win32
