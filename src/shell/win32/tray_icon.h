#pragma once

#include <windows.h>

#include <shellapi.h>

#include "core/main_window_controller.h"
#include "shell/win32/shell_messages.h"

#include <functional>
#include <optional>
#include <string>

namespace win32 {

/// The program's icon in the notification area and its popup menu (About, Options, Schedule
/// Task, Minimize, Exit Corvane). The main window owns it and hands it its messages: the icon's
/// own (callbackMessage, the mouse message in lParam) reach the mouse call as the core's
/// TrayMouse, and the command a menu choice returns is the main window's to carry out.
class TrayIcon final {
public:
    /// The menu's commands, as popUp returns them.
    enum Command : int { None = 0, About = 101, Options, ScheduleTask, Minimize, Exit };
    using MouseCall = std::function<void(core::TrayMouse message)>;
    /// How a balloon of the icon went: the user clicked it, or it went without a click (timed
    /// out, closed, or the tray took it away).
    enum class BalloonEnd { Clicked, Closed };
    using BalloonCall = std::function<void(BalloonEnd end)>;
    /// Shell_NotifyIconW's shape.
    using NotifyCall = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);

    /// An elevated copy lets the shell's messages through with the filter; the icon goes to the
    /// tray through notify. Both are the system's unless a test gives its own.
    TrayIcon(HWND window, UINT callbackMessage, MessageFilterCall filter = nullptr,
             NotifyCall notify = nullptr);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    /// Adds the icon with its tip; remembers whether a tray took it.
    void show();
    /// Removes the icon, if it was added.
    void hide();
    /// The taskbar came back (Explorer restarted): adds the icon again if it was shown.
    void taskbarCreated();
    /// The tool tip; the tray shows 127 characters of it at most, a line break starts a line.
    void setTip(const std::wstring& tip);
    /// A balloon at the icon with the warning icon, until hideBalloon or the user ends it. Nothing
    /// while no tray shows the icon.
    void showBalloon(const std::wstring& title, const std::wstring& text);
    /// Takes a shown balloon away; its end is not reported.
    void hideBalloon();
    /// Where the icon's mouse messages go, decoded.
    void setMouseCall(MouseCall call) { m_mouseCall = std::move(call); }
    /// Where the end of a balloon goes.
    void setBalloonCall(BalloonCall call) { m_balloonCall = std::move(call); }
    /// The icon's callback message (decoded for the mouse call) and TaskbarCreated; false for
    /// any other message, which is the window's.
    bool handleMessage(UINT message, LPARAM lParam);
    /// Where the menu opens: at the icon while the keyboard's request on it is handled (when
    /// the tray tells where the icon is), at the mouse otherwise.
    POINT menuPoint() const;
    /// Whether a tray shows the icon now.
    bool shown() const { return m_shown; }
    /// The middle of the icon on the screen, when the tray tells.
    std::optional<POINT> iconCentre() const;

    /// Makes the hidden window that comes forward before the menu opens and owns it.
    void makeMenuOwner();
    /// Brings that window forward, once it is made.
    void activateMenuOwner();
    /// Opens the menu at a point of the screen and waits for the choice; None when dismissed.
    Command popUp(POINT at);
    bool menuOpen() const { return m_menuOpen; }
    /// The text of the Minimize/Maximize item.
    void setMinimizeItemText(const std::string& text);

    HMENU menu() const { return m_menu; }
    HWND menuOwner() const { return m_menuOwner; }

    /// The message the taskbar broadcasts when it is made anew.
    static UINT taskbarCreatedMessage();

private:
    NOTIFYICONDATAW record() const;
    /// A balloon's message (NIN_BALLOON...) ends the shown balloon, as the user or the tray did.
    void balloonMessage(UINT event);

    HWND m_window;
    UINT m_callbackMessage;
    NotifyCall m_notify;
    std::wstring m_tip;
    HICON m_icon = nullptr;
    HMENU m_menu = nullptr;
    HWND m_menuOwner = nullptr;
    MouseCall m_mouseCall;
    BalloonCall m_balloonCall;
    bool m_wanted = false;
    bool m_balloonShown = false;
    bool m_keyboardRequest = false;
    bool m_shown = false;
    bool m_menuOpen = false;
};

} // namespace win32
