// The Schedule Task page in the Options and Schedule Task window, opened from the main window's
// menu: loading, the status bar, the editors, and a task applied there running on the main window.
#include "fixtures.h"
#include "shell/qt/alert_editor.h"
#include "shell/qt/schedule_page.h"

#include <QTest>

namespace {

constexpr std::uint64_t kMinute = 60'000ULL;

struct ScheduleWindowFixture : LoadedMainWindowTest {
    qtshell::SchedulePage& open() {
        mainWindow->openScheduleTask();
        auto* page =
            control(mainWindow->optionsWindow(), "schedulePageFrame")->findChild<qtshell::SchedulePage*>();
        EXPECT_NE(page, nullptr);
        return *page;
    }
    qtshell::SchedulePage& reopen() {
        closeOptionsWindow();
        EXPECT_EQ(mainWindow->optionsWindow(), nullptr);
        return open();
    }
    QString panel(int n) { return mainWindow->optionsWindow()->panel(n)->text(); }
    // The open page's controls by their names.
    QLineEdit* box(const char* name) { return control<QLineEdit>(mainWindow->optionsWindow(), name); }
    QComboBox* kindBox() { return control<QComboBox>(mainWindow->optionsWindow(), "kindBox"); }
    QCheckBox* scheduledCheck() { return control<QCheckBox>(mainWindow->optionsWindow(), "scheduledCheck"); }
    /// The task editor shown, if any.
    template <typename Editor = qtshell::EditorWindow> static Editor* shownEditor() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* editor = qobject_cast<Editor*>(window);
            if (editor != nullptr && editor->isVisible()) {
                return editor;
            }
        }
        return nullptr;
    }
};

TEST_F(ScheduleWindowFixture, Open_PageInItsFrameLoadedInItsPlace) {
    qtshell::SchedulePage& page = open();
    EXPECT_TRUE(control(mainWindow->optionsWindow(), "schedulePageFrame")->isVisible());
    EXPECT_TRUE(page.isVisible());
    QStringList items;
    for (int i = 0; i < kindBox()->count(); ++i) {
        items << kindBox()->itemText(i);
    }
    EXPECT_EQ(items, (QStringList{"Turn Off Computer", "Log Off Computer", "Restart Computer", "Hibernate",
                                  "Alert", "Run Program", "Visit Website"}));
    EXPECT_EQ(kindBox()->currentText(), "Pick a Task");
    EXPECT_FALSE(scheduledCheck()->isChecked());
    EXPECT_EQ(panel(1), "Task Scheduled : No");
    EXPECT_EQ(panel(2), "Task Name : Non");
    EXPECT_EQ(panel(3), "M 512 CPU 3%");
    // Loading opened no editor and showed nothing.
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_EQ(shownEditor(), nullptr);
}

TEST_F(ScheduleWindowFixture, Apply_TaskRunsOnTheMainWindowAndTheNextOpeningShowsItRan) {
    refreshAt(10 * kMinute);
    qtshell::SchedulePage& page = open();
    scheduledCheck()->setChecked(true);
    box("daysBox")->setText("0");
    box("minutesBox")->clear();
    QTest::keyClicks(box("minutesBox"), "12");
    kindBox()->setCurrentIndex(5); // Run Program, its command line as its editor leaves it
    mainWindow->core().state().changeTask(
        [](core::ScheduledTask& t) { t.program = "/usr/local/bin/backup --now"; });
    page.apply();
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_EQ(panel(1), "Task Scheduled : Yes");
    EXPECT_EQ(panel(2), "Task Name : Run Program");
    EXPECT_EQ(mainWindow->core().state().task().scheduled, 1);
    EXPECT_EQ(mainWindow->core().state().task().kind, "Run Program");

    mainWindow->core().blinkIndicator();
    EXPECT_TRUE(control(mainWindow.get(), "taskIndicator")->isHidden()); // blinking
    secondAt(11 * kMinute);
    EXPECT_TRUE(f.launcher->programs.empty());
    secondAt(12 * kMinute);
    EXPECT_EQ(f.launcher->programs, (std::vector<std::string>{"/usr/local/bin/backup --now"}));
    mainWindow->core().blinkIndicator();
    EXPECT_FALSE(control(mainWindow.get(), "taskIndicator")->isHidden());

    // The open window is not told; the next opening shows the design, not the days and kind
    // the record still holds.
    EXPECT_EQ(panel(1), "Task Scheduled : Yes");
    reopen();
    EXPECT_FALSE(scheduledCheck()->isChecked());
    EXPECT_EQ(box("daysBox")->text(), "00");
    EXPECT_EQ(box("hoursBox")->text(), "00");
    EXPECT_EQ(box("minutesBox")->text(), "00");
    EXPECT_EQ(kindBox()->currentText(), "Pick a Task");
    EXPECT_EQ(panel(1), "Task Scheduled : No");
    EXPECT_EQ(panel(2), "Task Name : Non");
}

TEST_F(ScheduleWindowFixture, Reopen_WithATaskScheduledShowsTheAppliedTexts) {
    qtshell::SchedulePage& page = open();
    scheduledCheck()->setChecked(true);
    box("daysBox")->setText("05");
    box("hoursBox")->setText("00");
    control<qtshell::UpDown>(mainWindow->optionsWindow(), "hoursUpDown")
        ->step(1); // "1", written by the spin control
    box("minutesBox")->setText("09");
    kindBox()->setCurrentIndex(6); // Visit Website, its address as its editor leaves it
    page.apply();
    reopen();
    EXPECT_TRUE(scheduledCheck()->isChecked());
    EXPECT_EQ(box("daysBox")->text(), "05");
    EXPECT_EQ(box("hoursBox")->text(), "1");
    EXPECT_EQ(box("minutesBox")->text(), "09");
    EXPECT_EQ(kindBox()->currentText(), "Visit Website");
    EXPECT_EQ(panel(1), "Task Scheduled : Yes");
    EXPECT_EQ(panel(2), "Task Name : Visit Website");
    EXPECT_EQ(shownEditor(), nullptr);
    // The arrow keys move on from the stored kind.
    QTest::keyClick(kindBox(), Qt::Key_Up);
    EXPECT_EQ(kindBox()->currentText(), "Run Program");
}

TEST_F(ScheduleWindowFixture, Kind_AlertOpensItsEditorAndLeavingItEmptyClearsTheKind) {
    qtshell::SchedulePage& page = open();
    kindBox()->setCurrentIndex(4);
    emit kindBox()->activated(4);
    qtshell::AlertEditor* editor = shownEditor<qtshell::AlertEditor>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(kindBox()->currentText(), "Alert");
    editor->close(); // no message typed
    EXPECT_EQ(kindBox()->currentText(), "");
    scheduledCheck()->setChecked(true);
    box("minutesBox")->setText("5");
    page.apply();
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.messages->shown[0].text, "Please Select a Task to Schedule.");
    EXPECT_EQ(mainWindow->core().state().task().scheduled, 0);
}

} // namespace
