// The main window's rules on a fake view: start-up and its placement, the up-time refresh, its
// 31-day end, the separators, the hourly beep's arming, more or less information, minimizing and
// the tray's mouse messages.
#include "core_fixture.h"

#include <string>
#include <vector>

namespace {

using platform::MessageIcon;

constexpr std::uint64_t kHour = 3'600'000ULL;

TEST_F(MainWindowCoreTest, Refresh_ShowsTheUptimeOfEachTick) {
    EXPECT_EQ(view.days, "00");
    EXPECT_EQ(view.startDate, "Date & Time");
    refreshAt(86'400'000ULL);
    EXPECT_EQ(view.days, "01");
    EXPECT_EQ(view.hours, "24");
    EXPECT_EQ(view.minutes, "00");
    EXPECT_EQ(mainWindow->state().uptime().hoursText, "24");
    EXPECT_EQ(mainWindow->state().uptime().days, 1);
    EXPECT_EQ(mainWindow->state().uptime().hours, 24);
    refreshAt(90'000'000ULL + 9 * 60'000ULL);
    EXPECT_EQ(view.hours, "01");
    EXPECT_EQ(view.minutes, "09");
    EXPECT_EQ(mainWindow->state().uptime().minutes, 9);
    refreshAt(0);
    EXPECT_EQ(mainWindow->state().uptime().hoursText, "0");
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
        f.messages->shown[0].text.starts_with("Corvane has identified that your Computer is continuously"));
    EXPECT_TRUE(f.messages->shown[0].text.ends_with("Then start Corvane. "));
    EXPECT_EQ(f.messages->shown[0].title, "Corvane");
    EXPECT_EQ(f.messages->shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259}));
    // Nothing after the rule ran: the hour kept its old text.
    EXPECT_EQ(view.hours, hoursBefore);
    // A late tick does not show the message again.
    refreshAt(746 * kHour);
    EXPECT_EQ(f.messages->shown.size(), 1u);
    EXPECT_FALSE(mainWindow->uptimeTimer().isActive());
}

TEST_F(MainWindowCoreTest, Refresh_PastThe32BitWrapStillEndsTheProgram) {
    // 50 days: a 32-bit count would read 0 days 6 hours here.
    refreshAt(50ULL * 24 * kHour);
    EXPECT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.process->terminations.size(), 1u);
}

TEST_F(MainWindowCoreTest, Refresh_FailureShowsTheRestartMessageAndEnds) {
    f.clock->failTick = true;
    mainWindow->refreshUptime();
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
    mainWindow->state().setHourlyBeepArmed(false);
    mainWindow->state().setOptionCache(core::StoredOption::HourlyBeep, "1");
    for (int minute = 0; minute < 60; ++minute) {
        mainWindow->state().setHourlyBeepArmed(false);
        refreshAt(5 * kHour + static_cast<std::uint64_t>(minute) * 60'000ULL);
        EXPECT_EQ(mainWindow->hourlyBeepTimer().isActive(), minute == 58) << minute;
    }
    // Arming again while armed keeps the running timer (a restart would postpone its tick).
    mainWindow->state().setHourlyBeepArmed(false);
    refreshAt(5 * kHour + 58 * 60'000ULL);
    const int remaining = mainWindow->hourlyBeepTimer().remainingMs();
    refreshAt(5 * kHour + 58 * 60'000ULL + 1000);
    EXPECT_LE(mainWindow->hourlyBeepTimer().remainingMs(), remaining);

    for (const char* cache : {"0", "hrbeepstatus", "2"}) {
        mainWindow->state().setHourlyBeepArmed(false);
        mainWindow->state().setOptionCache(core::StoredOption::HourlyBeep, cache);
        refreshAt(5 * kHour + 58 * 60'000ULL);
        EXPECT_FALSE(mainWindow->hourlyBeepTimer().isActive()) << cache;
    }
}

TEST_F(MainWindowCoreTest, StartTime_ShownOnceFromNowLessTheUptime) {
    f.clock->tick = 26 * kHour + 400; // up one day and two hours
    const std::int64_t start = mainWindow->showSystemStart();
    EXPECT_EQ(start, 1'796'632'215'000LL - 26 * static_cast<std::int64_t>(kHour));
    EXPECT_EQ(view.startDate, "2026-12-06");
    EXPECT_EQ(view.startTime, "06:30:15");
    f.clock->now += 60'000;
    mainWindow->showTimeNow();
    EXPECT_EQ(view.timeNow, "08:31:15");
    EXPECT_EQ(view.startTime, "06:30:15");
}

TEST_F(MainWindowCoreTest, Load_PlacesAboveTheScreenAndSlidesToTheLastRow) {
    f.screen->area = {0, 0, 1023, 738};
    mainWindow->load();
    EXPECT_EQ(f.process->locks, (std::vector<std::string>{"Corvane4.0"}));
    EXPECT_EQ(mainWindow->heightTwips(), 2325.0f);
    EXPECT_EQ(mainWindow->slide().currentRow(), -155);
    EXPECT_EQ(mainWindow->slide().endRow(), 0);
    EXPECT_TRUE(mainWindow->slide().timer().isActive());
    EXPECT_TRUE(mainWindow->uptimeTimer().isActive());
    EXPECT_EQ(view.moreLessPicture, core::MoreLess::Less);
    EXPECT_TRUE(view.trayIcon);
    EXPECT_TRUE(view.menuOwner);
    EXPECT_NE(view.startDate, "Date & Time");

    int steps = 0;
    while (mainWindow->slide().timer().isActive() && steps < 1000) {
        mainWindow->slide().step();
        ++steps;
    }
    EXPECT_EQ(steps, 155);
    EXPECT_EQ(mainWindow->slide().currentRow(), 0);
    EXPECT_EQ(view.places.back().first, 512); // 511.5 goes to the even neighbour
}

TEST_F(MainWindowCoreTest, Load_SlideEndsOneRowAboveAPanelThatReservesTheTop) {
    for (int top : {1, 24, 38}) {
        MainWindowCoreHarness w;
        w.f.screen->area = {0, top, 1024, 768};
        w.mainWindow->load();
        EXPECT_EQ(w.mainWindow->slide().currentRow(), -155) << top; // still from above the screen
        int steps = 0;
        while (w.mainWindow->slide().timer().isActive() && steps < 1000) {
            w.mainWindow->slide().step();
            ++steps;
        }
        EXPECT_EQ(steps, 155 + top) << top; // the last step at top - 1
        EXPECT_EQ(w.mainWindow->slide().currentRow(), top) << top;
    }
}

TEST_F(MainWindowCoreTest, Load_UnsupportedSystemShowsTheMessageAndEndsAtOnce) {
    for (int id : {0, 1}) {
        MainWindowCoreHarness w;
        w.f.process->platform = id;
        w.mainWindow->load();
        EXPECT_EQ(w.f.messages->shown,
                  fakes::oneBox("Corvane does not support this OS. Program will be terminated",
                                MessageIcon::Critical));
        EXPECT_EQ(w.f.process->immediateEnds, 1);
        EXPECT_FALSE(w.mainWindow->uptimeTimer().isActive());
        EXPECT_FALSE(w.view.trayIcon);
    }
}

TEST_F(MainWindowCoreTest, Initialize_ListFailureIsReportedAndStartupGoesOn) {
    f.processes->failList = true;
    mainWindow->checkInstance();
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.messages->shown[0].text, "The process list cannot be read.");
    EXPECT_EQ(f.process->immediateEnds, 0);
}

TEST_F(MainWindowCoreTest, MoreLess_TogglesHeightPictureAndCurrentTime) {
    mainWindow->load();
    const double top = view.moreLessTop;
    mainWindow->toggleMoreInformation();
    EXPECT_EQ(mainWindow->heightTwips(), 1170.0f);
    EXPECT_EQ(view.moreLessPicture, core::MoreLess::More);
    EXPECT_GT(view.moreLessTop, top);
    EXPECT_FALSE(mainWindow->clockTimer().isActive());

    mainWindow->toggleMoreInformation();
    EXPECT_EQ(mainWindow->heightTwips(), 2325.0f);
    EXPECT_EQ(view.moreLessPicture, core::MoreLess::Less);
    EXPECT_EQ(view.moreLessTop, top);
    EXPECT_TRUE(mainWindow->clockTimer().isActive());
}

TEST_F(MainWindowCoreTest, MoreLess_ShrinkingShowsTransparencyOffLook) {
    mainWindow->load();
    mainWindow->toggleTransparency();
    mainWindow->toggleMoreInformation();
    EXPECT_EQ(view.transparencyPicture, core::ToggleLook::Off);
    mainWindow->toggleTransparency();
    mainWindow->toggleMoreInformation();
    EXPECT_EQ(view.transparencyPicture, core::ToggleLook::On);
}

TEST_F(MainWindowCoreTest, MoreLess_HeightsOutsideTheRangeNeverChange) {
    mainWindow->load();
    for (float h : {2289.0f, 2426.0f, 1171.0f}) {
        mainWindow->setHeightTwips(h);
        mainWindow->toggleMoreInformation();
        EXPECT_EQ(mainWindow->heightTwips(), h);
    }
    for (float h : {2290.0f, 2425.0f}) {
        mainWindow->setHeightTwips(h);
        mainWindow->toggleMoreInformation();
        EXPECT_EQ(mainWindow->heightTwips(), 1170.0f) << h;
    }
}

TEST_F(MainWindowCoreTest, Minimize_MenuItemAfterTheButton) {
    mainWindow->load();
    mainWindow->minimize();
    EXPECT_TRUE(view.minimized);
    EXPECT_EQ(view.minimizeItem, "Minimize");
    mainWindow->toggleMinimized();
    EXPECT_TRUE(view.minimized);
    EXPECT_EQ(view.minimizeItem, "Maximize");
    mainWindow->toggleMinimized();
    EXPECT_FALSE(view.minimized);
    EXPECT_EQ(view.minimizeItem, "Minimize");
}

TEST_F(MainWindowCoreTest, Tray_OnlyARightPressOpensTheMenu) {
    mainWindow->load();
    for (const core::TrayMouse message :
         {core::TrayMouse::Move, core::TrayMouse::LeftDown, core::TrayMouse::LeftDoubleClick,
          core::TrayMouse::MiddleDown, core::TrayMouse::Other}) {
        mainWindow->trayMouse(message);
        EXPECT_FALSE(view.menuOpen) << static_cast<int>(message);
    }
    mainWindow->trayMouse(core::TrayMouse::RightDown);
    EXPECT_TRUE(view.menuOpen);
}

} // namespace
