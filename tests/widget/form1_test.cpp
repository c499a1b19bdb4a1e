#include "fixtures.h"

#include <QDate>
#include <QLocale>
#include <QTest>
#include <QTime>

#include <utility>
#include <vector>

namespace {

using platform::MessageIcon;

constexpr std::uint64_t kHour = 3'600'000ULL;

using Form1Fixture = MainWindowTest;

TEST_F(Form1Fixture, Refresh_ShowsTheUptimeOfEachTick) {
    EXPECT_EQ(form1->ldd->text(), "00");
    EXPECT_EQ(form1->Label5->text(), "Date & Time");
    refreshAt(86'400'000ULL);
    EXPECT_EQ(form1->ldd->text(), "01");
    EXPECT_EQ(form1->lhh->text(), "24");
    EXPECT_EQ(form1->lmm->text(), "00");
    EXPECT_EQ(form1->lhhtxt, "24");
    EXPECT_EQ(form1->UptimeDays, 1);
    EXPECT_EQ(form1->UptimeHours, 24);
    refreshAt(90'000'000ULL + 9 * 60'000ULL);
    EXPECT_EQ(form1->lhh->text(), "01");
    EXPECT_EQ(form1->lmm->text(), "09");
    EXPECT_EQ(form1->UptimeMinutes, 9);
    refreshAt(0);
    EXPECT_EQ(form1->lhhtxt, "0");
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_FALSE(f.process->ended());
}

TEST_F(Form1Fixture, Refresh_At744HoursRunsOnAndAt745ShowsTheMessageOnceAndEnds) {
    refreshAt(744 * kHour);
    EXPECT_EQ(form1->ldd->text(), "31");
    EXPECT_EQ(form1->lhh->text(), "24");
    EXPECT_FALSE(f.process->ended());

    const QString hoursBefore = form1->lhh->text();
    refreshAt(745 * kHour);
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_TRUE(
        f.messages->shown[0].text.startsWith("Corvane has identified that your Computer is continuously"));
    EXPECT_TRUE(f.messages->shown[0].text.endsWith("Then start Corvane. "));
    EXPECT_EQ(f.messages->shown[0].title, "Corvane");
    EXPECT_EQ(f.messages->shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259}));
    // Nothing after the rule ran: the hour kept its old text.
    EXPECT_EQ(form1->lhh->text(), hoursBefore);
    // A late tick does not show the message again.
    refreshAt(746 * kHour);
    EXPECT_EQ(f.messages->shown.size(), 1u);
    EXPECT_FALSE(form1->Timer1.isActive());
}

TEST_F(Form1Fixture, Refresh_PastThe32BitWrapStillEndsTheProgram) {
    // 50 days: a 32-bit count would read 0 days 6 hours here.
    refreshAt(50ULL * 24 * kHour);
    EXPECT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.process->terminations.size(), 1u);
}

TEST_F(Form1Fixture, Refresh_FailureShowsTheRestartMessageAndEnds) {
    f.clock->failTick = true;
    form1->Timer1_Timer();
    EXPECT_EQ(f.messages->shown,
              fakes::OneBox("You must restart your computer to for Corvane to function corectly.",
                            MessageIcon::Exclamation));
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259}));
}

TEST_F(Form1Fixture, Refresh_SeparatorsBlinkTogether) {
    EXPECT_FALSE(form1->Label1->isHidden());
    EXPECT_FALSE(form1->Label9->isHidden());
    refreshAt(1000);
    EXPECT_TRUE(form1->Label1->isHidden());
    EXPECT_TRUE(form1->Label9->isHidden());
    refreshAt(2000);
    EXPECT_FALSE(form1->Label1->isHidden());
    EXPECT_FALSE(form1->Label9->isHidden());
}

TEST_F(Form1Fixture, Refresh_ArmsTheHourlyBeepOnlyDuringMinute58WithTheOptionOn) {
    form1->Timer4.stop();
    form1->hrbeepstatus = "1";
    for (int minute = 0; minute < 60; ++minute) {
        form1->Timer4.stop();
        refreshAt(5 * kHour + static_cast<std::uint64_t>(minute) * 60'000ULL);
        EXPECT_EQ(form1->Timer4.isActive(), minute == 58) << minute;
    }
    // Arming again while armed keeps the running timer (a restart would postpone its tick).
    form1->Timer4.stop();
    refreshAt(5 * kHour + 58 * 60'000ULL);
    const int remaining = form1->Timer4.remainingTime();
    refreshAt(5 * kHour + 58 * 60'000ULL + 1000);
    EXPECT_LE(form1->Timer4.remainingTime(), remaining);

    for (const char* cache : {"0", "hrbeepstatus", "2"}) {
        form1->Timer4.stop();
        form1->hrbeepstatus = cache;
        refreshAt(5 * kHour + 58 * 60'000ULL);
        EXPECT_FALSE(form1->Timer4.isActive()) << cache;
    }
}

TEST_F(Form1Fixture, StartTime_ShownOnceFromNowLessTheUptime) {
    f.clock->tick = 26 * kHour + 400; // up one day and two hours
    const std::int64_t start = form1->SystemStartTimeDate();
    EXPECT_EQ(start, 1'796'632'215'000LL - 26 * static_cast<std::int64_t>(kHour));
    EXPECT_EQ(form1->Label5->text(), "2026-12-06");
    EXPECT_EQ(form1->Label10->text(), "06:30:15");
    f.clock->now += 60'000;
    form1->Timer6_Timer();
    EXPECT_EQ(form1->Label14->text(), "08:31:15");
    EXPECT_EQ(form1->Label10->text(), "06:30:15");
}

TEST_F(Form1Fixture, Load_PlacesAboveTheScreenAndSlidesToTheLastRow) {
    f.screen->area = {0, 0, 1023, 738};
    form1->Form_Load();
    EXPECT_EQ(f.process->locks, (std::vector<std::string>{"Corvane4.0"}));
    EXPECT_EQ(form1->Height(), 2325.0f);
    EXPECT_EQ(form1->currentRow(), -155);
    EXPECT_EQ(form1->endRow(), 0);
    EXPECT_TRUE(form1->tmrmvdown.isActive());
    EXPECT_TRUE(form1->Timer1.isActive());
    EXPECT_EQ(form1->Image3->picture(), 3);
    ASSERT_NE(form1->trayIcon(), nullptr);
    EXPECT_EQ(form1->trayIcon()->toolTip(), "Corvane 4.0");
    EXPECT_NE(form1->form5(), nullptr);
    EXPECT_FALSE(form1->form5()->isVisible());
    EXPECT_NE(form1->Label5->text(), "Date & Time");

    int steps = 0;
    while (form1->tmrmvdown.isActive() && steps < 1000) {
        form1->tmrmvdown_Timer();
        ++steps;
    }
    EXPECT_EQ(steps, 155);
    EXPECT_EQ(form1->currentRow(), 0);
    EXPECT_EQ(form1->x(), 512); // 511.5 goes to the even neighbour
}

TEST_F(Form1Fixture, Load_UnsupportedSystemShowsTheMessageAndEndsAtOnce) {
    for (int id : {0, 1}) {
        MainWindow w;
        w.f.process->platform = id;
        w.form1->Form_Load();
        EXPECT_EQ(w.f.messages->shown,
                  fakes::OneBox("Corvane does not support this OS. Program will be terminated",
                                MessageIcon::Critical));
        EXPECT_EQ(w.f.process->immediateEnds, 1);
        EXPECT_FALSE(w.form1->Timer1.isActive());
        EXPECT_EQ(w.form1->trayIcon(), nullptr);
    }
}

TEST_F(Form1Fixture, Initialize_ListFailureIsReportedAndStartupGoesOn) {
    f.processes->failList = true;
    form1->Form_Initialize();
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.messages->shown[0].text, "The process list cannot be read.");
    EXPECT_EQ(f.process->immediateEnds, 0);
}

TEST_F(Form1Fixture, MoreLess_TogglesHeightPictureAndCurrentTime) {
    form1->Form_Load();
    const int top = form1->Image3->y();
    form1->Image3_Click();
    EXPECT_EQ(form1->Height(), 1170.0f);
    EXPECT_EQ(form1->height(), (1170 - 360) / 15 + 2) << "the client area ends a pixel below the button";
    EXPECT_EQ(form1->Image3->picture(), 4);
    EXPECT_GT(form1->Image3->y(), top);
    EXPECT_FALSE(form1->Timer6.isActive());

    form1->Image3_Click();
    EXPECT_EQ(form1->Height(), 2325.0f);
    EXPECT_EQ(form1->height(), (2325 - 360) / 15);
    EXPECT_EQ(form1->Image3->picture(), 3);
    EXPECT_EQ(form1->Image3->y(), top);
    EXPECT_TRUE(form1->Timer6.isActive());
}

TEST_F(Form1Fixture, MoreLess_ShrinkingShowsTransparencyOffLook) {
    form1->Form_Load();
    form1->Image10->setPicture(2);
    form1->Image3_Click();
    EXPECT_EQ(form1->Image10->picture(), 1);
    form1->Image10->setPicture(2);
    form1->Image3_Click();
    EXPECT_EQ(form1->Image10->picture(), 2);
}

TEST_F(Form1Fixture, MoreLess_HeightsOutsideTheRangeNeverChange) {
    form1->Form_Load();
    for (float h : {2289.0f, 2426.0f, 1171.0f}) {
        form1->SetHeight(h);
        form1->Image3_Click();
        EXPECT_EQ(form1->Height(), h);
    }
    for (float h : {2290.0f, 2425.0f}) {
        form1->SetHeight(h);
        form1->Image3_Click();
        EXPECT_EQ(form1->Height(), 1170.0f) << h;
    }
}

TEST_F(Form1Fixture, Minimize_MenuItemAfterTheButton) {
    form1->Form_Load();
    form1->Image4_Click();
    EXPECT_TRUE(form1->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(form1->menu.mn->text(), "Minimize");
    form1->mn_Click();
    EXPECT_TRUE(form1->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(form1->menu.mn->text(), "Maximize");
    form1->mn_Click();
    EXPECT_FALSE(form1->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(form1->menu.mn->text(), "Minimize");
}

TEST_F(Form1Fixture, Menu_ItemsInOrderWithScheduleTaskAsBoldDefault) {
    QStringList texts;
    for (QAction* a : form1->menu.menu->actions()) {
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(texts,
              (QStringList{"About", "-", "Options ", "Schedule Task", "-", "Minimize", "Exit Corvane"}));
    EXPECT_EQ(form1->menu.menu->defaultAction(), form1->menu.shtask);
    EXPECT_TRUE(form1->menu.shtask->font().bold());
}

TEST_F(Form1Fixture, Tray_OnlyARightPressOpensTheMenu) {
    form1->Form_Load();
    for (int message : {512, 513, 514, 515, 517}) {
        form1->TrayCallback(message);
        EXPECT_FALSE(form1->menu.menu->isVisible()) << message;
    }
    form1->TrayCallback(516);
    EXPECT_TRUE(form1->menu.menu->isVisible());
    form1->menu.menu->hide();
}

TEST_F(Form1Fixture, NoTray_TheWindowsRightButtonOpensTheMenu) {
    form1->Form_Load(); // offscreen: no system tray
    QTest::mousePress(form1.get(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 20));
    EXPECT_FALSE(form1->menu.menu->isVisible());
    QTest::mousePress(form1.get(), Qt::RightButton, Qt::NoModifier, QPoint(60, 20));
    EXPECT_TRUE(form1->menu.menu->isVisible());
    form1->menu.menu->hide();
}

TEST_F(Form1Fixture, Exit_EndsWith259AndUnloadRemovesTheTrayIconFirst) {
    form1->Form_Load();
    form1->menu.close->trigger();
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259}));
    EXPECT_TRUE(form1->trayIcon()->isVisible()); // Exit does not take the icon away

    form1->close();
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259, 259}));
    EXPECT_FALSE(form1->trayIcon()->isVisible());
}

// The time of day as the window shows it: the locale's long format without the zone name.
QString TimeOfDay(const QLocale& locale, QTime time) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(time, format.simplified());
}

TEST_F(Form1Fixture, Layout_EveryLabelHoldsItsWidestText) {
    Form1& form = *form1;
    std::vector<std::pair<QLabel*, QString>> cases = {
        {form.ldd, "31"},         {form.lhh, "24"},
        {form.lmm, "59"},         {form.Label4, "Startup Info"},
        {form.Label11, "Date :"}, {form.Label12, "Time :"},
        {form.Label13, "Now  :"},
    };
    // A two-digit day and the widest times of day, in a few common regional formats.
    for (const char* name : {"C", "en_US", "en_GB", "de_DE", "fr_FR"}) {
        const QLocale locale(QString::fromLatin1(name));
        cases.emplace_back(form.Label5, locale.toString(QDate(2026, 12, 27), QLocale::ShortFormat));
        for (const QTime time : {QTime(23, 59, 59), QTime(11, 59, 59)}) {
            cases.emplace_back(form.Label10, TimeOfDay(locale, time));
            cases.emplace_back(form.Label14, TimeOfDay(locale, time));
        }
    }
    for (const auto& [label, text] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_LE(label->fontMetrics().horizontalAdvance(text), label->width());
    }
}

TEST_F(Form1Fixture, Layout_HeadingEndsBeforeTheTransparencyButton) {
    Form1& form = *form1;
    const int headingEnd =
        form.Label4->x() + form.Label4->fontMetrics().horizontalAdvance(form.Label4->text());
    EXPECT_LE(headingEnd, form.Image10->x());
}

TEST_F(Form1Fixture, Layout_NoTwoLabelsOverlap) {
    // A label repainted each second would repaint an overlapping neighbour with it.
    const QList<QLabel*> labels = form1->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    for (QLabel* a : labels) {
        for (QLabel* b : labels) {
            if (a != b && !a->text().isEmpty() && !b->text().isEmpty()) {
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << a->text().toStdString() << " / " << b->text().toStdString();
            }
        }
    }
}

} // namespace
