// The About window, the help page, the web links and the Options window's hover pictures.
#include "about/form4.h"
#include "editors/task_editors.h"
#include "fixtures.h"
#include "scheduler/schedule_page.h"
#include "settings/form2.h"

#include <QTest>

#include <string>
#include <vector>

namespace {

const std::string kSite = "https://www.pellorin.example/corvane/";

QColor Background(QWidget* w) {
    return w->palette().color(QPalette::Window);
}

/// Records the windows whose enabled state changes, in order ("Form1 on" ...).
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
    QWidget* alertEditor() { return FindTaskEditor(QStringLiteral("Alert")); }
};

} // namespace

TEST_F(AboutTest, FromTheMenu_BlocksTheWindowsMakingMissingOnesHiddenAndFreesThemInOrder) {
    ASSERT_EQ(form1->form2(), nullptr);
    form1->menu.about->trigger();
    Form4* about = form1->form4();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(Background(about), QColor(0, 4, 221));

    about->Form_Activate();
    EXPECT_EQ(Background(about), QColor(147, 209, 240));
    Form2* form2 = form1->form2();
    QWidget* alert = alertEditor();
    ASSERT_NE(form2, nullptr);
    ASSERT_NE(alert, nullptr);
    EnabledLog changes;
    const std::pair<QWidget*, const char*> windows[] = {
        {form1.get(), "Form1"}, {form2, "Form2"}, {alert, "Form3"}};
    for (const auto& [window, name] : windows) {
        EXPECT_FALSE(window->isEnabled()) << name;
        EXPECT_EQ(window->isVisible(), window == form1.get()) << name;
        window->setObjectName(name);
        window->installEventFilter(&changes);
    }
    QTest::keyClick(about, Qt::Key_Escape); // the close box's way
    EXPECT_EQ(changes.log, (std::vector<std::string>{"Form1 on", "Form2 on", "Form3 on"}));
    EXPECT_FALSE(form2->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form1->form4(), nullptr);

    // The hidden windows are the ones the menu and the kind box show afterwards.
    form1->shtask_Click();
    EXPECT_EQ(form1->form2(), form2);
    auto* page = form2->Frame3->findChild<SchedulePage*>();
    page->Combo1->setCurrentText(QStringLiteral("Alert"));
    page->Combo1_Click();
    EXPECT_TRUE(alert->isVisible());
}

TEST_F(AboutTest, FromTheOptionsWindow_TheSameWindowAndBothWebLinksOpenTheSiteOrTellTheFailure) {
    form1->Options_Click();
    Form2* form2 = form1->form2();
    QTest::mouseClick(form2->Label18, Qt::LeftButton);
    Form4* about = form1->form4();
    ASSERT_NE(about, nullptr);
    form1->about_Click();
    EXPECT_EQ(form1->form4(), about);

    about->Label9->press();
    form2->Label19->press();
    EXPECT_TRUE(f.messages->shown.empty());
    f.launcher->failUrl = true;
    form2->Label19_Click();
    EXPECT_EQ(f.launcher->urls, (std::vector<std::string>{kSite, kSite, kSite}));
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_TRUE(f.messages->shown[0].text.startsWith("The web site " + QString::fromStdString(kSite)));
    EXPECT_EQ(f.messages->shown[0].icon, platform::MessageIcon::Exclamation);
}

TEST_F(AboutTest, HelpLink_OpensThePageOfTheDataFolderAndWarnsWhenTheDesktopCannot) {
    form1->Options_Click();
    Form2* form2 = form1->form2();
    const struct {
        int result;
        bool warned;
    } cases[] = {{42, false}, {33, false}, {32, true}, {2, true}, {0, true}};
    for (const auto& c : cases) {
        f.launcher->files.clear();
        f.messages->shown.clear();
        f.launcher->openFileResult = c.result;
        form2->Label17->press();
        EXPECT_EQ(f.launcher->files, std::vector<std::string>{"/opt/corvane/share/corvane/corvanehelp.htm"});
        EXPECT_EQ(
            f.messages->shown,
            c.warned ? fakes::OneBox("The help file is not installed correctly.Please Reinstall the program.",
                                     platform::MessageIcon::Exclamation)
                     : std::vector<fakes::RecordedMessage>{})
            << c.result;
    }
}

TEST_F(AboutTest, HoverTable_ApplyButtonsLightUpAndTheirPageRestoresThem) {
    form1->Options_Click();
    Form2* form2 = form1->form2();
    auto* schedulePage = form2->Frame3->findChild<SchedulePage*>();
    PictureButton* apply = schedulePage->Image6;
    const struct {
        const char* step;
        QWidget* over;
        int image1, image9, image6;
    } steps[] = {
        {"over Image1", form2->Image1, 4, 3, 3},
        {"off the window: stays lit", form2->Frame4, 4, 3, 3},
        {"over Frame2 restores it", form2->Frame2, 3, 3, 3},
        {"over Image9", form2->Image9, 3, 4, 3},
        {"over Image1 too", form2->Image1, 4, 4, 3},
        {"over the schedule page: the Options page's stay lit", schedulePage, 4, 4, 3},
        {"over Frame2 restores both", form2->Frame2, 3, 3, 3},
        {"over the schedule page's Apply", apply, 3, 3, 4},
        {"over Frame2: Apply of the other page stays lit", form2->Frame2, 3, 3, 4},
        {"over the schedule page", schedulePage, 3, 3, 3},
    };
    for (const auto& s : steps) {
        EditorFixture::moveMouseOver(s.over);
        EXPECT_EQ(form2->Image1->picture(), s.image1) << s.step;
        EXPECT_EQ(form2->Image9->picture(), s.image9) << s.step;
        EXPECT_EQ(apply->picture(), s.image6) << s.step;
    }
}

TEST_F(AboutTest, AlertEditorLoadedHidden_GoesWithTheOptionsWindowItWasLoadedFor) {
    form1->about_Click();
    form1->form4()->Form_Activate();
    form1->form4()->close();
    ASSERT_NE(alertEditor(), nullptr);
    closeForm2();
    EXPECT_EQ(alertEditor(), nullptr);
}
