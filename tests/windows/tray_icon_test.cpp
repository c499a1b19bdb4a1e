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

    /// Hibernate armed for up time 0 d 01:00, 25 s before that minute begins.
    void arm() {
        clock->tick = 59 * 60'000 + 35'000;
        state.changeTask([](core::ScheduledTask& task) { task = {true, "0", "1", "0", "Hibernate"}; });
        state.setTriggerCheckRunning(true);
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

TEST_F(TrayIconTest, TheArmedTaskShowsInTheTipAndABalloonThatOnlyAClickWhileShownCancels) {
    struct Case {
        std::vector<UINT> events; ///< the tray's messages, the taskbar's return as 0
        bool cancelled;
    };
    const Case cases[] = {
        {{}, false},
        {{NIN_BALLOONSHOW, NIN_BALLOONUSERCLICK}, true},
        // Once the balloon went by itself, a late click on it cancels nothing.
        {{NIN_BALLOONTIMEOUT, NIN_BALLOONUSERCLICK}, false},
        {{NIN_BALLOONHIDE, NIN_BALLOONUSERCLICK}, false},
        {{0, NIN_BALLOONUSERCLICK}, false},
    };
    icon.show();
    for (const Case& c : cases) {
        notifyCalls.clear();
        arm();
        EXPECT_EQ(calls(NIF_TIP).back().tip, L"Corvane 4.0\nHibernate at up time 0 d 01:00 (in 1 min)");
        ASSERT_EQ(calls(NIF_INFO).size(), 1U);
        const NotifyCall balloon = calls(NIF_INFO)[0];
        EXPECT_EQ(balloon.title + L": " + balloon.text,
                  L"Corvane: Corvane will hibernate the computer in 25 seconds.\nClick here to cancel.");
        EXPECT_EQ(balloon.infoFlags, static_cast<DWORD>(NIIF_WARNING));
        for (const UINT event : c.events) {
            EXPECT_TRUE(event == 0 ? icon.handleMessage(TrayIcon::taskbarCreatedMessage(), 0)
                                   : icon.handleMessage(kCallback, static_cast<LPARAM>(event)));
        }
        EXPECT_EQ(!state.task().scheduled && !state.triggerCheckRunning(), c.cancelled);
        // Disarmed: a balloon still up, or the one clicked, is taken away (an empty text).
        core::cancelSchedule(state);
        EXPECT_EQ(calls(NIF_INFO).size(), c.events.empty() || c.cancelled ? 2U : 1U);
        EXPECT_EQ(calls(NIF_INFO).back().text.empty(), c.events.empty() || c.cancelled);
        EXPECT_EQ(calls(NIF_TIP).back().tip, L"Corvane 4.0");
    }
    // No balloon message is one of the core's mouse messages (those bring the menu's owner forward).
    EXPECT_TRUE(heard.empty());
}

} // namespace
