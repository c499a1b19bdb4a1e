// The Schedule Task page on fake services: layout, typing into the boxes, the spin controls and
// the kind box. Apply's rules, the key codes and the spin steps are the core's (tests/core).
#include "fakes/fake_services.h"
#include "shell/qt/schedule_page.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using fakes::FakeServices;
using platform::MessageIcon;

const std::string kHibernateWarning = "Please make sure you have enabled 'Hibernation' in Power option. "
                                      "Otherwise the system may go on a Standby.";

struct PageFixture : ::testing::Test {
    FakeServices f;
    core::AppState state;
    QLabel panel1;
    QLabel panel2;
    std::unique_ptr<SchedulePage> page;
    std::vector<QString> editors;

    // The window's loading, as far as the page takes part in it.
    void SetUp() override {
        page = std::make_unique<SchedulePage>(state, f.services);
        page->setStatusPanels(&panel1, &panel2);
        page->setOpenEditor([this](const QString& kind) { editors.push_back(kind); });
        page->fillKinds();
        page->copyTask();
        page->showScheduleStatus();
    }
};

TEST_F(PageFixture, Layout_ControlsCaptionsAndPositions) {
    struct Place {
        QWidget* widget;
        int left, top; // twips at 15 per pixel
    };
    const Place places[] = {{page->scheduledCheck, 1440, 480}, {page->whenLabel, 1800, 480},
                            {page->daysLabel, 1440, 1080},     {page->daysBox, 2040, 1080},
                            {page->hoursLabel, 3240, 1080},    {page->hoursBox, 3840, 1080},
                            {page->minutesLabel, 5040, 1080},  {page->minutesBox, 5880, 1080},
                            {page->kindLabel, 1440, 1800},     {page->kindBox, 3240, 1800}};
    for (const auto& p : places) {
        EXPECT_EQ(p.widget->pos(), QPoint(p.left / 15, p.top / 15)) << p.widget->metaObject()->className();
    }
    EXPECT_EQ(page->whenLabel->text(), " When System up Time reaches to ");
    EXPECT_EQ(page->daysLabel->text(), "Days");
    EXPECT_EQ(page->hoursLabel->text(), "Hours");
    EXPECT_EQ(page->minutesLabel->text(), "Minutes");
    EXPECT_EQ(page->kindLabel->text(), "Execute this Task : ");
    EXPECT_EQ(page->scheduledCheck->toolTip(), "Enable / Disable Schedule Task");
    EXPECT_TRUE(page->scheduledCheck->text().isEmpty());
    for (QLineEdit* box : {page->daysBox, page->hoursBox, page->minutesBox}) {
        EXPECT_EQ(box->text(), "00");
        EXPECT_EQ(box->maxLength(), 2);
        EXPECT_EQ(box->alignment(), Qt::AlignCenter);
        EXPECT_TRUE(box->font().bold());
    }
    EXPECT_EQ(page->daysBox->toolTip(), "Days");
    EXPECT_EQ(page->hoursBox->toolTip(), "Hours");
    EXPECT_EQ(page->minutesBox->toolTip(), "Minutes");
    // Each spin control lies right of its box and follows it in the tab order.
    EXPECT_EQ(page->daysUpDown->x(), page->daysBox->geometry().right() + 1);
    EXPECT_EQ(page->hoursUpDown->x(), page->hoursBox->geometry().right() + 1);
    EXPECT_EQ(page->minutesUpDown->x(), page->minutesBox->geometry().right() + 1);
    const std::vector<QWidget*> order = {page->scheduledCheck, page->daysBox,     page->daysUpDown,
                                         page->hoursBox,       page->hoursUpDown, page->minutesBox,
                                         page->minutesUpDown,  page->kindBox};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus) {
            next = next->nextInFocusChain();
        }
        EXPECT_EQ(next, order[i + 1]) << i;
    }
    EXPECT_EQ(page->daysUpDown->maximum(), 31);
    EXPECT_EQ(page->hoursUpDown->maximum(), 24);
    EXPECT_EQ(page->minutesUpDown->maximum(), 59);
    EXPECT_GT(page->applyButton->geometry().top(),
              page->kindBox->geometry().bottom()); // Apply below the kind box
    EXPECT_EQ(page->applyButton->picture(), 3);
    EXPECT_EQ(page->clockPicture->size(), QSize(66, 66));
    EXPECT_EQ(page->palette().color(QPalette::Window), QColor(166, 193, 232));
}

TEST_F(PageFixture, Filters_TypingIntoTheBoxes) {
    struct Typing {
        QLineEdit* SchedulePage::*box;
        const char* typed;
        const char* shown;
        std::size_t tones;
    };
    const Typing cases[] = {
        {&SchedulePage::daysBox, "3/", "3/", 0},   {&SchedulePage::hoursBox, "1:", "1:", 0},
        {&SchedulePage::minutesBox, "1/", "1", 1}, {&SchedulePage::daysBox, "a5", "5", 1},
        {&SchedulePage::hoursBox, " 7", "7", 1},   {&SchedulePage::minutesBox, "-.", ".", 1},
        {&SchedulePage::daysBox, "123", "12", 0}, // two typed characters at most
    };
    for (const auto& c : cases) {
        QLineEdit* box = page.get()->*c.box;
        box->clear();
        f.tone->tones.clear();
        QTest::keyClicks(box, c.typed);
        EXPECT_EQ(box->text(), c.shown) << c.typed;
        EXPECT_EQ(f.tone->tones.size(), c.tones) << c.typed;
    }
    // Backspace, Delete and the arrows work and sound nothing.
    page->daysBox->setText("12");
    f.tone->tones.clear();
    QTest::keyClick(page->daysBox, Qt::Key_End);
    QTest::keyClick(page->daysBox, Qt::Key_Backspace);
    EXPECT_EQ(page->daysBox->text(), "1");
    QTest::keyClick(page->daysBox, Qt::Key_Home);
    QTest::keyClick(page->daysBox, Qt::Key_Delete);
    EXPECT_EQ(page->daysBox->text(), "");
    EXPECT_TRUE(f.tone->tones.empty());
    // Ctrl+V types character 22: refused, nothing pasted.
    QTest::keyClick(page->hoursBox, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.tone->tones.size(), 1u);
}

TEST_F(PageFixture, Filters_NothingCanBeTypedIntoTheKindBox) {
    for (const char* typed : {"a", "5", " "}) {
        f.tone->tones.clear();
        QTest::keyClicks(page->kindBox, typed);
        EXPECT_EQ(page->kindBox->currentText(), "Pick a Task") << typed;
        EXPECT_EQ(f.tone->tones.size(), 1u) << typed;
    }
    f.tone->tones.clear();
    QTest::keyClick(page->kindBox, Qt::Key_Backspace);
    EXPECT_EQ(page->kindBox->currentText(), "Pick a Task");
    EXPECT_EQ(f.tone->tones.size(), 1u);
    // Delete types no character: it erases one, silently; Apply then finds no kind.
    QTest::keyClick(page->kindBox, Qt::Key_Home);
    QTest::keyClick(page->kindBox, Qt::Key_Delete);
    EXPECT_EQ(page->kindBox->currentText(), "ick a Task");
    EXPECT_EQ(f.tone->tones.size(), 1u);
    page->scheduledCheck->setChecked(true);
    page->minutesBox->setText("5");
    f.messages->shown.clear();
    page->apply();
    EXPECT_EQ(f.messages->shown,
              fakes::oneBox("Please Select a Task to Schedule.", platform::MessageIcon::Exclamation));
}

TEST_F(PageFixture, SpinControls_StepTheirBoxAndRememberTheNumberWritten) {
    // A box without a whole number steps from the number the control wrote last.
    page->minutesBox->setText("20");
    page->minutesUpDown->step(1);
    page->minutesBox->setText("1.");
    page->minutesUpDown->step(1);
    EXPECT_EQ(page->minutesBox->text(), "22");
    // The arrow buttons and keys do the same.
    page->hoursBox->setText("3");
    page->hoursUpDown->upButton()->click();
    EXPECT_EQ(page->hoursBox->text(), "4");
    page->hoursUpDown->downButton()->click();
    page->hoursUpDown->downButton()->click();
    EXPECT_EQ(page->hoursBox->text(), "2");
    QTest::keyClick(page->daysUpDown, Qt::Key_Up);
    EXPECT_EQ(page->daysBox->text(), "1");
    EXPECT_TRUE(f.tone->tones.empty());
}

TEST_F(PageFixture, Kind_ArrowKeysPassEveryItemAndOpenEditorsOrWarn) {
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(page->kindBox, Qt::Key_Down);
    }
    EXPECT_EQ(page->kindBox->currentText(), "Visit Website");
    EXPECT_EQ(editors, (std::vector<QString>{"Alert", "Run Program", "Visit Website"}));
    EXPECT_EQ(f.messages->shown, fakes::oneBox(kHibernateWarning, MessageIcon::Exclamation));
    // Choosing a kind alone writes nothing.
    EXPECT_EQ(state.task().kind, "task");
    EXPECT_FALSE(state.task().scheduled);
    EXPECT_TRUE(f.tone->tones.empty());
}

TEST_F(PageFixture, Kind_ChoosingTheSameKindAgainAfterAnEditorEmptiedTheBox) {
    page->kindBox->setCurrentIndex(4);
    emit page->kindBox->activated(4);
    page->kindBox->setEditText(QString()); // the editor was left without a message
    EXPECT_EQ(page->kindBox->currentText(), "");
    // Picking Alert from the list again shows it in the box and opens the editor again.
    page->kindBox->setCurrentIndex(4);
    emit page->kindBox->activated(4);
    EXPECT_EQ(page->kindBox->currentText(), "Alert");
    EXPECT_EQ(editors, (std::vector<QString>{"Alert", "Alert"}));
}

} // namespace
