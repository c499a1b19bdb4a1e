// The main window of the Qt shell: its tray icon and menu, the mouse without a tray, the window's
// height in pixels, the end from the menu and the close box, and the labels' layout. Its rules
// are the core's (tests/core/main_window_controller_test.cpp).
#include "fixtures.h"

#include <QDate>
#include <QLocale>
#include <QTest>
#include <QTime>

#include <utility>
#include <vector>

namespace {

using MainWindowFixture = MainWindowTest;

TEST_F(MainWindowFixture, Load_TrayIconWithItsToolTipAndAHiddenMenuOwner) {
    mainWindow->load();
    ASSERT_NE(mainWindow->trayIcon(), nullptr);
    EXPECT_EQ(mainWindow->trayIcon()->toolTip(), "Corvane 4.0");
    EXPECT_NE(mainWindow->menuOwner(), nullptr);
    EXPECT_FALSE(mainWindow->menuOwner()->isVisible());
}

TEST_F(MainWindowFixture, MoreLess_TheWindowsHeightInPixels) {
    mainWindow->load();
    mainWindow->core().toggleMoreInformation();
    EXPECT_EQ(mainWindow->height(), (1170 - 360) / 15 + 2) << "the client area ends a pixel below the button";
    mainWindow->core().toggleMoreInformation();
    EXPECT_EQ(mainWindow->height(), (2325 - 360) / 15);
}

TEST_F(MainWindowFixture, Menu_ItemsInOrderWithScheduleTaskAsBoldDefault) {
    auto* menu = control<QMenu>(mainWindow.get(), "menu");
    QStringList texts;
    for (QAction* a : menu->actions()) {
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(texts,
              (QStringList{"About", "-", "Options ", "Schedule Task", "-", "Minimize", "Exit Corvane"}));
    auto* scheduleTask = control<QAction>(mainWindow.get(), "scheduleTask");
    EXPECT_EQ(menu->defaultAction(), scheduleTask);
    EXPECT_TRUE(scheduleTask->font().bold());
}

TEST_F(MainWindowFixture, NoTray_TheWindowsRightButtonOpensTheMenuAndItsToolTipSaysSo) {
    auto* menu = control<QMenu>(mainWindow.get(), "menu");
    EXPECT_TRUE(mainWindow->toolTip().isEmpty());
    mainWindow->load(); // offscreen: no system tray
    EXPECT_TRUE(mainWindow->toolTip().contains("Right-click this window"))
        << mainWindow->toolTip().toStdString();
    QTest::mousePress(mainWindow.get(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 20));
    EXPECT_FALSE(menu->isVisible());
    QTest::mousePress(mainWindow.get(), Qt::RightButton, Qt::NoModifier, QPoint(60, 20));
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

TEST_F(MainWindowFixture, Exit_EndsWith259AndUnloadRemovesTheTrayIconFirst) {
    mainWindow->load();
    control<QAction>(mainWindow.get(), "exit")->trigger();
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
    const auto label = [this](const char* name) { return control<QLabel>(mainWindow.get(), name); };
    std::vector<std::pair<QLabel*, QString>> cases = {
        {label("daysLabel"), "31"},
        {label("hoursLabel"), "24"},
        {label("minutesLabel"), "59"},
        {label("startupHeading"), "Startup Info"},
        {label("startDateCaption"), "Date :"},
        {label("startTimeCaption"), "Time :"},
        {label("nowCaption"), "Now  :"},
    };
    // A two-digit day and the widest times of day, in a few common regional formats.
    for (const char* name : {"C", "en_US", "en_GB", "de_DE", "fr_FR"}) {
        const QLocale locale(QString::fromLatin1(name));
        cases.emplace_back(label("startDateLabel"),
                           locale.toString(QDate(2026, 12, 27), QLocale::ShortFormat));
        for (const QTime time : {QTime(23, 59, 59), QTime(11, 59, 59)}) {
            cases.emplace_back(label("startTimeLabel"), timeOfDay(locale, time));
            cases.emplace_back(label("nowLabel"), timeOfDay(locale, time));
        }
    }
    for (const auto& [shown, text] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_LE(shown->fontMetrics().horizontalAdvance(text), shown->width());
    }
}

TEST_F(MainWindowFixture, Layout_HeadingEndsBeforeTheTransparencyButton) {
    auto* heading = control<QLabel>(mainWindow.get(), "startupHeading");
    const int headingEnd = heading->x() + heading->fontMetrics().horizontalAdvance(heading->text());
    EXPECT_LE(headingEnd, control(mainWindow.get(), "transparencyButton")->x());
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
