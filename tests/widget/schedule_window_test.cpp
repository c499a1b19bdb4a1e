// The Schedule Task page in the Options and Schedule Task window, opened from the main window's
// menu: loading, the status bar, the editors, and a task applied there running on the main window.
#include "app/form1.h"
#include "editors/form3.h"
#include "fakes/fake_services.h"
#include "scheduler/schedule_page.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using fakes::FakeServices;

constexpr std::uint64_t kMinute = 60'000ULL;

struct ScheduleWindowFixture : ::testing::Test {
    FakeServices f;
    std::unique_ptr<Form1> form1;

    void SetUp() override {
        form1 = std::make_unique<Form1>(f.services);
        form1->Form_Load();
        form1->setWindowTitle(QStringLiteral("M 512 CPU 3%"));
    }
    void TearDown() override {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<EditorWindow*>(window) != nullptr) {
                delete window;
            }
        }
        form1.reset();
    }
    SchedulePage& open() {
        form1->shtask_Click();
        auto* page = form1->form2()->Frame3->findChild<SchedulePage*>();
        EXPECT_NE(page, nullptr);
        return *page;
    }
    void closeWindow() {
        form1->form2()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(form1->form2(), nullptr);
    }
    QString panel(int n) { return form1->form2()->panel(n)->text(); }
    void secondAt(std::uint64_t tick) {
        f.clock->tick = tick;
        form1->Timer1_Timer();
        form1->Timer2_Timer();
    }
    static Form3* openAlertEditor() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* editor = qobject_cast<Form3*>(window);
            if (editor != nullptr && editor->isVisible()) {
                return editor;
            }
        }
        return nullptr;
    }
};

TEST_F(ScheduleWindowFixture, Open_PageInFrame3LoadedInItsPlace) {
    SchedulePage& page = open();
    EXPECT_TRUE(form1->form2()->Frame3->isVisible());
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(page.Combo1->count(), 7);
    EXPECT_EQ(page.Combo1->currentText(), "Pick a Task");
    EXPECT_FALSE(page.Check1->isChecked());
    EXPECT_EQ(panel(1), "Task Scheduled : No");
    EXPECT_EQ(panel(2), "Task Name : Non");
    EXPECT_EQ(panel(3), "M 512 CPU 3%");
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_EQ(openAlertEditor(), nullptr);
}

TEST_F(ScheduleWindowFixture, Apply_TaskRunsOnTheMainWindowAndTheNextOpeningShowsItRan) {
    f.clock->tick = 10 * kMinute;
    form1->Timer1_Timer();
    SchedulePage& page = open();
    page.Check1->setChecked(true);
    page.mm->clear();
    QTest::keyClicks(page.mm, "12");
    page.Combo1->setCurrentIndex(5); // Run Program, its command line as its editor leaves it
    form1->scheduledTask.lblexe = "/usr/local/bin/backup --now";
    page.Image6_Click();
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_EQ(panel(1), "Task Scheduled : Yes");
    EXPECT_EQ(panel(2), "Task Name : Run Program");
    EXPECT_EQ(form1->scheduledTask.Check1, 1);
    EXPECT_EQ(form1->scheduledTask.task, "Run Program");

    form1->Timer3_Timer();
    EXPECT_TRUE(form1->Image1->isHidden()); // blinking
    secondAt(11 * kMinute);
    EXPECT_TRUE(f.launcher->programs.empty());
    secondAt(12 * kMinute);
    EXPECT_EQ(f.launcher->programs, (std::vector<std::string>{"/usr/local/bin/backup --now"}));
    form1->Timer3_Timer();
    EXPECT_FALSE(form1->Image1->isHidden());

    // The open window is not told; the next opening is.
    EXPECT_EQ(panel(1), "Task Scheduled : Yes");
    closeWindow();
    SchedulePage& again = open();
    EXPECT_FALSE(again.Check1->isChecked());
    EXPECT_EQ(again.mm->text(), "00");
    EXPECT_EQ(again.Combo1->currentText(), "Pick a Task");
    EXPECT_EQ(panel(1), "Task Scheduled : No");
    EXPECT_EQ(panel(2), "Task Name : Non");
}

TEST_F(ScheduleWindowFixture, Reopen_WithATaskScheduledShowsTheAppliedTexts) {
    SchedulePage& page = open();
    page.Check1->setChecked(true);
    page.dd->setText("05");
    page.hr->setText("00");
    page.UpDown2->step(1);
    page.mm->setText("09");
    page.Combo1->setCurrentIndex(0);
    page.Image6_Click();
    closeWindow();
    SchedulePage& again = open();
    EXPECT_TRUE(again.Check1->isChecked());
    EXPECT_EQ(again.dd->text(), "05");
    EXPECT_EQ(again.hr->text(), "1");
    EXPECT_EQ(again.mm->text(), "09");
    EXPECT_EQ(again.Combo1->currentText(), "Turn Off Computer");
    EXPECT_EQ(panel(1), "Task Scheduled : Yes");
    EXPECT_EQ(panel(2), "Task Name : Turn Off Computer");
}

TEST_F(ScheduleWindowFixture, Kind_AlertOpensItsEditorAndLeavingItEmptyClearsTheKind) {
    SchedulePage& page = open();
    page.Combo1->setCurrentIndex(4);
    emit page.Combo1->activated(4);
    Form3* editor = openAlertEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(page.Combo1->currentText(), "Alert");
    editor->close(); // no message typed
    EXPECT_EQ(page.Combo1->currentText(), "");
    page.Check1->setChecked(true);
    page.mm->setText("5");
    page.Image6_Click();
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.messages->shown[0].text, "Please Select a Task to Schedule.");
    EXPECT_EQ(form1->scheduledTask.Check1, 0);
}

TEST_F(ScheduleWindowFixture, Kind_HibernateWarnsAndRefusedKeysSoundTheTone) {
    SchedulePage& page = open();
    page.Combo1->setCurrentIndex(3);
    emit page.Combo1->activated(3);
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.messages->shown[0].text,
              "Please make sure you have enabled 'Hibernation' in Power option. Otherwise the system may go on a "
              "Standby.");
    QTest::keyClicks(page.Combo1, "x");
    QTest::keyClicks(page.dd, "x");
    EXPECT_EQ(f.tone->tones, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{10000, 3}, {10000, 3}}));
}

} // namespace
