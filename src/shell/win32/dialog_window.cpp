#include "shell/win32/dialog_window.h"

#include "shell/win32/text_link.h"

#include <algorithm>

namespace win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

} // namespace

DialogWindow::DialogWindow(ProgramWindows& windows, core::Window window, COLORREF background)
    : m_windows(windows), m_window(window), m_backgroundColour(background), m_background(background) {}

bool DialogWindow::createDialog(const wchar_t* className, const std::wstring& title) {
    return create(className, kStyle, kExStyle, title, nullptr, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);
}

void DialogWindow::showCentredOn(HWND around) {
    if (IsWindowVisible(hwnd()) == 0) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(around != nullptr ? around : hwnd(), MONITOR_DEFAULTTOPRIMARY),
                        &monitor);
        const RECT& work = monitor.rcWork;
        RECT centre = work;
        if (around != nullptr && IsIconic(around) == 0) {
            GetWindowRect(around, &centre);
        }
        RECT own{};
        GetWindowRect(hwnd(), &own);
        const int width = own.right - own.left;
        const int height = own.bottom - own.top;
        const int x =
            std::max(work.left, std::min((centre.left + centre.right - width) / 2, work.right - width));
        const int y =
            std::max(work.top, std::min((centre.top + centre.bottom - height) / 2, work.bottom - height));
        SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void DialogWindow::close() {
    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void DialogWindow::setColours(COLORREF background, COLORREF text) {
    m_backgroundColour = background;
    m_textColour = text;
    m_background = Brush(background);
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, TRUE);
    }
}

LRESULT DialogWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            m_lastFocus = focus != nullptr && IsChild(hwnd(), focus) != 0 ? focus : m_lastFocus;
        } else if (HIWORD(wParam) == 0 && !m_closed) {
            SetFocus(m_lastFocus != nullptr ? m_lastFocus : firstFocus());
            activate();
        }
        return 0;
    case WM_CLOSE:
        // A blocked window stays: the window that blocks it closes first.
        if (m_closed || IsWindowEnabled(hwnd()) == 0) {
            return 0;
        }
        m_closed = true;
        unload();
        ShowWindow(hwnd(), SW_HIDE);
        m_windows.closed(m_window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            close();
        } else {
            command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        }
        return 0;
    case WM_DRAWITEM:
    case WM_SETCURSOR:
        if (answerOwnerDrawn(message, wParam, lParam)) {
            return TRUE;
        }
        break;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, m_background.handle());
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        auto* dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, m_textColour);
        SetBkColor(dc, m_backgroundColour);
        return reinterpret_cast<LRESULT>(m_background.handle());
    }
    default:
        break;
    }
    return NativeWindow::handleMessage(message, wParam, lParam);
}

} // namespace win32
