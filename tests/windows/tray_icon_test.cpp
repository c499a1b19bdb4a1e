// The Windows tray icon on its own: the shell's messages it decodes for the core.
#include "shell/win32/tray_icon.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using core::TrayMouse;
using win32::TrayIcon;

constexpr UINT kCallback = WM_APP + 7;

/// A plain window for the icon to report to, destroyed after the icon.
struct PlainWindow {
    HWND handle =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ~PlainWindow() { DestroyWindow(handle); }
};

class TrayIconTest : public ::testing::Test {
protected:
    TrayIconTest() {
        icon.setMouseCall([this](TrayMouse message) { heard.push_back(message); });
    }

    PlainWindow window;
    TrayIcon icon{window.handle, kCallback};
    std::vector<TrayMouse> heard;
};

TEST_F(TrayIconTest, TheIconsMessagesReachTheCoreDecoded) {
    struct Case {
        UINT event;
        TrayMouse expected;
    };
    // The keyboard on the icon (menu key, Shift+F10; Enter, Space) stands for a right press.
    const Case cases[] = {
        {WM_MOUSEMOVE, TrayMouse::Move},
        {WM_LBUTTONDOWN, TrayMouse::LeftDown},
        {WM_LBUTTONDBLCLK, TrayMouse::LeftDoubleClick},
        {WM_RBUTTONDOWN, TrayMouse::RightDown},
        {WM_CONTEXTMENU, TrayMouse::RightDown},
        {NIN_KEYSELECT, TrayMouse::RightDown},
        {WM_MBUTTONDOWN, TrayMouse::MiddleDown},
        {WM_LBUTTONUP, TrayMouse::Other},
        {WM_RBUTTONUP, TrayMouse::Other},
        {NIN_SELECT, TrayMouse::Other},
    };
    for (const Case& c : cases) {
        heard.clear();
        EXPECT_TRUE(icon.handleMessage(kCallback, static_cast<LPARAM>(c.event)));
        EXPECT_EQ(heard, std::vector<TrayMouse>{c.expected}) << "tray message " << c.event;
    }
    // The window's own messages and the taskbar's return are not the core's mouse.
    heard.clear();
    EXPECT_FALSE(icon.handleMessage(WM_LBUTTONDOWN, WM_LBUTTONDOWN));
    EXPECT_TRUE(icon.handleMessage(TrayIcon::taskbarCreatedMessage(), 0));
    EXPECT_TRUE(heard.empty());
}

} // namespace
