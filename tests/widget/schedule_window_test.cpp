// The Schedule Task page in the Options and Schedule Task window, opened from the main window's
// menu: loading, the status bar, the editors, and a task applied there running on the main window.
#include "editors/form3.h"
#include "fixtures.h"
#include "scheduler/schedule_page.h"

#include <QTest>

namespace {

constexpr std::uint64_t kMinute = 60'000ULL;

struct ScheduleWindowFixture : LoadedMainWindowTest {
    SchedulePage& open() {
        form1->shtask_Click();
        auto* page = form1->form2()->Frame3->findChild<SchedulePage*>();
        EXPECT_NE(page, nullptr);
        return *page;
    }
    SchedulePage& reopen() {
        closeForm2();
        EXPECT_EQ(form1->form2(), nullptr);
        return open();
    }
    QString panel(int n) { return form1->form2()->panel(n)->text(); }
    /// The task editor shown, if any.
    template <typename Editor = EditorWindow> static Editor* shownEditor() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* editor = qobject_cast<Editor*>(window);
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
    QStringList items;
    for (int i = 0; i < page.Combo1->count(); ++i) {
        items << page.Combo1->itemText(i);
    }
    EXPECT_EQ(items, (QStringList{"Turn Off Computer", "Log Off Computer", "Restart Computer", "Hibernate",
                                  "Alert", "Run Program", "Visit Website"}));
    EXPECT_EQ(page.Combo1->currentText(), "Pick a Task");
    EXPECT_FALSE(page.Check1->isChecked());
    EXPECT_EQ(panel(1), "Task Scheduled : No");
    EXPECT_EQ(panel(2), "Task Name : Non");
    EXPECT_EQ(panel(3), "M 512 CPU 3%");
    // Loading opened no editor and showed nothing.
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_EQ(shownEditor(), nullptr);
}

TEST_F(ScheduleWindowFixture, Apply_TaskRunsOnTheMainWindowAndTheNextOpeningShowsItRan) {
    refreshAt(10 * kMinute);
    SchedulePage& page = open();
    page.Check1->setChecked(true);
    page.dd->setText("0");
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

    // The open window is not told; the next opening shows the design, not the days and kind
    // the record still holds.
    EXPECT_EQ(panel(1), "Task Scheduled : Yes");
    SchedulePage& again = reopen();
    EXPECT_FALSE(again.Check1->isChecked());
    EXPECT_EQ(again.dd->text(), "00");
    EXPECT_EQ(again.hr->text(), "00");
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
    page.UpDown2->step(1); // "1", written by the spin control
    page.mm->setText("09");
    page.Combo1->setCurrentIndex(6); // Visit Website, its address as its editor leaves it
    page.Image6_Click();
    SchedulePage& again = reopen();
    EXPECT_TRUE(again.Check1->isChecked());
    EXPECT_EQ(again.dd->text(), "05");
    EXPECT_EQ(again.hr->text(), "1");
    EXPECT_EQ(again.mm->text(), "09");
    EXPECT_EQ(again.Combo1->currentText(), "Visit Website");
    EXPECT_EQ(panel(1), "Task Scheduled : Yes");
    EXPECT_EQ(panel(2), "Task Name : Visit Website");
    EXPECT_EQ(shownEditor(), nullptr);
    // The arrow keys move on from the stored kind.
    QTest::keyClick(again.Combo1, Qt::Key_Up);
    EXPECT_EQ(again.Combo1->currentText(), "Run Program");
}

TEST_F(ScheduleWindowFixture, Kind_AlertOpensItsEditorAndLeavingItEmptyClearsTheKind) {
    SchedulePage& page = open();
    page.Combo1->setCurrentIndex(4);
    emit page.Combo1->activated(4);
    Form3* editor = shownEditor<Form3>();
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

} // namespace
