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
    OptionsWindow& open() {
        mainWindow->openOptions();
        return *mainWindow->optionsWindow();
    }
};

} // namespace

TEST_F(OptionsWindowFixture, MenuEntries_OpenTheOneWindowOnEitherPageWithItsCaptionAndColours) {
    mainWindow->openOptions();
    OptionsWindow* optionsWindow = mainWindow->optionsWindow();
    ASSERT_NE(optionsWindow, nullptr);
    EXPECT_TRUE(optionsWindow->isVisible());
    EXPECT_EQ(optionsWindow->windowTitle(), "Corvane");
    EXPECT_EQ(background(optionsWindow->optionsPage), QColor(166, 193, 232));
    EXPECT_EQ(background(optionsWindow->schedulePageFrame), QColor(166, 193, 232));
    EXPECT_EQ(background(optionsWindow->tabBar), QColor(96, 143, 224));
    EXPECT_EQ(optionsWindow->optionsTab->picture(), 2);
    EXPECT_EQ(optionsWindow->scheduleTab->picture(), 1);
    EXPECT_TRUE(optionsWindow->optionsPage->isVisible());
    EXPECT_FALSE(optionsWindow->schedulePageFrame->isVisible());
    EXPECT_EQ(optionsWindow->panel(3)->text(), "M 512 CPU 3%");
    EXPECT_TRUE(optionsWindow->statusBarTimer().isActive());
    EXPECT_EQ(optionsWindow->optionsTabCaption->text(), "Options");
    EXPECT_EQ(optionsWindow->scheduleTabCaption->text(), "Schedule Task ");

    // The same window; neither entry hides the other page.
    mainWindow->menu.scheduleTask->trigger();
    EXPECT_EQ(mainWindow->optionsWindow(), optionsWindow);
    EXPECT_EQ(optionsWindow->scheduleTab->picture(), 2);
    EXPECT_EQ(optionsWindow->optionsTab->picture(), 1);
    EXPECT_TRUE(optionsWindow->schedulePageFrame->isVisible());
    EXPECT_TRUE(optionsWindow->optionsPage->isVisible());
    mainWindow->menu.options->trigger();
    EXPECT_EQ(mainWindow->optionsWindow(), optionsWindow);
    EXPECT_EQ(optionsWindow->optionsTab->picture(), 2);

    // Closing destroys it, statusBarTimer stopped; the next choice makes a new one.
    optionsWindow->close();
    EXPECT_FALSE(optionsWindow->statusBarTimer().isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(mainWindow->optionsWindow(), nullptr);
    mainWindow->openScheduleTask();
    ASSERT_NE(mainWindow->optionsWindow(), nullptr);
    EXPECT_TRUE(mainWindow->optionsWindow()->schedulePageFrame->isVisible());
    EXPECT_FALSE(mainWindow->optionsWindow()->optionsPage->isVisible());
}

TEST_F(OptionsWindowFixture, PageTabs_AMouseClickOnATabTakesItsRule) {
    OptionsWindow& optionsWindow = open();
    QTest::mouseClick(optionsWindow.optionsTab, Qt::LeftButton);
    EXPECT_FALSE(optionsWindow.optionsPage->isVisible());
    EXPECT_EQ(optionsWindow.optionsTab->picture(), 1);
    QTest::mouseClick(optionsWindow.scheduleTab, Qt::LeftButton);
    EXPECT_TRUE(optionsWindow.schedulePageFrame->isVisible());
    EXPECT_EQ(optionsWindow.scheduleTab->picture(), 2);
}

TEST_F(OptionsWindowFixture, SchedulePage_GoesIntoItsFrameAndWritesTheFirstTwoPanels) {
    OptionsWindow& optionsWindow = open();
    auto* page = optionsWindow.schedulePageFrame->findChild<SchedulePage*>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->parentWidget(), optionsWindow.schedulePageFrame);
    EXPECT_EQ(optionsWindow.panel(1)->text(), "Task Scheduled : No");
}

TEST_F(OptionsWindowFixture, ApplyButtons_ClicksReachTheRulesAndTheNextLoadShowsWhatWasApplied) {
    OptionsWindow& optionsWindow = open();
    optionsWindow.optionsPage->autostartCheck->setChecked(false);
    optionsWindow.optionsPage->hourlyBeepCheck->setChecked(false);
    QTest::mouseClick(optionsWindow.optionsPage->applyAutostartButton, Qt::LeftButton);
    EXPECT_EQ(f.registry->text(kRun, "Corvane"), std::nullopt);
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 0u);

    optionsWindow.optionsPage->figuresCheck->setChecked(false);
    QTest::mouseClick(optionsWindow.optionsPage->applyFiguresButton, Qt::LeftButton);
    EXPECT_EQ(f.registry->dword(kKey, "ShowMemCpu"), 0u);
    EXPECT_EQ(mainWindow->windowTitle(), "");
    EXPECT_TRUE(f.messages->shown.empty());

    // The next load shows what was applied.
    closeOptionsWindow();
    EXPECT_FALSE(open().optionsPage->hourlyBeepCheck->isChecked());
    EXPECT_FALSE(mainWindow->optionsWindow()->optionsPage->figuresCheck->isChecked());
}

TEST_F(OptionsWindowFixture, TestLink_AClickPlaysTheSweep) {
    OptionsWindow& optionsWindow = open();
    QTest::mouseClick(optionsWindow.optionsPage->testLink, Qt::LeftButton);
    EXPECT_EQ(f.tone->tones.size(), 21u);
    EXPECT_EQ(optionsWindow.optionsPage->testLink->text(), "Test ");
}
