#include "app/form1.h"
#include "fakes/fake_services.h"

#include <gtest/gtest.h>

namespace {

using fakes::FakeServices;
using platform::MessageIcon;

constexpr std::uint64_t kHour = 3'600'000ULL;

struct Form1Fixture : ::testing::Test {
    FakeServices f;
    std::unique_ptr<Form1> form;

    void SetUp() override {
        f.clock->now = 1'796'632'215'000LL; // 2026-12-07 08:30:15 UTC
        form = std::make_unique<Form1>(f.services);
    }
    void tickAt(std::uint64_t t) {
        f.clock->tick = t;
        form->Timer1_Timer();
    }
};

TEST_F(Form1Fixture, Refresh_ShowsTheUptimeOfEachTick) {
    EXPECT_EQ(form->ldd->text(), "00");
    EXPECT_EQ(form->Label5->text(), "Date & Time");
    tickAt(86'400'000ULL);
    EXPECT_EQ(form->ldd->text(), "01");
    EXPECT_EQ(form->lhh->text(), "24");
    EXPECT_EQ(form->lmm->text(), "00");
    EXPECT_EQ(form->lhhtxt, "24");
    EXPECT_EQ(form->UptimeDays, 1);
    EXPECT_EQ(form->UptimeHours, 24);
    tickAt(90'000'000ULL + 9 * 60'000ULL);
    EXPECT_EQ(form->lhh->text(), "01");
    EXPECT_EQ(form->lmm->text(), "09");
    EXPECT_EQ(form->UptimeMinutes, 9);
    tickAt(0);
    EXPECT_EQ(form->lhhtxt, "0");
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_FALSE(f.process->ended());
}

TEST_F(Form1Fixture, Refresh_At744HoursRunsOnAndAt745ShowsTheMessageOnceAndEnds) {
    tickAt(744 * kHour);
    EXPECT_EQ(form->ldd->text(), "31");
    EXPECT_EQ(form->lhh->text(), "24");
    EXPECT_FALSE(f.process->ended());

    const QString hoursBefore = form->lhh->text();
    tickAt(745 * kHour);
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_TRUE(f.messages->shown[0].text.startsWith("Corvane has identified that your Computer is continuously"));
    EXPECT_TRUE(f.messages->shown[0].text.endsWith("Then start Corvane. "));
    EXPECT_EQ(f.messages->shown[0].title, "Corvane");
    EXPECT_EQ(f.messages->shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259}));
    // Nothing after the rule ran: the hour kept its old text.
    EXPECT_EQ(form->lhh->text(), hoursBefore);
    // A late tick does not show the message again.
    tickAt(746 * kHour);
    EXPECT_EQ(f.messages->shown.size(), 1u);
    EXPECT_FALSE(form->Timer1.isActive());
}

TEST_F(Form1Fixture, Refresh_PastThe32BitWrapStillEndsTheProgram) {
    // 50 days: a 32-bit count would read 0 days 6 hours here.
    tickAt(50ULL * 24 * kHour);
    EXPECT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.process->terminations.size(), 1u);
}

TEST_F(Form1Fixture, Refresh_FailureShowsTheRestartMessageAndEnds) {
    f.clock->failTick = true;
    form->Timer1_Timer();
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.messages->shown[0].text, "You must restart your computer to for Corvane to function corectly.");
    EXPECT_EQ(f.messages->shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259}));
}

TEST_F(Form1Fixture, Refresh_SeparatorsBlinkTogether) {
    EXPECT_FALSE(form->Label1->isHidden());
    EXPECT_FALSE(form->Label9->isHidden());
    tickAt(1000);
    EXPECT_TRUE(form->Label1->isHidden());
    EXPECT_TRUE(form->Label9->isHidden());
    tickAt(2000);
    EXPECT_FALSE(form->Label1->isHidden());
    EXPECT_FALSE(form->Label9->isHidden());
}

TEST_F(Form1Fixture, Refresh_ArmsTheHourlyBeepOnlyDuringMinute58WithTheOptionOn) {
    form->Timer4.stop();
    form->hrbeepstatus = "1";
    for (int minute = 0; minute < 60; ++minute) {
        form->Timer4.stop();
        tickAt(5 * kHour + static_cast<std::uint64_t>(minute) * 60'000ULL);
        EXPECT_EQ(form->Timer4.isActive(), minute == 58) << minute;
    }
    // Arming again while armed keeps the running timer (a restart would postpone its tick).
    form->Timer4.stop();
    tickAt(5 * kHour + 58 * 60'000ULL);
    const int remaining = form->Timer4.remainingTime();
    tickAt(5 * kHour + 58 * 60'000ULL + 1000);
    EXPECT_LE(form->Timer4.remainingTime(), remaining);

    for (const char* cache : {"0", "hrbeepstatus", "2"}) {
        form->Timer4.stop();
        form->hrbeepstatus = cache;
        tickAt(5 * kHour + 58 * 60'000ULL);
        EXPECT_FALSE(form->Timer4.isActive()) << cache;
    }
}

TEST_F(Form1Fixture, StartTime_ShownOnceFromNowLessTheUptime) {
    f.clock->tick = 26 * kHour + 400; // up one day and two hours
    const std::int64_t start = form->SystemStartTimeDate();
    EXPECT_EQ(start, 1'796'632'215'000LL - 26 * static_cast<std::int64_t>(kHour));
    EXPECT_EQ(form->Label5->text(), "2026-12-06");
    EXPECT_EQ(form->Label10->text(), "06:30:15");
    f.clock->now += 60'000;
    form->Timer6_Timer();
    EXPECT_EQ(form->Label14->text(), "08:31:15");
    EXPECT_EQ(form->Label10->text(), "06:30:15");
}

TEST_F(Form1Fixture, Load_PlacesAboveTheScreenAndSlidesToTheLastRow) {
    f.screen->area = {0, 0, 1023, 738};
    form->Form_Load();
    EXPECT_EQ(f.process->locks, (std::vector<std::string>{"Corvane4.0"}));
    EXPECT_EQ(form->Height(), 2325.0f);
    EXPECT_EQ(form->currentRow(), -155);
    EXPECT_EQ(form->endRow(), 0);
    EXPECT_TRUE(form->tmrmvdown.isActive());
    EXPECT_TRUE(form->Timer1.isActive());
    EXPECT_EQ(form->Image3->picture(), 3);
    ASSERT_NE(form->trayIcon(), nullptr);
    EXPECT_EQ(form->trayIcon()->toolTip(), "Corvane 4.0");
    EXPECT_NE(form->form5(), nullptr);
    EXPECT_FALSE(form->form5()->isVisible());
    EXPECT_NE(form->Label5->text(), "Date & Time");

    int steps = 0;
    while (form->tmrmvdown.isActive() && steps < 1000) {
        form->tmrmvdown_Timer();
        ++steps;
    }
    EXPECT_EQ(steps, 155);
    EXPECT_EQ(form->currentRow(), 0);
    EXPECT_EQ(form->x(), 512); // 511.5 goes to the even neighbour
}

TEST_F(Form1Fixture, Load_UnsupportedSystemShowsTheMessageAndEndsAtOnce) {
    for (int id : {0, 1}) {
        FakeServices g;
        g.process->platform = id;
        Form1 other(g.services);
        other.Form_Load();
        ASSERT_EQ(g.messages->shown.size(), 1u);
        EXPECT_EQ(g.messages->shown[0].text, "Corvane does not support this OS. Program will be terminated");
        EXPECT_EQ(g.messages->shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(g.process->immediateEnds, 1);
        EXPECT_FALSE(other.Timer1.isActive());
        EXPECT_EQ(other.trayIcon(), nullptr);
    }
}

TEST_F(Form1Fixture, Initialize_ListFailureIsReportedAndStartupGoesOn) {
    f.processes->failList = true;
    form->Form_Initialize();
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.messages->shown[0].text, "The process list cannot be read.");
    EXPECT_EQ(f.process->immediateEnds, 0);
}

TEST_F(Form1Fixture, Initialize_SecondCopyEndsSilently) {
    f.processes->ids = {10, 20};
    f.processes->paths = {{10, f.processes->ownPath}, {20, f.processes->ownPath}};
    form->Form_Initialize();
    EXPECT_EQ(f.process->immediateEnds, 1);
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(Form1Fixture, MoreLess_TogglesHeightPictureAndCurrentTime) {
    form->Form_Load();
    const int top = form->Image3->y();
    form->Image3_Click();
    EXPECT_EQ(form->Height(), 1170.0f);
    EXPECT_EQ(form->height(), (1170 - 360) / 15);
    EXPECT_EQ(form->Image3->picture(), 4);
    EXPECT_GT(form->Image3->y(), top);
    EXPECT_FALSE(form->Timer6.isActive());

    form->Image3_Click();
    EXPECT_EQ(form->Height(), 2325.0f);
    EXPECT_EQ(form->height(), (2325 - 360) / 15);
    EXPECT_EQ(form->Image3->picture(), 3);
    EXPECT_EQ(form->Image3->y(), top);
    EXPECT_TRUE(form->Timer6.isActive());
}

TEST_F(Form1Fixture, MoreLess_ShrinkingShowsTransparencyOffLook) {
    form->Form_Load();
    form->Image10->setPicture(2);
    form->Image3_Click();
    EXPECT_EQ(form->Image10->picture(), 1);
    form->Image10->setPicture(2);
    form->Image3_Click();
    EXPECT_EQ(form->Image10->picture(), 2);
}

TEST_F(Form1Fixture, MoreLess_HeightsOutsideTheRangeNeverChange) {
    form->Form_Load();
    for (float h : {2289.0f, 2426.0f, 1171.0f}) {
        form->SetHeight(h);
        form->Image3_Click();
        EXPECT_EQ(form->Height(), h);
    }
    for (float h : {2290.0f, 2425.0f}) {
        form->SetHeight(h);
        form->Image3_Click();
        EXPECT_EQ(form->Height(), 1170.0f) << h;
    }
}

TEST_F(Form1Fixture, Minimize_MenuItemAfterTheButton) {
    form->Form_Load();
    form->Image4_Click();
    EXPECT_TRUE(form->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(form->menu.mn->text(), "Minimize");
    form->mn_Click();
    EXPECT_TRUE(form->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(form->menu.mn->text(), "Maximize");
    form->mn_Click();
    EXPECT_FALSE(form->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(form->menu.mn->text(), "Minimize");
}

TEST_F(Form1Fixture, Menu_ItemsInOrderWithScheduleTaskAsBoldDefault) {
    QStringList texts;
    for (QAction* a : form->menu.menu->actions()) {
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(texts, (QStringList{"About", "-", "Options ", "Schedule Task", "-", "Minimize", "Exit Corvane"}));
    EXPECT_EQ(form->menu.menu->defaultAction(), form->menu.shtask);
    EXPECT_TRUE(form->menu.shtask->font().bold());
}

TEST_F(Form1Fixture, Tray_OnlyARightPressOpensTheMenu) {
    form->Form_Load();
    for (int message : {512, 513, 514, 515, 517}) {
        form->TrayCallback(message);
        EXPECT_FALSE(form->menu.menu->isVisible()) << message;
    }
    form->TrayCallback(516);
    EXPECT_TRUE(form->menu.menu->isVisible());
    form->menu.menu->hide();
}

TEST_F(Form1Fixture, Exit_EndsWith259AndUnloadRemovesTheTrayIconFirst) {
    form->Form_Load();
    form->menu.close->trigger();
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259}));
    EXPECT_TRUE(form->trayIcon()->isVisible() || !QSystemTrayIcon::isSystemTrayAvailable());

    form->close();
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259, 259}));
    EXPECT_FALSE(form->trayIcon()->isVisible());
}

} // namespace
