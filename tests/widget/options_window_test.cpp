// The Options and Schedule Task window: opening from the menu, the page tabs, the Options page's
// check boxes, its two Apply buttons and the Test link.
#include "fixtures.h"
#include "settings/options_window.h"

#include <QTest>

#include <stdexcept>

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
    EXPECT_TRUE(optionsWindow->statusBarTimer.isActive());
    EXPECT_EQ(optionsWindow->statusBarTimer.interval(), 500);
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
    EXPECT_FALSE(optionsWindow->statusBarTimer.isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(mainWindow->optionsWindow(), nullptr);
    mainWindow->openScheduleTask();
    ASSERT_NE(mainWindow->optionsWindow(), nullptr);
    EXPECT_TRUE(mainWindow->optionsWindow()->schedulePageFrame->isVisible());
    EXPECT_FALSE(mainWindow->optionsWindow()->optionsPage->isVisible());
}

TEST_F(OptionsWindowFixture, PageTabs_ClickingTheSelectedTabClosesItsPage) {
    OptionsWindow fresh(f.services, mainWindow->settings(), mainWindow->state());
    fresh.load();
    // Before a page was chosen the tabs are in neither state: clicks change nothing.
    fresh.toggleOptionsPage();
    fresh.toggleSchedulePage();
    EXPECT_EQ(fresh.optionsTab->picture(), 0);
    EXPECT_EQ(fresh.scheduleTab->picture(), 0);
    EXPECT_TRUE(fresh.optionsPage->isHidden());
    EXPECT_TRUE(fresh.schedulePageFrame->isHidden());

    OptionsWindow& optionsWindow = open();
    const struct {
        const char* step;
        void (OptionsWindow::*click)();
        int optionsTabPicture, scheduleTabPicture;
        bool optionsPageShown, schedulePageShown;
    } steps[] = {
        {"Options tab while its page shows", &OptionsWindow::toggleOptionsPage, 1, 1, false, false},
        {"Options tab again", &OptionsWindow::toggleOptionsPage, 2, 1, true, false},
        {"Schedule Task tab", &OptionsWindow::toggleSchedulePage, 1, 2, false, true},
        {"Schedule Task tab while its page shows", &OptionsWindow::toggleSchedulePage, 1, 1, false, false},
        {"Options tab", &OptionsWindow::toggleOptionsPage, 2, 1, true, false},
    };
    for (const auto& s : steps) {
        (optionsWindow.*s.click)();
        EXPECT_EQ(optionsWindow.optionsTab->picture(), s.optionsTabPicture) << s.step;
        EXPECT_EQ(optionsWindow.scheduleTab->picture(), s.scheduleTabPicture) << s.step;
        EXPECT_EQ(optionsWindow.optionsPage->isVisible(), s.optionsPageShown) << s.step;
        EXPECT_EQ(optionsWindow.schedulePageFrame->isVisible(), s.schedulePageShown) << s.step;
    }
    // A real mouse click on the tab picture takes the same way.
    QTest::mouseClick(optionsWindow.optionsTab, Qt::LeftButton);
    EXPECT_FALSE(optionsWindow.optionsPage->isVisible());
}

TEST_F(OptionsWindowFixture, Loading_SetsTheBoxesFromTheAutostartEntryAndTheCachesOnly) {
    struct Case {
        const char* what;
        bool runValue;
        bool machineReadable;
        QString hrbeep;
        QString memCpu;
        bool before; // each box's state before loading
        bool autostartChecked, hourlyBeepChecked, figuresChecked;
    };
    const Case cases[] = {
        {"entry and both on", true, true, "1", "1", false, true, true, true},
        {"no entry and both off", false, true, "0", "0", true, false, false, false},
        {"list unreadable and other texts", true, false, "2", "hrbeepstatus", true, true, true, true},
        {"list unreadable and other texts, boxes clear", true, false, "1234", "-1", false, false, false,
         false},
    };
    for (const Case& c : cases) {
        if (!c.runValue) {
            f.registry->removeValue(kRun, "Corvane");
        }
        f.registry->machineReadable = c.machineReadable;
        mainWindow->state().setOptionCache(core::StoredOption::HourlyBeep, c.hrbeep.toStdString());
        mainWindow->state().setOptionCache(core::StoredOption::Figures, c.memCpu.toStdString());
        // The stored values say otherwise: the boxes follow the caches, not the registry.
        f.registry->setDword(kKey, "hrbeep", c.hrbeep == "1" ? 0 : 1);
        OptionsWindow optionsWindow(f.services, mainWindow->settings(), mainWindow->state());
        for (QCheckBox* box :
             {optionsWindow.optionsPage->autostartCheck, optionsWindow.optionsPage->hourlyBeepCheck,
              optionsWindow.optionsPage->figuresCheck}) {
            box->setChecked(c.before);
        }
        optionsWindow.load();
        EXPECT_EQ(optionsWindow.optionsPage->autostartCheck->isChecked(), c.autostartChecked) << c.what;
        EXPECT_EQ(optionsWindow.optionsPage->hourlyBeepCheck->isChecked(), c.hourlyBeepChecked) << c.what;
        EXPECT_EQ(optionsWindow.optionsPage->figuresCheck->isChecked(), c.figuresChecked) << c.what;
        f.registry->machineReadable = true;
        f.registry->setRaw(kRun, "Corvane", platform::kRegSz, {'/', 'x', 0});
    }
}

TEST_F(OptionsWindowFixture, SchedulePage_GoesIntoItsFrameAndItsStepsRunAtTheirPlaces) {
    OptionsWindow optionsWindow(f.services, mainWindow->settings(), mainWindow->state());
    std::vector<std::string> order;
    auto* page = new QWidget;
    optionsWindow.setSchedulePage(
        page,
        {[&] { order.push_back("kinds"); },
         [&] {
             order.push_back(optionsWindow.optionsPage->autostartCheck->isChecked() ? "record after autostart"
                                                                                    : "record");
         },
         [&] {
             order.push_back(optionsWindow.optionsPage->hourlyBeepCheck->isChecked() ? "status after caches"
                                                                                     : "status");
             optionsWindow.panel(1)->setText("Task Scheduled : No");
         }});
    EXPECT_EQ(page->parentWidget(), optionsWindow.schedulePageFrame);
    optionsWindow.load();
    EXPECT_EQ(order, (std::vector<std::string>{"kinds", "record after autostart", "status after caches"}));
    EXPECT_EQ(optionsWindow.panel(1)->text(), "Task Scheduled : No");
}

TEST_F(OptionsWindowFixture, ApplyAutostartAndBeep_StoresBothEveryTimeAndReadsTheBeepBack) {
    OptionsWindow& optionsWindow = open();
    // Ticking alone changes nothing.
    optionsWindow.optionsPage->hourlyBeepCheck->setChecked(false);
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 1u);
    EXPECT_TRUE(mainWindow->hourlyBeepTimer.isActive());

    optionsWindow.optionsPage->autostartCheck->setChecked(false);
    optionsWindow.optionsPage->applyAutostartAndBeep();
    EXPECT_EQ(f.registry->text(kRun, "Corvane"), std::nullopt);
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 0u);
    EXPECT_EQ(mainWindow->state().optionCache(core::StoredOption::HourlyBeep), "0");
    EXPECT_FALSE(mainWindow->hourlyBeepTimer.isActive());

    optionsWindow.optionsPage->autostartCheck->setChecked(true);
    optionsWindow.optionsPage->hourlyBeepCheck->setChecked(true);
    QTest::mouseClick(optionsWindow.optionsPage->applyAutostartButton, Qt::LeftButton);
    EXPECT_EQ(f.registry->text(kRun, "Corvane"), f.processes->ownExecutablePath());
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 1u);
    EXPECT_EQ(mainWindow->state().optionCache(core::StoredOption::HourlyBeep), "1");
    EXPECT_TRUE(mainWindow->hourlyBeepTimer.isActive());
    EXPECT_TRUE(f.messages->shown.empty());

    // The next load shows what was applied.
    closeOptionsWindow();
    EXPECT_TRUE(open().optionsPage->hourlyBeepCheck->isChecked());
}

TEST_F(OptionsWindowFixture, ApplyWithoutRights_TheBeepFollowsTheRegistryAndAutostartStaysSilently) {
    f.registry->setDword(kKey, "hrbeep", 0);
    mainWindow->settings().loadOption(core::StoredOption::HourlyBeep);
    f.registry->currentUserWritable = false;
    f.registry->machineWritable = false;
    OptionsWindow& optionsWindow = open();
    optionsWindow.optionsPage->autostartCheck->setChecked(false); // the entry exists and cannot be removed
    optionsWindow.optionsPage->hourlyBeepCheck->setChecked(true);
    optionsWindow.optionsPage->applyAutostartAndBeep();
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 0u);
    EXPECT_EQ(mainWindow->state().optionCache(core::StoredOption::HourlyBeep), "0");
    EXPECT_FALSE(mainWindow->hourlyBeepTimer.isActive());
    EXPECT_TRUE(f.registry->text(kRun, "Corvane").has_value());
    EXPECT_FALSE(
        optionsWindow.optionsPage->autostartCheck->isChecked()); // what the user chose, until the next load
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(OptionsWindowFixture, RemovingAutostartFailsOtherwise_AccessDeniedMessageAndTheBeepStillApplied) {
    OptionsWindow& optionsWindow = open();
    f.registry->onCall = [](const std::string& call) {
        if (call.rfind("delete", 0) == 0) {
            throw std::runtime_error("broken");
        }
    };
    optionsWindow.optionsPage->autostartCheck->setChecked(false);
    optionsWindow.optionsPage->hourlyBeepCheck->setChecked(false);
    optionsWindow.optionsPage->applyAutostartAndBeep();
    EXPECT_EQ(f.messages->shown,
              fakes::oneBox("Unable to schedule the Task. Access Denied.", platform::MessageIcon::Critical));
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 0u);
}

TEST_F(OptionsWindowFixture, ApplyFigures_StoresAndSwitchesTheCaptionTimerAndTheCaption) {
    OptionsWindow& optionsWindow = open();
    optionsWindow.optionsPage->figuresCheck->setChecked(false);
    QTest::mouseClick(optionsWindow.optionsPage->applyFiguresButton, Qt::LeftButton);
    EXPECT_EQ(f.registry->dword(kKey, "ShowMemCpu"), 0u);
    EXPECT_EQ(mainWindow->windowTitle(), "");
    EXPECT_FALSE(mainWindow->captionTimer.isActive());
    EXPECT_EQ(mainWindow->state().optionCache(core::StoredOption::Figures), "0");

    optionsWindow.optionsPage->figuresCheck->setChecked(true);
    optionsWindow.optionsPage->applyFiguresOption();
    EXPECT_EQ(f.registry->dword(kKey, "ShowMemCpu"), 1u);
    EXPECT_TRUE(mainWindow->captionTimer.isActive());
    EXPECT_EQ(mainWindow->state().optionCache(core::StoredOption::Figures), "1");

    // Not writable: the old 0 is read back, the timer stops again and the caption empties.
    optionsWindow.optionsPage->figuresCheck->setChecked(false);
    optionsWindow.optionsPage->applyFiguresOption();
    f.registry->currentUserWritable = false;
    mainWindow->setWindowTitle("M 512 CPU 3%");
    optionsWindow.optionsPage->figuresCheck->setChecked(true);
    optionsWindow.optionsPage->applyFiguresOption();
    EXPECT_EQ(f.registry->dword(kKey, "ShowMemCpu"), 0u);
    EXPECT_FALSE(mainWindow->captionTimer.isActive());
    EXPECT_EQ(mainWindow->windowTitle(), "");
    EXPECT_EQ(mainWindow->state().optionCache(core::StoredOption::Figures), "0");
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(OptionsWindowFixture, TestLink_PlaysTheSweepOf21TonesAndTouchesNothingElse) {
    OptionsWindow& optionsWindow = open();
    const bool beepTimer = mainWindow->hourlyBeepTimer.isActive();
    const auto callsBefore = f.registry->calls.size();
    QTest::mouseClick(optionsWindow.optionsPage->testLink, Qt::LeftButton);
    ASSERT_EQ(f.tone->tones.size(), 21u);
    for (std::size_t i = 0; i < 21; ++i) {
        EXPECT_EQ(f.tone->tones[i].first, 500 - 10 * i);
        EXPECT_EQ(f.tone->tones[i].second, 50u);
    }
    EXPECT_EQ(mainWindow->hourlyBeepTimer.isActive(), beepTimer);
    EXPECT_EQ(f.registry->calls.size(), callsBefore);
    EXPECT_EQ(optionsWindow.optionsPage->testLink->text(), "Test ");

    // Without a tone generator the link does nothing (and does not crash).
    f.services.tone.reset();
    optionsWindow.optionsPage->testBeep();
}
