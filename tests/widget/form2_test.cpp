// The Options and Schedule Task window: opening from the menu, the page tabs, the Options page's
// check boxes, its two Apply buttons and the Test link.
#include "fixtures.h"
#include "settings/autostart.h"
#include "settings/form2.h"

#include <QTest>

#include <stdexcept>

namespace {

const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";
const std::string kRun = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

QColor Background(QWidget* w) {
    return w->palette().color(QPalette::Window);
}

// After the first run: defaults 1, 1, 0, 1, 0 and the autostart entry.
struct Form2Fixture : LoadedMainWindowTest {
    Form2& open() {
        form1->Options_Click();
        return *form1->form2();
    }
};

} // namespace

TEST_F(Form2Fixture, MenuEntries_OpenTheOneWindowOnEitherPageWithItsCaptionAndColours) {
    form1->Options_Click();
    Form2* form2 = form1->form2();
    ASSERT_NE(form2, nullptr);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_EQ(form2->windowTitle(), "Corvane");
    EXPECT_EQ(Background(form2->Frame2), QColor(166, 193, 232));
    EXPECT_EQ(Background(form2->Frame3), QColor(166, 193, 232));
    EXPECT_EQ(Background(form2->Frame4), QColor(96, 143, 224));
    EXPECT_EQ(form2->Image7->picture(), 2);
    EXPECT_EQ(form2->Image8->picture(), 1);
    EXPECT_TRUE(form2->Frame2->isVisible());
    EXPECT_FALSE(form2->Frame3->isVisible());
    EXPECT_EQ(form2->panel(3)->text(), "M 512 CPU 3%");
    EXPECT_TRUE(form2->Timer1.isActive());
    EXPECT_EQ(form2->Timer1.interval(), 500);
    EXPECT_EQ(form2->Label11->text(), "Options");
    EXPECT_EQ(form2->Label10->text(), "Schedule Task ");

    // The same window; neither entry hides the other page.
    form1->menu.shtask->trigger();
    EXPECT_EQ(form1->form2(), form2);
    EXPECT_EQ(form2->Image8->picture(), 2);
    EXPECT_EQ(form2->Image7->picture(), 1);
    EXPECT_TRUE(form2->Frame3->isVisible());
    EXPECT_TRUE(form2->Frame2->isVisible());
    form1->menu.Options->trigger();
    EXPECT_EQ(form1->form2(), form2);
    EXPECT_EQ(form2->Image7->picture(), 2);

    // Closing destroys it, Timer1 stopped; the next choice makes a new one.
    form2->close();
    EXPECT_FALSE(form2->Timer1.isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form1->form2(), nullptr);
    form1->shtask_Click();
    ASSERT_NE(form1->form2(), nullptr);
    EXPECT_TRUE(form1->form2()->Frame3->isVisible());
    EXPECT_FALSE(form1->form2()->Frame2->isVisible());
}

TEST_F(Form2Fixture, PageTabs_ClickingTheSelectedTabClosesItsPage) {
    Form2 fresh(f.services, form1->settings());
    fresh.Form_Load();
    // Before a page was chosen the tabs are in neither state: clicks change nothing.
    fresh.Image7_Click();
    fresh.Image8_Click();
    EXPECT_EQ(fresh.Image7->picture(), 0);
    EXPECT_EQ(fresh.Image8->picture(), 0);
    EXPECT_TRUE(fresh.Frame2->isHidden());
    EXPECT_TRUE(fresh.Frame3->isHidden());

    Form2& form2 = open();
    const struct {
        const char* step;
        void (Form2::*click)();
        int image7, image8;
        bool frame2, frame3;
    } steps[] = {
        {"Options tab while its page shows", &Form2::Image7_Click, 1, 1, false, false},
        {"Options tab again", &Form2::Image7_Click, 2, 1, true, false},
        {"Schedule Task tab", &Form2::Image8_Click, 1, 2, false, true},
        {"Schedule Task tab while its page shows", &Form2::Image8_Click, 1, 1, false, false},
        {"Options tab", &Form2::Image7_Click, 2, 1, true, false},
    };
    for (const auto& s : steps) {
        (form2.*s.click)();
        EXPECT_EQ(form2.Image7->picture(), s.image7) << s.step;
        EXPECT_EQ(form2.Image8->picture(), s.image8) << s.step;
        EXPECT_EQ(form2.Frame2->isVisible(), s.frame2) << s.step;
        EXPECT_EQ(form2.Frame3->isVisible(), s.frame3) << s.step;
    }
    // A real mouse click on the tab picture takes the same way.
    QTest::mouseClick(form2.Image7, Qt::LeftButton);
    EXPECT_FALSE(form2.Frame2->isVisible());
}

TEST_F(Form2Fixture, Loading_SetsTheBoxesFromTheAutostartEntryAndTheCachesOnly) {
    struct Case {
        const char* what;
        bool runValue;
        bool machineReadable;
        QString hrbeep;
        QString memCpu;
        bool before; // each box's state before loading
        bool check11, check2, check3;
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
        form1->hrbeepstatus = c.hrbeep;
        form1->MemCpustat = c.memCpu;
        // The stored values say otherwise: the boxes follow the caches, not the registry.
        f.registry->setDword(kKey, "hrbeep", c.hrbeep == "1" ? 0 : 1);
        Form2 form2(f.services, form1->settings());
        for (QCheckBox* box : {form2.Check11, form2.Check2, form2.Check3}) {
            box->setChecked(c.before);
        }
        form2.Form_Load();
        EXPECT_EQ(form2.Check11->isChecked(), c.check11) << c.what;
        EXPECT_EQ(form2.Check2->isChecked(), c.check2) << c.what;
        EXPECT_EQ(form2.Check3->isChecked(), c.check3) << c.what;
        f.registry->machineReadable = true;
        f.registry->setRaw(kRun, "Corvane", platform::kRegSz, {'/', 'x', 0});
    }
}

TEST_F(Form2Fixture, SchedulePage_GoesIntoFrame3AndItsStepsRunAtTheirPlaces) {
    Form2 form2(f.services, form1->settings());
    std::vector<std::string> order;
    auto* page = new QWidget;
    form2.setSchedulePage(
        page, {[&] { order.push_back("kinds"); },
               [&] { order.push_back(form2.Check11->isChecked() ? "record after autostart" : "record"); },
               [&] {
                   order.push_back(form2.Check2->isChecked() ? "status after caches" : "status");
                   form2.panel(1)->setText("Task Scheduled : No");
               }});
    EXPECT_EQ(page->parentWidget(), form2.Frame3);
    form2.Form_Load();
    EXPECT_EQ(order, (std::vector<std::string>{"kinds", "record after autostart", "status after caches"}));
    EXPECT_EQ(form2.panel(1)->text(), "Task Scheduled : No");
}

TEST_F(Form2Fixture, ApplyAutostartAndBeep_StoresBothEveryTimeAndReadsTheBeepBack) {
    Form2& form2 = open();
    // Ticking alone changes nothing.
    form2.Check2->setChecked(false);
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 1u);
    EXPECT_TRUE(form1->Timer4.isActive());

    form2.Check11->setChecked(false);
    form2.Image1_Click();
    EXPECT_EQ(f.registry->text(kRun, "Corvane"), std::nullopt);
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 0u);
    EXPECT_EQ(form1->hrbeepstatus, "0");
    EXPECT_FALSE(form1->Timer4.isActive());

    form2.Check11->setChecked(true);
    form2.Check2->setChecked(true);
    QTest::mouseClick(form2.Image1, Qt::LeftButton);
    EXPECT_EQ(f.registry->text(kRun, "Corvane"), AutostartProgramPath());
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 1u);
    EXPECT_EQ(form1->hrbeepstatus, "1");
    EXPECT_TRUE(form1->Timer4.isActive());
    EXPECT_TRUE(f.messages->shown.empty());

    // The next load shows what was applied.
    closeForm2();
    EXPECT_TRUE(open().Check2->isChecked());
}

TEST_F(Form2Fixture, ApplyWithoutRights_TheBeepFollowsTheRegistryAndAutostartStaysSilently) {
    f.registry->setDword(kKey, "hrbeep", 0);
    form1->settings().LoadHrbeep();
    f.registry->currentUserWritable = false;
    f.registry->machineWritable = false;
    Form2& form2 = open();
    form2.Check11->setChecked(false); // the entry exists and cannot be removed
    form2.Check2->setChecked(true);
    form2.Image1_Click();
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 0u);
    EXPECT_EQ(form1->hrbeepstatus, "0");
    EXPECT_FALSE(form1->Timer4.isActive());
    EXPECT_TRUE(f.registry->text(kRun, "Corvane").has_value());
    EXPECT_FALSE(form2.Check11->isChecked()); // what the user chose, until the next load
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(Form2Fixture, RemovingAutostartFailsOtherwise_AccessDeniedMessageAndTheBeepStillApplied) {
    Form2& form2 = open();
    f.registry->onCall = [](const std::string& call) {
        if (call.rfind("delete", 0) == 0) {
            throw std::runtime_error("broken");
        }
    };
    form2.Check11->setChecked(false);
    form2.Check2->setChecked(false);
    form2.Image1_Click();
    EXPECT_EQ(f.messages->shown,
              fakes::OneBox("Unable to schedule the Task. Access Denied.", platform::MessageIcon::Critical));
    EXPECT_EQ(f.registry->dword(kKey, "hrbeep"), 0u);
}

TEST_F(Form2Fixture, ApplyShowMemCpu_StoresAndSwitchesTimer5AndTheCaption) {
    Form2& form2 = open();
    form2.Check3->setChecked(false);
    QTest::mouseClick(form2.Image9, Qt::LeftButton);
    EXPECT_EQ(f.registry->dword(kKey, "ShowMemCpu"), 0u);
    EXPECT_EQ(form1->windowTitle(), "");
    EXPECT_FALSE(form1->Timer5.isActive());
    EXPECT_EQ(form1->MemCpustat, "0");

    form2.Check3->setChecked(true);
    form2.ApplyShowMemCpu();
    EXPECT_EQ(f.registry->dword(kKey, "ShowMemCpu"), 1u);
    EXPECT_TRUE(form1->Timer5.isActive());
    EXPECT_EQ(form1->MemCpustat, "1");

    // Not writable: the old 0 is read back, the timer stops again and the caption empties.
    form2.Check3->setChecked(false);
    form2.ApplyShowMemCpu();
    f.registry->currentUserWritable = false;
    form1->setWindowTitle("M 512 CPU 3%");
    form2.Check3->setChecked(true);
    form2.ApplyShowMemCpu();
    EXPECT_EQ(f.registry->dword(kKey, "ShowMemCpu"), 0u);
    EXPECT_FALSE(form1->Timer5.isActive());
    EXPECT_EQ(form1->windowTitle(), "");
    EXPECT_EQ(form1->MemCpustat, "0");
    EXPECT_TRUE(f.messages->shown.empty());
}

TEST_F(Form2Fixture, TestLink_PlaysTheSweepOf21TonesAndTouchesNothingElse) {
    Form2& form2 = open();
    const bool timer4 = form1->Timer4.isActive();
    const auto callsBefore = f.registry->calls.size();
    QTest::mouseClick(form2.Label6, Qt::LeftButton);
    ASSERT_EQ(f.tone->tones.size(), 21u);
    for (std::size_t i = 0; i < 21; ++i) {
        EXPECT_EQ(f.tone->tones[i].first, 500 - 10 * i);
        EXPECT_EQ(f.tone->tones[i].second, 50u);
    }
    EXPECT_EQ(form1->Timer4.isActive(), timer4);
    EXPECT_EQ(f.registry->calls.size(), callsBefore);
    EXPECT_EQ(form2.Label6->text(), "Test ");

    // Without a tone generator the link does nothing (and does not crash).
    f.services.tone.reset();
    form2.Label6_Click();
}
