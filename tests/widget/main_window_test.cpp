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

using MainWindowFixture = MainWindowTest;

TEST_F(MainWindowFixture, StartTime_ShownOnceFromNowLessTheUptime) {
    f.clock->tick = 26 * kHour + 400; // up one day and two hours
    const std::int64_t start = mainWindow->showSystemStart();
    EXPECT_EQ(start, 1'796'632'215'000LL - 26 * static_cast<std::int64_t>(kHour));
    EXPECT_EQ(mainWindow->display.startDateLabel->text(), "2026-12-06");
    EXPECT_EQ(mainWindow->display.startTimeLabel->text(), "06:30:15");
    f.clock->now += 60'000;
    mainWindow->showTimeNow();
    EXPECT_EQ(mainWindow->display.nowLabel->text(), "08:31:15");
    EXPECT_EQ(mainWindow->display.startTimeLabel->text(), "06:30:15");
}

TEST_F(MainWindowFixture, Load_PlacesAboveTheScreenAndSlidesToTheLastRow) {
    f.screen->area = {0, 0, 1023, 738};
    mainWindow->load();
    EXPECT_EQ(f.process->locks, (std::vector<std::string>{"Corvane4.0"}));
    EXPECT_EQ(mainWindow->heightTwips(), 2325.0f);
    EXPECT_EQ(mainWindow->slide.currentRow(), -155);
    EXPECT_EQ(mainWindow->slide.endRow(), 0);
    EXPECT_TRUE(mainWindow->slide.timer().isActive());
    EXPECT_TRUE(mainWindow->uptimeTimer.isActive());
    EXPECT_EQ(mainWindow->buttons.moreLessButton->picture(), 3);
    ASSERT_NE(mainWindow->trayIcon(), nullptr);
    EXPECT_EQ(mainWindow->trayIcon()->toolTip(), "Corvane 4.0");
    EXPECT_NE(mainWindow->menu.owner(), nullptr);
    EXPECT_FALSE(mainWindow->menu.owner()->isVisible());
    EXPECT_NE(mainWindow->display.startDateLabel->text(), "Date & Time");

    int steps = 0;
    while (mainWindow->slide.timer().isActive() && steps < 1000) {
        mainWindow->slide.step();
        ++steps;
    }
    EXPECT_EQ(steps, 155);
    EXPECT_EQ(mainWindow->slide.currentRow(), 0);
    EXPECT_EQ(mainWindow->x(), 512); // 511.5 goes to the even neighbour
}

TEST_F(MainWindowFixture, Load_SlideEndsOneRowAboveAPanelThatReservesTheTop) {
    for (int top : {1, 24, 38}) {
        MainWindowHarness w;
        w.f.screen->area = {0, top, 1024, 768};
        w.mainWindow->load();
        EXPECT_EQ(w.mainWindow->slide.currentRow(), -155) << top; // still from above the screen
        int steps = 0;
        while (w.mainWindow->slide.timer().isActive() && steps < 1000) {
            w.mainWindow->slide.step();
            ++steps;
        }
        EXPECT_EQ(steps, 155 + top) << top; // the last step at top - 1
        EXPECT_EQ(w.mainWindow->slide.currentRow(), top) << top;
    }
}

TEST_F(MainWindowFixture, Load_UnsupportedSystemShowsTheMessageAndEndsAtOnce) {
    for (int id : {0, 1}) {
        MainWindowHarness w;
        w.f.process->platform = id;
        w.mainWindow->load();
        EXPECT_EQ(w.f.messages->shown,
                  fakes::oneBox("Corvane does not support this OS. Program will be terminated",
                                MessageIcon::Critical));
        EXPECT_EQ(w.f.process->immediateEnds, 1);
        EXPECT_FALSE(w.mainWindow->uptimeTimer.isActive());
        EXPECT_EQ(w.mainWindow->trayIcon(), nullptr);
    }
}

TEST_F(MainWindowFixture, Initialize_ListFailureIsReportedAndStartupGoesOn) {
    f.processes->failList = true;
    mainWindow->checkInstance();
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.messages->shown[0].text, "The process list cannot be read.");
    EXPECT_EQ(f.process->immediateEnds, 0);
}

TEST_F(MainWindowFixture, MoreLess_TogglesHeightPictureAndCurrentTime) {
    mainWindow->load();
    const int top = mainWindow->buttons.moreLessButton->y();
    mainWindow->toggleMoreInformation();
    EXPECT_EQ(mainWindow->heightTwips(), 1170.0f);
    EXPECT_EQ(mainWindow->height(), (1170 - 360) / 15 + 2) << "the client area ends a pixel below the button";
    EXPECT_EQ(mainWindow->buttons.moreLessButton->picture(), 4);
    EXPECT_GT(mainWindow->buttons.moreLessButton->y(), top);
    EXPECT_FALSE(mainWindow->clockTimer.isActive());

    mainWindow->toggleMoreInformation();
    EXPECT_EQ(mainWindow->heightTwips(), 2325.0f);
    EXPECT_EQ(mainWindow->height(), (2325 - 360) / 15);
    EXPECT_EQ(mainWindow->buttons.moreLessButton->picture(), 3);
    EXPECT_EQ(mainWindow->buttons.moreLessButton->y(), top);
    EXPECT_TRUE(mainWindow->clockTimer.isActive());
}

TEST_F(MainWindowFixture, MoreLess_ShrinkingShowsTransparencyOffLook) {
    mainWindow->load();
    mainWindow->buttons.transparencyButton->setPicture(2);
    mainWindow->toggleMoreInformation();
    EXPECT_EQ(mainWindow->buttons.transparencyButton->picture(), 1);
    mainWindow->buttons.transparencyButton->setPicture(2);
    mainWindow->toggleMoreInformation();
    EXPECT_EQ(mainWindow->buttons.transparencyButton->picture(), 2);
}

TEST_F(MainWindowFixture, MoreLess_HeightsOutsideTheRangeNeverChange) {
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

TEST_F(MainWindowFixture, Minimize_MenuItemAfterTheButton) {
    mainWindow->load();
    mainWindow->minimize();
    EXPECT_TRUE(mainWindow->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(mainWindow->menu.minimize->text(), "Minimize");
    mainWindow->toggleMinimized();
    EXPECT_TRUE(mainWindow->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(mainWindow->menu.minimize->text(), "Maximize");
    mainWindow->toggleMinimized();
    EXPECT_FALSE(mainWindow->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(mainWindow->menu.minimize->text(), "Minimize");
}

TEST_F(MainWindowFixture, Menu_ItemsInOrderWithScheduleTaskAsBoldDefault) {
    QStringList texts;
    for (QAction* a : mainWindow->menu.menu->actions()) {
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(texts,
              (QStringList{"About", "-", "Options ", "Schedule Task", "-", "Minimize", "Exit Corvane"}));
    EXPECT_EQ(mainWindow->menu.menu->defaultAction(), mainWindow->menu.scheduleTask);
    EXPECT_TRUE(mainWindow->menu.scheduleTask->font().bold());
}

TEST_F(MainWindowFixture, Tray_OnlyARightPressOpensTheMenu) {
    mainWindow->load();
    for (const core::TrayMouse message :
         {core::TrayMouse::Move, core::TrayMouse::LeftDown, core::TrayMouse::LeftDoubleClick,
          core::TrayMouse::MiddleDown, core::TrayMouse::Other}) {
        mainWindow->trayCallback(message);
        EXPECT_FALSE(mainWindow->menu.menu->isVisible()) << static_cast<int>(message);
    }
    mainWindow->trayCallback(core::TrayMouse::RightDown);
    EXPECT_TRUE(mainWindow->menu.menu->isVisible());
    mainWindow->menu.menu->hide();
}

TEST_F(MainWindowFixture, NoTray_TheWindowsRightButtonOpensTheMenuAndItsToolTipSaysSo) {
    EXPECT_TRUE(mainWindow->toolTip().isEmpty());
    mainWindow->load(); // offscreen: no system tray
    EXPECT_TRUE(mainWindow->toolTip().contains("Right-click this window"))
        << mainWindow->toolTip().toStdString();
    QTest::mousePress(mainWindow.get(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 20));
    EXPECT_FALSE(mainWindow->menu.menu->isVisible());
    QTest::mousePress(mainWindow.get(), Qt::RightButton, Qt::NoModifier, QPoint(60, 20));
    EXPECT_TRUE(mainWindow->menu.menu->isVisible());
    mainWindow->menu.menu->hide();
}

TEST_F(MainWindowFixture, Exit_EndsWith259AndUnloadRemovesTheTrayIconFirst) {
    mainWindow->load();
    mainWindow->menu.exit->trigger();
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259}));
    EXPECT_TRUE(mainWindow->trayIcon()->isVisible()); // Exit does not take the icon away

    mainWindow->close();
    EXPECT_EQ(f.process->terminations, (std::vector<std::uint32_t>{259, 259}));
    EXPECT_FALSE(mainWindow->trayIcon()->isVisible());
}

// The time of day as the window shows it: the locale's long format without the zone name.
QString timeOfDay(const QLocale& locale, QTime time) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(time, format.simplified());
}

TEST_F(MainWindowFixture, Layout_EveryLabelHoldsItsWidestText) {
    MainWindow& form = *mainWindow;
    std::vector<std::pair<QLabel*, QString>> cases = {
        {form.display.daysLabel, "31"},
        {form.display.hoursLabel, "24"},
        {form.display.minutesLabel, "59"},
        {form.display.startupHeading, "Startup Info"},
        {form.display.startDateCaption, "Date :"},
        {form.display.startTimeCaption, "Time :"},
        {form.display.nowCaption, "Now  :"},
    };
    // A two-digit day and the widest times of day, in a few common regional formats.
    for (const char* name : {"C", "en_US", "en_GB", "de_DE", "fr_FR"}) {
        const QLocale locale(QString::fromLatin1(name));
        cases.emplace_back(form.display.startDateLabel,
                           locale.toString(QDate(2026, 12, 27), QLocale::ShortFormat));
        for (const QTime time : {QTime(23, 59, 59), QTime(11, 59, 59)}) {
            cases.emplace_back(form.display.startTimeLabel, timeOfDay(locale, time));
            cases.emplace_back(form.display.nowLabel, timeOfDay(locale, time));
        }
    }
    for (const auto& [label, text] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_LE(label->fontMetrics().horizontalAdvance(text), label->width());
    }
}

TEST_F(MainWindowFixture, Layout_HeadingEndsBeforeTheTransparencyButton) {
    MainWindow& form = *mainWindow;
    const int headingEnd =
        form.display.startupHeading->x() +
        form.display.startupHeading->fontMetrics().horizontalAdvance(form.display.startupHeading->text());
    EXPECT_LE(headingEnd, form.buttons.transparencyButton->x());
}

TEST_F(MainWindowFixture, Layout_NoTwoLabelsOverlap) {
    // A label repainted each second would repaint an overlapping neighbour with it.
    const QList<QLabel*> labels = mainWindow->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
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
