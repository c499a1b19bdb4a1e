// The About window, the help page, the web links and the Options window's hover pictures.
#include "fixtures.h"
#include "shell/qt/about_window.h"
#include "shell/qt/options_window.h"
#include "shell/qt/schedule_page.h"
#include "shell/qt/task_editors.h"

#include <QTest>

#include <string>
#include <vector>

namespace {

const std::string kSite = "https://www.pellorin.example/corvane/";

QColor background(QWidget* w) {
    return w->palette().color(QPalette::Window);
}

/// Records the windows whose enabled state changes, in order ("MainWindow on" ...).
struct EnabledLog : QObject {
    std::vector<std::string> log;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange) {
            log.push_back(watched->objectName().toStdString() +
                          (static_cast<QWidget*>(watched)->isEnabled() ? " on" : " off"));
        }
        return false;
    }
};

struct AboutTest : LoadedMainWindowTest {
    QWidget* alertEditor() { return qtshell::findTaskEditor(core::TaskKind::Alert); }
};

} // namespace

TEST_F(AboutTest, FromTheMenu_BlocksTheWindowsMakingMissingOnesHiddenAndFreesThemInOrder) {
    ASSERT_EQ(mainWindow->optionsWindow(), nullptr);
    control<QAction>(mainWindow.get(), "about")->trigger();
    qtshell::AboutWindow* about = mainWindow->aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(background(about), QColor(0, 4, 221));

    about->activate();
    EXPECT_EQ(background(about), QColor(147, 209, 240));
    qtshell::OptionsWindow* optionsWindow = mainWindow->optionsWindow();
    QWidget* alert = alertEditor();
    ASSERT_NE(optionsWindow, nullptr);
    ASSERT_NE(alert, nullptr);
    EnabledLog changes;
    const std::pair<QWidget*, const char*> windows[] = {
        {mainWindow.get(), "MainWindow"}, {optionsWindow, "OptionsWindow"}, {alert, "AlertEditor"}};
    for (const auto& [window, name] : windows) {
        EXPECT_FALSE(window->isEnabled()) << name;
        EXPECT_EQ(window->isVisible(), window == mainWindow.get()) << name;
        window->setObjectName(name);
        window->installEventFilter(&changes);
    }
    QTest::keyClick(about, Qt::Key_Escape); // the close box's way
    EXPECT_EQ(changes.log, (std::vector<std::string>{"MainWindow on", "OptionsWindow on", "AlertEditor on"}));
    EXPECT_FALSE(optionsWindow->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(mainWindow->aboutWindow(), nullptr);

    // The hidden windows are the ones the menu and the kind box show afterwards.
    mainWindow->openScheduleTask();
    EXPECT_EQ(mainWindow->optionsWindow(), optionsWindow);
    auto* page = control(optionsWindow, "schedulePageFrame")->findChild<qtshell::SchedulePage*>();
    control<QComboBox>(page, "kindBox")->setCurrentText(QStringLiteral("Alert"));
    page->pickKind();
    EXPECT_TRUE(alert->isVisible());
}

TEST_F(AboutTest, WhileUp_BlockedWindowsRefuseToCloseAndOneOpenedLaterComesUpUnderItAndFreed) {
    control<QAction>(mainWindow.get(), "about")->trigger();
    qtshell::AboutWindow* about = mainWindow->aboutWindow();
    about->activate();
    // Alt+F4 or the close box on a blocked window: no end of the program, no closed window.
    EXPECT_FALSE(mainWindow->close());
    EXPECT_FALSE(f.process->ended());
    EXPECT_TRUE(mainWindow->isVisible());

    mainWindow->openOptions();
    qtshell::OptionsWindow* optionsWindow = mainWindow->optionsWindow();
    EXPECT_TRUE(optionsWindow->isVisible());
    EXPECT_FALSE(optionsWindow->isEnabled());
    EXPECT_FALSE(optionsWindow->close());
    EXPECT_TRUE(optionsWindow->isVisible());

    QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_TRUE(optionsWindow->isEnabled());
    EXPECT_TRUE(mainWindow->isEnabled());
    EXPECT_TRUE(optionsWindow->close());
    EXPECT_FALSE(optionsWindow->isVisible());
}

TEST_F(AboutTest, FromTheOptionsWindow_TheSameWindowAndBothWebLinksOpenTheSiteOrTellTheFailure) {
    mainWindow->openOptions();
    qtshell::OptionsWindow* optionsWindow = mainWindow->optionsWindow();
    QTest::mouseClick(control<qtshell::PictureButton>(optionsWindow, "aboutLink"), Qt::LeftButton);
    qtshell::AboutWindow* about = mainWindow->aboutWindow();
    ASSERT_NE(about, nullptr);
    mainWindow->openAbout();
    EXPECT_EQ(mainWindow->aboutWindow(), about);

    control<qtshell::PictureButton>(about, "webLink")->press();
    control<qtshell::PictureButton>(optionsWindow, "webLink")->press();
    EXPECT_TRUE(f.messages->shown.empty());
    f.launcher->failUrl = true;
    optionsWindow->openWebAddress();
    EXPECT_EQ(f.launcher->urls, (std::vector<std::string>{kSite, kSite, kSite}));
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_TRUE(f.messages->shown[0].text.starts_with("The web site " + kSite));
    EXPECT_EQ(f.messages->shown[0].icon, platform::MessageIcon::Exclamation);
}

TEST_F(AboutTest, HelpLink_OpensThePageOfTheDataFolder) {
    mainWindow->openOptions();
    control<qtshell::PictureButton>(mainWindow->optionsWindow(), "helpLink")->press();
    EXPECT_EQ(f.launcher->files, std::vector<std::string>{"/opt/corvane/share/corvane/corvanehelp.htm"});
}

TEST_F(AboutTest, HoverTable_ApplyButtonsLightUpAndTheirPageRestoresThem) {
    mainWindow->openOptions();
    qtshell::OptionsWindow* optionsWindow = mainWindow->optionsWindow();
    auto* schedulePage = control(optionsWindow, "schedulePageFrame")->findChild<qtshell::SchedulePage*>();
    qtshell::PictureButton* apply = control<qtshell::PictureButton>(schedulePage, "applyButton");
    auto* applyAutostart = control<qtshell::PictureButton>(optionsWindow, "applyAutostartButton");
    auto* applyFigures = control<qtshell::PictureButton>(optionsWindow, "applyFiguresButton");
    QWidget* optionsPage = control(optionsWindow, "optionsPage");
    const struct {
        const char* step;
        QWidget* over;
        int autostartApply, figuresApply, scheduleApply;
    } steps[] = {
        {"over the start-up Apply", applyAutostart, 4, 3, 3},
        {"off the window: stays lit", control(optionsWindow, "tabBar"), 4, 3, 3},
        {"over the Options page restores it", optionsPage, 3, 3, 3},
        {"over the figures' Apply", applyFigures, 3, 4, 3},
        {"over the start-up Apply too", applyAutostart, 4, 4, 3},
        {"over the schedule page: the Options page's stay lit", schedulePage, 4, 4, 3},
        {"over the Options page restores both", optionsPage, 3, 3, 3},
        {"over the schedule page's Apply", apply, 3, 3, 4},
        {"over the Options page: Apply of the other page stays lit", optionsPage, 3, 3, 4},
        {"over the schedule page", schedulePage, 3, 3, 3},
    };
    for (const auto& s : steps) {
        EditorFixture::moveMouseOver(s.over);
        EXPECT_EQ(applyAutostart->picture(), s.autostartApply) << s.step;
        EXPECT_EQ(applyFigures->picture(), s.figuresApply) << s.step;
        EXPECT_EQ(apply->picture(), s.scheduleApply) << s.step;
    }
}

TEST_F(AboutTest, AlertEditorLoadedHidden_GoesWithTheOptionsWindowItWasLoadedFor) {
    mainWindow->openAbout();
    mainWindow->aboutWindow()->activate();
    mainWindow->aboutWindow()->close();
    ASSERT_NE(alertEditor(), nullptr);
    closeOptionsWindow();
    EXPECT_EQ(alertEditor(), nullptr);
}
