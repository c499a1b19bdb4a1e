#include "shell/win32/tray_icon.h"

#include "shell/win32/controls.h"
#include "shell/win32/native_window.h"
#include "shell/win32/newer_calls.h"
#include "shell/win32/resource_ids.h"

namespace win32 {

namespace {

constexpr UINT kIconId = 1;
constexpr const wchar_t* kTip = L"Corvane 4.0";
constexpr const wchar_t* kMenuOwnerClass = L"CorvaneMenuOwner";

void appendItem(HMENU menu, TrayIcon::Command command, const wchar_t* text) {
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), text);
}

/// The icon's message (version 3: the mouse message itself) as the core knows it. The keyboard
/// on the icon (the menu key, Shift+F10; Enter, Space) is a right press.
core::TrayMouse trayMouse(UINT message) {
    switch (message) {
    case WM_MOUSEMOVE:
        return core::TrayMouse::Move;
    case WM_LBUTTONDOWN:
        return core::TrayMouse::LeftDown;
    case WM_LBUTTONDBLCLK:
        return core::TrayMouse::LeftDoubleClick;
    case WM_RBUTTONDOWN:
    case WM_CONTEXTMENU:
    case NIN_KEYSELECT:
        return core::TrayMouse::RightDown;
    case WM_MBUTTONDOWN:
        return core::TrayMouse::MiddleDown;
    default:
        return core::TrayMouse::Other;
    }
}

} // namespace

TrayIcon::TrayIcon(HWND window, UINT callbackMessage, MessageFilterCall filter, NotifyCall notify)
    : m_window(window), m_callbackMessage(callbackMessage),
      m_notify(notify != nullptr ? notify : Shell_NotifyIconW), m_tip(kTip) {
    // The small icon at the system's density; the system picks the best size of the file.
    const UINT dpi = systemDpi();
    m_icon = static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(CORVANE_ICON), IMAGE_ICON,
                                           systemMetricForDpi(SM_CXSMICON, dpi),
                                           systemMetricForDpi(SM_CYSMICON, dpi), LR_DEFAULTCOLOR));
    m_menu = CreatePopupMenu();
    appendItem(m_menu, About, L"About");
    AppendMenuW(m_menu, MF_SEPARATOR, 0, nullptr);
    appendItem(m_menu, Options, L"Options ");
    appendItem(m_menu, ScheduleTask, L"Schedule Task");
    AppendMenuW(m_menu, MF_SEPARATOR, 0, nullptr);
    appendItem(m_menu, Minimize, L"Minimize");
    appendItem(m_menu, Exit, L"Exit Corvane");
    // The default item is drawn in bold.
    SetMenuDefaultItem(m_menu, ScheduleTask, FALSE);
    allowShellMessages(window, callbackMessage, filter);
}

TrayIcon::~TrayIcon() {
    hide();
    DestroyMenu(m_menu);
    if (m_menuOwner != nullptr) {
        DestroyWindow(m_menuOwner);
    }
    if (m_icon != nullptr) {
        DestroyIcon(m_icon);
    }
}

NOTIFYICONDATAW TrayIcon::record() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_window;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = m_callbackMessage;
    data.hIcon = m_icon;
    lstrcpynW(data.szTip, m_tip.c_str(), ARRAYSIZE(data.szTip));
    return data;
}

void TrayIcon::show() {
    m_wanted = true;
    NOTIFYICONDATAW data = record();
    m_shown = m_notify(NIM_ADD, &data) != FALSE;
    if (m_shown) {
        // Version 3 adds the keyboard's requests (WM_CONTEXTMENU, NIN_KEYSELECT) and keeps the
        // mouse messages as they are; version 4 would change them.
        data.uVersion = NOTIFYICON_VERSION;
        m_notify(NIM_SETVERSION, &data);
    }
}

std::optional<POINT> TrayIcon::iconCentre() const {
    NOTIFYICONIDENTIFIER icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = m_window;
    icon.uID = kIconId;
    RECT place{};
    if (!m_shown || FAILED(Shell_NotifyIconGetRect(&icon, &place))) {
        return std::nullopt;
    }
    return POINT{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

void TrayIcon::hide() {
    m_wanted = false;
    if (m_shown) {
        NOTIFYICONDATAW data = record();
        m_notify(NIM_DELETE, &data);
        m_shown = false;
        m_balloonShown = false;
    }
}

void TrayIcon::setTip(const std::wstring& tip) {
    if (tip == m_tip) {
        return;
    }
    m_tip = tip;
    if (m_shown) {
        NOTIFYICONDATAW data = record();
        data.uFlags = NIF_TIP;
        m_notify(NIM_MODIFY, &data);
    }
}

void TrayIcon::showBalloon(const std::wstring& title, const std::wstring& text) {
    if (!m_shown) {
        return;
    }
    NOTIFYICONDATAW data = record();
    data.uFlags = NIF_INFO;
    // Shown even in the user's first hour on a new machine (no NIIF_RESPECT_QUIET_TIME): the
    // warning comes before the computer turns off.
    data.dwInfoFlags = NIIF_WARNING;
    lstrcpynW(data.szInfoTitle, title.c_str(), ARRAYSIZE(data.szInfoTitle));
    lstrcpynW(data.szInfo, text.c_str(), ARRAYSIZE(data.szInfo));
    m_balloonShown = m_notify(NIM_MODIFY, &data) != FALSE;
}

void TrayIcon::hideBalloon() {
    if (!m_balloonShown) {
        return;
    }
    m_balloonShown = false;
    // An empty text takes the balloon away.
    NOTIFYICONDATAW data = record();
    data.uFlags = NIF_INFO;
    m_notify(NIM_MODIFY, &data);
}

void TrayIcon::balloonMessage(UINT event) {
    if (!m_balloonShown || event == NIN_BALLOONSHOW) {
        return;
    }
    // The call may still take the balloon away: harmless where the tray took it already, and
    // sure where a click leaves it.
    if (m_balloonCall) {
        m_balloonCall(event == NIN_BALLOONUSERCLICK ? BalloonEnd::Clicked : BalloonEnd::Closed);
    }
    m_balloonShown = false;
}

void TrayIcon::taskbarCreated() {
    balloonMessage(NIN_BALLOONHIDE); // a balloon went with the old taskbar
    if (m_wanted) {
        show();
    }
}

bool TrayIcon::handleMessage(UINT message, LPARAM lParam) {
    if (message == taskbarCreatedMessage()) {
        taskbarCreated();
        return true;
    }
    if (message != m_callbackMessage) {
        return false;
    }
    const UINT event = LOWORD(lParam);
    if (event >= NIN_BALLOONSHOW && event <= NIN_BALLOONUSERCLICK) {
        balloonMessage(event); // no mouse message: the menu's owner stays where it is
        return true;
    }
    if (m_mouseCall) {
        m_keyboardRequest = event == WM_CONTEXTMENU || event == NIN_KEYSELECT;
        m_mouseCall(trayMouse(event));
        m_keyboardRequest = false;
    }
    return true;
}

POINT TrayIcon::menuPoint() const {
    if (const std::optional<POINT> icon = m_keyboardRequest ? iconCentre() : std::nullopt; icon) {
        return *icon;
    }
    POINT at{};
    GetCursorPos(&at);
    return at;
}

UINT TrayIcon::taskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void TrayIcon::makeMenuOwner() {
    if (m_menuOwner != nullptr) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance();
    windowClass.lpszClassName = kMenuOwnerClass;
    RegisterClassExW(&windowClass); // fails harmlessly when the class is there already
    // Never shown; a tool window, so that it has no taskbar button even for a moment.
    m_menuOwner = CreateWindowExW(WS_EX_TOOLWINDOW, kMenuOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, instance(), nullptr);
}

void TrayIcon::activateMenuOwner() {
    if (m_menuOwner != nullptr) {
        SetForegroundWindow(m_menuOwner);
    }
}

TrayIcon::Command TrayIcon::popUp(POINT at) {
    // The foreground window owns the menu, so that a click elsewhere closes it.
    HWND owner = m_menuOwner != nullptr ? m_menuOwner : m_window;
    SetForegroundWindow(owner);
    m_menuOpen = true;
    const UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY |
                       (GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0 ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
    const BOOL chosen = TrackPopupMenuEx(m_menu, flags, at.x, at.y, owner, nullptr);
    m_menuOpen = false;
    // The menu's modal loop ends only once the owner has seen another message.
    PostMessageW(owner, WM_NULL, 0, 0);
    return static_cast<Command>(chosen);
}

void TrayIcon::setMinimizeItemText(const std::string& text) {
    std::wstring caption = wide(text);
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = caption.data();
    SetMenuItemInfoW(m_menu, Minimize, FALSE, &item);
}

} // namespace win32
