// The Windows main window on fake services: what the core shows reaches the window's controls,
// the picture buttons change the window itself, the menu's texts, and a blocked window that
// refuses to close. Wine's null driver makes real windows without a display.
#include "core/uptime.h"
#include "fakes/fake_services.h"
#include "shell/win32/accessibility.h"
#include "shell/win32/main_window.h"
#include "shell/win32/resource_ids.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using win32::MainWindow;
using win32::TrayIcon;

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        f.clock->now = 1'796'632'215'000LL; // 2026-12-07 08:30:15 UTC
        f.processes->ownPath = "C:\\Corvane4.0.exe";
        window = std::make_unique<MainWindow>(f.services);
        window->load();
    }

    std::string text(MainWindow::Control id) const { return win32::textOf(window->control(id)); }
    void click(MainWindow::Control id) {
        SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(window->control(id)));
    }
    int clientHeight() const {
        RECT client{};
        GetClientRect(window->hwnd(), &client);
        return client.bottom;
    }
    RECT windowRect() const {
        RECT outer{};
        GetWindowRect(window->hwnd(), &outer);
        return outer;
    }

    fakes::FakeServices f;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, TheCoreShowsItsValuesInTheControls) {
    ASSERT_NE(window->hwnd(), nullptr);
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    EXPECT_NE(GetWindowLongPtrW(window->hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    f.clock->tick = (26 * 60 + 3) * 60'000ULL; // up 1 day, 2 hours, 3 minutes
    window->core().refreshUptime();
    window->core().showTimeNow();
    window->core().showFigures();
    EXPECT_EQ(text(MainWindow::DaysLabel), "01");
    EXPECT_EQ(text(MainWindow::HoursLabel), "02");
    EXPECT_EQ(text(MainWindow::MinutesLabel), "03");
    EXPECT_EQ(text(MainWindow::UptimePhrase), core::uptimePhrase(1, 2, 3));
    EXPECT_EQ(text(MainWindow::StartDateLabel), "2026-12-07"); // shown at start
    EXPECT_EQ(text(MainWindow::NowLabel), "08:30:15");
    EXPECT_EQ(win32::textOf(window->hwnd()), window->core().state().caption());
    EXPECT_FALSE(window->core().state().caption().empty());
    // The separators blink together.
    for (const bool shown : {false, true}) {
        EXPECT_EQ(IsWindowVisible(window->control(MainWindow::DaysSeparator)) != FALSE, shown);
        EXPECT_EQ(IsWindowVisible(window->control(MainWindow::HoursSeparator)) != FALSE, shown);
        window->core().refreshUptime();
    }
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(MainWindowTest, PictureButtonsChangeTheWindow) {
    // At 96 dots per inch: the designed client width, 1935 twips, and the window's heights, its
    // frame included: 2325 twips large, 1170 small. The slide starts the large window just above
    // the screen.
    RECT client{};
    GetClientRect(window->hwnd(), &client);
    EXPECT_EQ(client.right, 129);
    EXPECT_EQ(windowRect().bottom - windowRect().top, 155);
    EXPECT_EQ(windowRect().top, -155);
    const int more = clientHeight();
    HWND moreLess = window->control(MainWindow::MoreLessButton);
    // Enter on the focused button reaches the window as the dialog manager's IDOK.
    SetFocus(moreLess);
    ASSERT_EQ(GetFocus(), moreLess);
    SendMessageW(window->hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(windowRect().bottom - windowRect().top, 78);
    EXPECT_EQ(win32::picture_button::picture(moreLess), CORVANE_PICTURE_MORE_INFO);
    EXPECT_EQ(win32::textOf(moreLess), "More information");
    // The small window keeps the button that brings the rest back.
    RECT button{};
    GetWindowRect(moreLess, &button);
    MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&button), 2);
    EXPECT_LE(button.bottom, clientHeight());
    click(MainWindow::MoreLessButton);
    EXPECT_EQ(clientHeight(), more);
    EXPECT_EQ(win32::textOf(moreLess), "Less information");

    // (Wine's null driver keeps no on-top band to read back: the e2e run checks it.)
    auto layered = [this] { return (GetWindowLongPtrW(window->hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0; };
    // A screen reader hears the transparency button as a check box, checked while transparent.
    auto checked = [this] {
        return (win32::checkBoxState(window->control(MainWindow::TransparencyButton)) &
                STATE_SYSTEM_CHECKED) != 0;
    };
    // Layered from the start, at full opacity while opaque; a click makes it half transparent.
    auto alpha = [this] {
        BYTE value = 0;
        DWORD flags = 0;
        GetLayeredWindowAttributes(window->hwnd(), nullptr, &value, &flags);
        return flags == LWA_ALPHA ? static_cast<int>(value) : -1;
    };
    for (const int expected : {255, 128, 255, 128}) {
        EXPECT_TRUE(layered()) << expected;
        EXPECT_EQ(alpha(), expected);
        EXPECT_EQ(checked(), expected == 128);
        click(MainWindow::TransparencyButton);
    }
}

TEST_F(MainWindowTest, MenuItemsAndTheMinimizeItemText) {
    HMENU menu = window->tray().menu();
    std::vector<std::wstring> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t item[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), item, 64, MF_BYPOSITION);
        items.emplace_back(item);
    }
    EXPECT_EQ(items, (std::vector<std::wstring>{L"About", L"", L"Options ", L"Schedule Task", L"",
                                                L"Minimize", L"Exit Corvane"}));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(TrayIcon::ScheduleTask));
    SendMessageW(window->hwnd(), WM_COMMAND, TrayIcon::Minimize, 0);
    EXPECT_TRUE(IsIconic(window->hwnd()));
    wchar_t item[64] = {};
    GetMenuStringW(menu, TrayIcon::Minimize, item, 64, MF_BYCOMMAND);
    EXPECT_STREQ(item, L"Maximize");
    SendMessageW(window->hwnd(), WM_COMMAND, TrayIcon::Minimize, 0);
    EXPECT_FALSE(IsIconic(window->hwnd()));
    EXPECT_FALSE(f.process->ended());
    SendMessageW(window->hwnd(), WM_COMMAND, TrayIcon::Exit, 0);
    EXPECT_EQ(f.process->terminations, std::vector<std::uint32_t>{259});
}

TEST_F(MainWindowTest, TheKeyboardsRequestsOnTheTrayIconOpenTheMenuAsARightPress) {
    static MainWindow* shown = window.get();
    static bool opened = false;
    for (const UINT message : {WM_RBUTTONDOWN, WM_CONTEXTMENU, NIN_KEYSELECT, NIN_SELECT, WM_LBUTTONDOWN}) {
        opened = false;
        // Inside the menu's modal loop, if one starts: ends it.
        const UINT_PTR timer = SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR, DWORD) {
            opened = shown->tray().menuOpen();
            EndMenu();
        });
        SendMessageW(window->hwnd(), MainWindow::kTrayMessage, 1, static_cast<LPARAM>(message));
        KillTimer(nullptr, timer);
        EXPECT_EQ(opened, message != NIN_SELECT && message != WM_LBUTTONDOWN) << "tray message " << message;
    }
}

TEST_F(MainWindowTest, ABlockedWindowRefusesToCloseUntilFreed) {
    core::WindowBlocker& blocker = window->windows().blocker();
    blocker.block(core::Window::Main, core::Window::About, false);
    EXPECT_FALSE(IsWindowEnabled(window->hwnd()));
    SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
    SendMessageW(window->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(f.process->ended());
    blocker.free(core::Window::Main);
    EXPECT_TRUE(IsWindowEnabled(window->hwnd()));
    SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(f.process->terminations, std::vector<std::uint32_t>{259});
}

struct FilterCall {
    HWND window;
    UINT message;
    DWORD action;
    bool operator==(const FilterCall&) const = default;
};
std::vector<FilterCall> filterCalls;

TEST_F(MainWindowTest, AnElevatedCopyLetsTheShellsMessagesThrough) {
    filterCalls.clear();
    const TrayIcon icon(window->hwnd(), MainWindow::kTrayMessage,
                        [](HWND w, UINT message, DWORD action, PCHANGEFILTERSTRUCT) -> BOOL {
                            filterCalls.push_back({w, message, action});
                            return TRUE;
                        });
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    EXPECT_EQ(filterCalls, (std::vector<FilterCall>{{window->hwnd(), MainWindow::kTrayMessage, MSGFLT_ALLOW},
                                                    {window->hwnd(), taskbarCreated, MSGFLT_ALLOW}}));
    // The system's own filter is found and takes both (Wine's answers as Windows 7 and later do).
    const auto system = reinterpret_cast<win32::MessageFilterCall>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx")));
    ASSERT_NE(system, nullptr);
    EXPECT_TRUE(system(window->hwnd(), taskbarCreated, MSGFLT_ALLOW, nullptr));
}

} // namespace
