// The Options and Schedule Task window on the main window: opening from the menu, the page tabs
// and the Options page's buttons reaching their rules. The rules themselves are the core's
// (tests/core/options_window_test.cpp).
#include "fixtures.h"
#include "shell/qt/options_window.h"
#include "shell/qt/schedule_page.h"

#include <QTest>

namespace {

const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";
const std::string kRun = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

QColor background(QWidget* w) {
    return w->palette().color(QPalette::Window);
}

// After the first run: defaults 1, 1, 0, 1, 0 and the autostart entry.
struct OptionsWindowFixture : LoadedMainWindowTest {
    qtshell::OptionsWindow& open() {
        mainWindow->openOptions();
        return *mainWindow->optionsWindow();
    }
};

} // namespace

TEST_F(OptionsWindowFixture, MenuEntries_OpenTheOneWindowOnEitherPageWithItsCaptionAndColours) {
    mainWindow->openOptions();
    qtshell::OptionsWindow* optionsWindow = mainWindow->optionsWindow();
    ASSERT_NE(optionsWindow, nullptr);
    EXPECT_TRUE(optionsWindow->isVisible());
    EXPECT_EQ(optionsWindow->windowTitle(), "Corvane");
    EXPECT_EQ(background(control(optionsWindow, "optionsPage")), QColor(166, 193, 232));
    EXPECT_EQ(background(control(optionsWindow, "schedulePageFrame")), QColor(166, 193, 232));
    EXPECT_EQ(background(control(optionsWindow, "tabBar")), QColor(96, 143, 224));
    EXPECT_EQ(control<qtshell::PictureButton>(optionsWindow, "optionsTab")->picture(), 2);
    EXPECT_EQ(control<qtshell::PictureButton>(optionsWindow, "scheduleTab")->picture(), 1);
    EXPECT_TRUE(control(optionsWindow, "optionsPage")->isVisible());
    EXPECT_FALSE(control(optionsWindow, "schedulePageFrame")->isVisible());
    EXPECT_EQ(optionsWindow->panel(3)->text(), "M 512 CPU 3%");
    EXPECT_TRUE(optionsWindow->statusBarTimer().isActive());
    EXPECT_EQ(control<QLabel>(optionsWindow, "optionsTabCaption")->text(), "Options");
    EXPECT_EQ(control<QLabel>(optionsWindow, "scheduleTabCaption")->text(), "Schedule Task ");

    // The same window; neither entry hides the other page.
    control<QAction>(mainWindow.get(), "scheduleTask")->trigger();
    EXPECT_EQ(mainWindow->optionsWindow(), optionsWindow);
    EXPECT_EQ(control<qtshell::PictureButton>(optionsWindow, "scheduleTab")->picture(), 2);
    EXPECT_EQ(control<qtshell::PictureButton>(optionsWindow, "optionsTab")->picture(), 1);
    EXPECT_TRUE(control(optionsWindow, "schedulePageFrame")->isVisible());
    EXPECT_TRUE(control(optionsWindow, "optionsPage")->isVisible());
    control<QAction>(mainWindow.get(), "options")->trigger();
    EXPECT_EQ(mainWindow->optionsWindow(), optionsWindow);
    EXPECT_EQ(control<qtshell::PictureButton>(optionsWindow, "optionsTab")->picture(), 2);

    // Closing destroys it, statusBarTimer stopped; the next choice makes a new one.
    optionsWindow->close();
    EXPECT_FALSE(optionsWindow->statusBarTimer().isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(mainWindow->optionsWindow(), nullptr);
    mainWindow->openScheduleTask();
    ASSERT_NE(mainWindow->optionsWindow(), nullptr);
    EXPECT_TRUE(control(mainWindow->optionsWindow(), "schedulePageFrame")->isVisible());
    EXPECT_FALSE(control(mainWindow->optionsWindow(), "optionsPage")->isVisible());
}

TEST_F(OptionsWindowFixture, PageTabs_AMouseClickOnATabTakesItsRule) {
    qtshell::OptionsWindow& optionsWindow = open();
    QTest::mouseClick(control<qtshell::PictureButton>(&optionsWindow, "optionsTab"), Qt::LeftButton);
    EXPECT_FALSE(control(&optionsWindow, "optionsPage")->isVisible());
    EXPECT_EQ(control<qtshell::PictureButton>(&optionsWindow, "optionsTab")->picture(), 1);
    QTest::mouseClick(control<qtshell::PictureButton>(&optionsWindow, "scheduleTab"), Qt::LeftButton);
    EXPECT_TRUE(control(&optionsWindow, "schedulePageFrame")->isVisible());
    EXPECT_EQ(control<qtshell::PictureButton>(&optionsWindow, "scheduleTab")->picture(), 2);
}

TEST_F(OptionsWindowFixture, SchedulePage_GoesIntoItsFrameAndWritesTheFirstTwoPanels) {
    qtshell::OptionsWindow& optionsWindow = open();
    auto* page = control(&optionsWindow, "schedulePageFrame")->findChild<qtshell::SchedulePage*>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->parentWidget(), control(&optionsWindow, "schedulePageFrame"));
    EXPECT_EQ(optionsWindow.panel(1)->text(), "Task Scheduled : No");
}

TEST_F(OptionsWindowFixture, ApplyButtons_ClicksReachTheRulesAndTheNextLoadShowsWhatWasApplied) {
    qtshell::OptionsWindow& optionsWindow = open();
    control<QCheckBox>(&optionsWindow, "autostartCheck")->setChecked(false);
    control<QCheckBox>(&optionsWindow, "hourlyBeepCheck")->setChecked(false);
    QTest::mouseClick(control<qtshell::PictureButton>(&optionsWindow, "applyAutostartButton"),
                      Qt::LeftButton);
    EXPECT_EQ(f.registry->text(kRun, "Corvane"), std::nullopt);
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 0u);

    control<QCheckBox>(&optionsWindow, "figuresCheck")->setChecked(false);
    QTest::mouseClick(control<qtshell::PictureButton>(&optionsWindow, "applyFiguresButton"), Qt::LeftButton);
    EXPECT_EQ(f.registry->dword(kKey, "ShowMemCpu"), 0u);
    EXPECT_EQ(mainWindow->windowTitle(), "");
    EXPECT_TRUE(f.messages->shown.empty());

    // The next load shows what was applied.
    closeOptionsWindow();
    EXPECT_FALSE(control<QCheckBox>(&open(), "hourlyBeepCheck")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(mainWindow->optionsWindow(), "figuresCheck")->isChecked());
}

TEST_F(OptionsWindowFixture, TestLink_AClickPlaysTheSweep) {
    qtshell::OptionsWindow& optionsWindow = open();
    QTest::mouseClick(control<qtshell::PictureButton>(&optionsWindow, "testLink"), Qt::LeftButton);
    EXPECT_EQ(f.tone->tones.size(), 21u);
    EXPECT_EQ(control<qtshell::PictureButton>(&optionsWindow, "testLink")->text(), "Test ");
}
