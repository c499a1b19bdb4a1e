// The Windows tray icon on its own: the shell's messages it decodes for the core, and the armed
// task at the icon (the tip's second line, the warning balloon, a click on it that cancels).
// Wine's null driver has no tray, so the icon's calls to the shell are recorded instead.
#include "shell/win32/tray_icon.h"

#include "core/app_state.h"
#include "fakes/fake_registry.h"
#include "shell/win32/tray_notice.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using core::TrayMouse;
using win32::TrayIcon;

constexpr UINT kCallback = WM_APP + 7;
constexpr std::uint64_t kMinute = 60'000;

/// A plain window for the icon to report to, destroyed after the icon.
struct PlainWindow {
    HWND handle =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ~PlainWindow() { DestroyWindow(handle); }
};

/// What the icon asked of the tray: the message and the record's fields that say it.
struct NotifyCall {
    DWORD message;
    UINT flags;
    std::wstring tip;
    std::wstring title;
    std::wstring text;
    DWORD infoFlags;
};
std::vector<NotifyCall> notifyCalls;

BOOL WINAPI recordNotify(DWORD message, PNOTIFYICONDATAW data) {
    notifyCalls.push_back(
        {message, data->uFlags, data->szTip, data->szInfoTitle, data->szInfo, data->dwInfoFlags});
    return TRUE;
}

struct TickClock final : platform::Clock {
    std::uint64_t tick = 0;
    std::uint64_t tickCount() override { return tick; }
    std::int64_t nowMsecsSinceEpoch() override { return 0; }
    std::string formatShortDate(std::int64_t) override { return {}; }
    std::string formatLongTime(std::int64_t) override { return {}; }
};

class TrayIconTest : public ::testing::Test {
protected:
    TrayIconTest() {
        notifyCalls.clear();
        services.clock = std::unique_ptr<TickClock>(clock = new TickClock);
        services.registry = std::make_unique<fakes::FakeRegistry>();
        notice = std::make_unique<win32::TrayNotice>(state, services, icon);
        icon.setMouseCall([this](TrayMouse message) { heard.push_back(message); });
    }

    /// Arms a task of a kind for up time 0 d 01:00 and lets the clock reach a tick.
    void arm(const std::string& kind, std::uint64_t tick) {
        clock->tick = tick;
        state.changeTask([&kind](core::ScheduledTask& task) { task = {true, "0", "1", "0", kind}; });
        state.setTriggerCheckRunning(true);
    }
    /// The up-time refresh of a second, at a tick.
    void refresh(std::uint64_t tick) {
        clock->tick = tick;
        state.setUptime({0, static_cast<int>(tick / 3'600'000), static_cast<int>(tick / kMinute % 60), {}});
    }
    std::vector<NotifyCall> calls(UINT flags) const {
        std::vector<NotifyCall> found;
        for (const NotifyCall& call : notifyCalls) {
            if (call.message == NIM_MODIFY && call.flags == flags) {
                found.push_back(call);
            }
        }
        return found;
    }

    PlainWindow window;
    TrayIcon icon{window.handle, kCallback, [](HWND, UINT, DWORD, PCHANGEFILTERSTRUCT) { return TRUE; },
                  recordNotify};
    platform::Services services;
    TickClock* clock = nullptr;
    core::AppState state;
    std::unique_ptr<win32::TrayNotice> notice;
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

TEST_F(TrayIconTest, TheArmedTaskShowsInTheTipAndItsWarningInABalloonUntilDisarmed) {
    icon.show();
    // Armed 25 s before the trigger minute: the warning at once, with the seconds left.
    arm("Turn Off Computer", 59 * kMinute + 35'000);
    refresh(59 * kMinute + 35'000);
    EXPECT_EQ(calls(NIF_TIP).back().tip, L"Corvane 4.0\nTurn Off Computer at up time 0 d 01:00 (in 1 min)");
    ASSERT_EQ(calls(NIF_INFO).size(), 1U);
    const NotifyCall balloon = calls(NIF_INFO)[0];
    EXPECT_EQ(balloon.title, L"Corvane");
    EXPECT_EQ(balloon.text, L"Corvane will turn off the computer in 25 seconds.\nClick here to cancel.");
    EXPECT_EQ(balloon.infoFlags, static_cast<DWORD>(NIIF_WARNING));
    // Disarmed (Apply without the tick, or the task ran): the balloon goes, the tip is the title.
    core::cancelSchedule(state);
    ASSERT_EQ(calls(NIF_INFO).size(), 2U);
    EXPECT_EQ(calls(NIF_INFO)[1].text, L"");
    EXPECT_EQ(calls(NIF_TIP).back().tip, L"Corvane 4.0");
}

TEST_F(TrayIconTest, AClickOnTheShownBalloonCancelsTheTaskAndNothingElseDoes) {
    struct Case {
        std::vector<UINT> events; ///< the tray's messages, the taskbar's return as 0
        bool cancelled;
    };
    const Case cases[] = {
        // The balloon that took the click is taken away too.
        {{NIN_BALLOONSHOW, NIN_BALLOONUSERCLICK}, true},
        // Once the balloon went by itself, a late click on it cancels nothing.
        {{NIN_BALLOONTIMEOUT, NIN_BALLOONUSERCLICK}, false},
        {{NIN_BALLOONHIDE, NIN_BALLOONUSERCLICK}, false},
        {{0, NIN_BALLOONUSERCLICK}, false},
    };
    icon.show();
    for (const Case& c : cases) {
        arm("Hibernate", 59 * kMinute + 1'000);
        refresh(59 * kMinute + 1'000);
        notifyCalls.clear();
        for (const UINT event : c.events) {
            EXPECT_TRUE(event == 0 ? icon.handleMessage(TrayIcon::taskbarCreatedMessage(), 0)
                                   : icon.handleMessage(kCallback, static_cast<LPARAM>(event)));
        }
        EXPECT_EQ(!state.task().scheduled && !state.triggerCheckRunning(), c.cancelled) << c.events[0];
        EXPECT_EQ(calls(NIF_INFO).size(), c.cancelled ? 1U : 0U) << c.events[0];
        core::cancelSchedule(state);
    }
    // No balloon message is one of the core's mouse messages (those bring the menu's owner forward).
    EXPECT_TRUE(heard.empty());
}

} // namespace
