#include "shell/win32/main_window.h"

#include "core/twips.h"
#include "core/uptime.h"
#include "shell/win32/accessibility.h"
#include "shell/win32/newer_calls.h"
#include "shell/win32/pictures.h"
#include "shell/win32/resource_ids.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace win32 {

namespace {

constexpr const wchar_t* kClassName = L"CorvaneMainWindow";

namespace design = core::design::main_window;

DWORD alignStyle(core::design::Align align) {
    return align == core::design::Align::Right    ? SS_RIGHT
           : align == core::design::Align::Centre ? SS_CENTER
                                                  : SS_LEFT;
}

struct PictureButton {
    MainWindow::Control id;
    int picture;
    const char* name;
    const char* tip;
};
// In the order of the Tab key. Each shows its design picture until start-up sets its state.
const PictureButton kButtons[] = {
    {MainWindow::MoreLessButton, CORVANE_PICTURE_LESS_INFO, design::kLessInformation, design::kMoreLess.tip},
    {MainWindow::OnTopButton, CORVANE_PICTURE_ONTOP_DESIGN, design::kOnTop.tip, design::kOnTop.tip},
    {MainWindow::MinimizeButton, CORVANE_PICTURE_MINIMIZE, design::kMinimize.tip, design::kMinimize.tip},
    {MainWindow::TransparencyButton, CORVANE_PICTURE_TRANSPARENCY_DESIGN, design::kTransparency.tip,
     design::kTransparency.tip},
};

/// The on-top button's picture for a look; none for the design look, which start-up shows.
int onTopPicture(core::ToggleLook look) {
    switch (look) {
    case core::ToggleLook::Off:
        return CORVANE_PICTURE_ONTOP_OFF;
    case core::ToggleLook::On:
        return CORVANE_PICTURE_ONTOP_ON;
    case core::ToggleLook::Design:
        break;
    }
    return 0;
}

/// A wait during which the program's windows keep handling their messages.
void waitWithMessages(std::chrono::milliseconds time) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(time.count());
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        if (MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_ALLINPUT,
                                        MWMO_INPUTAVAILABLE) != WAIT_OBJECT_0) {
            continue;
        }
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam)); // for the program's own loop
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

} // namespace

MainWindow::MainWindow(platform::Services& services) : m_clock(*services.clock) {
    if (!create(kClassName, kStyle, kExStyle, L"", nullptr, 0, 0, 0, 0)) {
        throw std::runtime_error("The main window cannot be made.");
    }
    // The title shows the figures or nothing; a screen reader hears what the window is.
    setAccessibleName(hwnd(), wide(design::kAccessibleName));
    makeControls();
    m_tray = std::make_unique<TrayIcon>(hwnd(), kTrayMessage);
    m_tray->setMouseCall([this](core::TrayMouse message) {
        if (m_core) {
            m_core->trayMouse(message);
        }
    });
    m_core = std::make_unique<core::MainWindowController>(services, m_timers, *this);
    m_core->executor().setWait(waitWithMessages);
    m_notice = std::make_unique<TrayNotice>(m_core->state(), services, *m_tray);
    m_windows =
        std::make_unique<WindowLauncher>(hwnd(), services, m_core->state(), m_core->settings(), m_timers);
    m_heightTwips = m_core->heightTwips();
    layOut();
}

MainWindow::~MainWindow() {
    m_windows.reset();
    m_notice.reset();
    m_core.reset();
    m_tray.reset();
}

void MainWindow::makeControls() {
    // First, so that screen readers meet it before the labels it sums up: the up time as one
    // phrase. It draws nothing and lets the mouse through.
    makeControl(hwnd(), WC_STATICW, wide(core::uptimePhrase(0, 0, 0)), SS_OWNERDRAW, UptimePhrase, {});
    for (std::size_t i = 0; i < design::kLabels.size(); ++i) {
        // No SS_NOTIFY: presses go through to the window, and the tool tips see the mouse there.
        const design::Label& label = design::kLabels[i];
        makeControl(hwnd(), WC_STATICW, wide(label.text),
                    alignStyle(label.align) | SS_NOPREFIX | SS_CENTERIMAGE, labelControl(i), {});
    }
    makeControl(hwnd(), WC_STATICW, wide(design::kIndicatorName), SS_OWNERDRAW, TaskIndicator, {});
    for (const PictureButton& button : kButtons) {
        picture_button::make(hwnd(), button.id, button.picture, {}, wide(button.name));
    }
    // Read as check boxes, checked while on.
    picture_button::makeToggle(control(OnTopButton), CORVANE_PICTURE_ONTOP_ON);
    picture_button::makeToggle(control(TransparencyButton), CORVANE_PICTURE_TRANSPARENCY_ON);

    m_tooltips = makeToolTips(hwnd());
    auto addTip = [this](UINT_PTR id, UINT flags, const char* utf8) {
        std::wstring text = wide(utf8);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS | flags;
        tool.hwnd = hwnd();
        tool.uId = id;
        tool.lpszText = text.data(); // copied by the tool tips
        SendMessageW(m_tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    };
    // The labels' tips are areas of the window (the labels let the mouse through); the
    // buttons' follow the buttons wherever they move.
    for (std::size_t i = 0; i < design::kLabels.size(); ++i) {
        if (design::kLabels[i].tip != nullptr) {
            addTip(static_cast<UINT_PTR>(labelControl(i)), 0, design::kLabels[i].tip);
        }
    }
    addTip(TaskIndicator, 0, design::kIndicatorTip);
    for (const PictureButton& button : kButtons) {
        addTip(reinterpret_cast<UINT_PTR>(control(button.id)), TTF_IDISHWND, button.tip);
    }
}

void MainWindow::showSeparators(bool shown) {
    ShowWindow(control(HoursSeparator), shown ? SW_SHOWNA : SW_HIDE);
    ShowWindow(control(DaysSeparator), shown ? SW_SHOWNA : SW_HIDE);
}

void MainWindow::showSystemStart(const std::string& date, const std::string& time) {
    setText(control(StartDateLabel), date);
    setText(control(StartTimeLabel), time);
}

void MainWindow::showTaskIndicator(bool shown) {
    ShowWindow(control(TaskIndicator), shown ? SW_SHOWNA : SW_HIDE);
}

void MainWindow::placeWindow(int x, int y) {
    SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::showHeightTwips(float twips) {
    m_heightTwips = twips;
    resize();
}

void MainWindow::setMinimized(bool minimized) {
    ShowWindow(hwnd(), minimized ? SW_MINIMIZE : SW_RESTORE);
}

void MainWindow::setOnTop(bool onTop) {
    SetWindowPos(hwnd(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::setOpacity(core::WindowOpacity opacity) {
    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    if (!opacity.layered) {
        SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        return;
    }
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(std::clamp(opacity.alpha, 0, 255)), LWA_ALPHA);
}

void MainWindow::showMoreLessPicture(core::MoreLess offer) {
    HWND button = control(MoreLessButton);
    const bool more = offer == core::MoreLess::More;
    picture_button::setPicture(button, more ? CORVANE_PICTURE_MORE_INFO : CORVANE_PICTURE_LESS_INFO);
    // The name says what a press does.
    SetWindowTextW(button, wide(more ? design::kMoreInformation : design::kLessInformation).c_str());
}

void MainWindow::moveMoreLessButton(double topTwips) {
    m_moreLessTop = topTwips;
    place(control(MoreLessButton), moreLessPlace());
}

void MainWindow::showOnTopPicture(core::ToggleLook look) {
    picture_button::setPicture(control(OnTopButton), onTopPicture(look));
}

void MainWindow::moveOnTopButton(double leftTwips, double topTwips) {
    m_onTopLeft = leftTwips;
    m_onTopTop = topTwips;
    place(control(OnTopButton), onTopPlace());
}

void MainWindow::showTransparencyPicture(core::ToggleLook look) {
    picture_button::setPicture(control(TransparencyButton), look == core::ToggleLook::On
                                                                ? CORVANE_PICTURE_TRANSPARENCY_ON
                                                                : CORVANE_PICTURE_TRANSPARENCY_OFF);
}

void MainWindow::showTrayIcon() {
    m_tray->show();
}

void MainWindow::popUpMenu() {
    popUpMenuAt(m_tray->menuPoint());
}

void MainWindow::popUpMenuAt(POINT at) {
    // Carried out once the menu is gone and the core's handler has returned.
    if (const TrayIcon::Command chosen = m_tray->popUp(at); chosen != TrayIcon::None) {
        PostMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(chosen), 0);
    }
}

void MainWindow::command(int id) {
    switch (id) {
    case MoreLessButton:
        m_core->toggleMoreInformation();
        break;
    case OnTopButton:
        m_core->toggleOnTop();
        break;
    case MinimizeButton:
        m_core->minimize();
        break;
    case TransparencyButton:
        m_core->toggleTransparency();
        break;
    case TrayIcon::About:
        m_windows->openAbout();
        break;
    case TrayIcon::Options:
        m_windows->openOptions();
        break;
    case TrayIcon::ScheduleTask:
        m_windows->openScheduleTask();
        break;
    case TrayIcon::Minimize:
        m_core->toggleMinimized();
        break;
    case TrayIcon::Exit:
        m_core->exitProgram();
        break;
    default:
        break;
    }
}

void MainWindow::drawTaskIndicator(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    Pictures::shared().draw(item.hDC, CORVANE_PICTURE_TASK_INDICATOR, item.rcItem);
}

LRESULT MainWindow::labelColours(HDC dc, HWND label) {
    const auto index = static_cast<std::size_t>(GetDlgCtrlID(label) - DaysLabel);
    SetTextColor(dc, index < design::kLabels.size() ? colorref(design::kLabels[index].colour)
                                                    : colorref(core::design::kBlack));
    SetBkColor(dc, colorref(design::kBackground));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_tray && m_tray->handleMessage(message, lParam)) {
        return 0;
    }
    switch (message) {
    case WindowLauncher::kDeleteClosedMessage:
        if (m_windows) {
            m_windows->deleteClosed();
        }
        return 0;
    case WM_COMMAND:
        if (m_core && m_windows) {
            // Enter on a focused picture button reaches the window as the dialog manager's IDOK.
            const int id = LOWORD(wParam);
            HWND focus = GetFocus();
            command(id == IDOK && focus != nullptr && GetParent(focus) == hwnd() ? GetDlgCtrlID(focus) : id);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (m_core) {
            m_core->windowPressed(message == WM_RBUTTONDOWN);
        }
        return 0;
    case WM_CONTEXTMENU:
        // The keyboard's menu key (or Shift+F10): the menu at the window's corner.
        if (lParam == -1 && m_core) {
            POINT corner{0, 0};
            ClientToScreen(hwnd(), &corner);
            popUpMenuAt(corner);
        }
        return 0;
    case WM_CLOSE:
        // The core ends the program; the window stays only when the end was recorded instead of
        // carried out. (While another window blocks this one, the blocker refuses the close.)
        if (m_core) {
            m_core->unload();
        }
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return 1;
    }
    case WM_CTLCOLORSTATIC:
        return labelColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_SETCURSOR:
        if (setHandCursor(reinterpret_cast<HWND>(wParam), lParam)) {
            return TRUE;
        }
        return NativeWindow::handleMessage(message, wParam, lParam);
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_STATIC && item.CtlID == TaskIndicator) {
            drawTaskIndicator(item);
        } else if (item.CtlType == ODT_STATIC) {
            // The phrase for screen readers: nothing to see.
        } else {
            picture_button::draw(item);
        }
        return TRUE;
    }
    default:
        return NativeWindow::handleMessage(message, wParam, lParam);
    }
}

} // namespace win32
