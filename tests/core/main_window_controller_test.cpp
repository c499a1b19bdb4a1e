// The main window's rules on a fake view: the up-time refresh, its 31-day end, the separators
// and the hourly beep's arming.
#include "core/main_window_controller.h"
#include "core_fixture.h"
#include "fake_main_window_view.h"

#include <vector>

namespace {

using platform::MessageIcon;

constexpr std::uint64_t kHour = 3'600'000ULL;

/// The main window's core on a fake view, on 2026-12-07 at 08:30:15 UTC.
struct MainWindowCoreTest : CoreFixture {
    FakeMainWindowView view;
    core::MainWindowController window{f.services, timers, view};

    MainWindowCoreTest() { f.clock->now = 1'796'632'215'000LL; }
    /// The up-time refresh at a tick count.
    void refreshAt(std::uint64_t tick) {
        f.clock->tick = tick;
        window.refreshUptime();
    }
};

TEST_F(MainWindowCoreTest, Refresh_ShowsTheUptimeOfEachTick) {
    EXPECT_EQ(view.days, "00");
    EXPECT_EQ(view.startDate, "Date & Time");
    refreshAt(86'400'000ULL);
    EXPECT_EQ(view.days, "01");
    EXPECT_EQ(view.hours, "24");
    EXPECT_EQ(view.minutes, "00");
    EXPECT_EQ(window.state().uptime().hoursText, "24");
    EXPECT_EQ(window.state().uptime().days, 1);
    EXPECT_EQ(window.state().uptime().hours, 24);
    refreshAt(90'000'000ULL + 9 * 60'000ULL);
    EXPECT_EQ(view.hours, "01");
    EXPECT_EQ(view.minutes, "09");
    EXPECT_EQ(window.state().uptime().minutes, 9);
    refreshAt(0);
    EXPECT_EQ(window.state().uptime().hoursText, "0");
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_FALSE(f.process->ended());
}

TEST_F(MainWindowCoreTest, Refresh_At744HoursRunsOnAndAt745ShowsTheMessageOnceAndEnds) {
    refreshAt(744 * kHour);
    EXPECT_EQ(view.days, "31");
    EXPECT_EQ(view.hours, "24");
    EXPECT_FALSE(f.process->ended());

    const std::string hoursBefore = view.hours;
    refreshAt(745 * kHour);
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_TRUE(
        f.messages->shown[0].text.startsWith("Corvane has identified that your Computer is continuously"));
    EXPECT_TRUE(f.messages->shown[0].text.endsWith("Then start Corvane. "));
    EXPECT_EQ(f.messages->shown[0].title, "Corvane");
    EXPECT_EQ(f.messages->shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259}));
    // Nothing after the rule ran: the hour kept its old text.
    EXPECT_EQ(view.hours, hoursBefore);
    // A late tick does not show the message again.
    refreshAt(746 * kHour);
    EXPECT_EQ(f.messages->shown.size(), 1u);
    EXPECT_FALSE(window.uptimeTimer().isActive());
}

TEST_F(MainWindowCoreTest, Refresh_PastThe32BitWrapStillEndsTheProgram) {
    // 50 days: a 32-bit count would read 0 days 6 hours here.
    refreshAt(50ULL * 24 * kHour);
    EXPECT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.process->terminations.size(), 1u);
}

TEST_F(MainWindowCoreTest, Refresh_FailureShowsTheRestartMessageAndEnds) {
    f.clock->failTick = true;
    window.refreshUptime();
    EXPECT_EQ(f.messages->shown,
              fakes::oneBox("You must restart your computer to for Corvane to function corectly.",
                            MessageIcon::Exclamation));
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259}));
}

TEST_F(MainWindowCoreTest, Refresh_SeparatorsBlinkTogether) {
    EXPECT_TRUE(view.separatorsShown);
    refreshAt(1000);
    EXPECT_FALSE(view.separatorsShown);
    refreshAt(2000);
    EXPECT_TRUE(view.separatorsShown);
}

TEST_F(MainWindowCoreTest, Refresh_ArmsTheHourlyBeepOnlyDuringMinute58WithTheOptionOn) {
    window.state().setHourlyBeepArmed(false);
    window.state().setOptionCache(core::StoredOption::HourlyBeep, "1");
    for (int minute = 0; minute < 60; ++minute) {
        window.state().setHourlyBeepArmed(false);
        refreshAt(5 * kHour + static_cast<std::uint64_t>(minute) * 60'000ULL);
        EXPECT_EQ(window.hourlyBeepTimer().isActive(), minute == 58) << minute;
    }
    // Arming again while armed keeps the running timer (a restart would postpone its tick).
    window.state().setHourlyBeepArmed(false);
    refreshAt(5 * kHour + 58 * 60'000ULL);
    const int remaining = window.hourlyBeepTimer().remainingMs();
    refreshAt(5 * kHour + 58 * 60'000ULL + 1000);
    EXPECT_LE(window.hourlyBeepTimer().remainingMs(), remaining);

    for (const char* cache : {"0", "hrbeepstatus", "2"}) {
        window.state().setHourlyBeepArmed(false);
        window.state().setOptionCache(core::StoredOption::HourlyBeep, cache);
        refreshAt(5 * kHour + 58 * 60'000ULL);
        EXPECT_FALSE(window.hourlyBeepTimer().isActive()) << cache;
    }
}

} // namespace
