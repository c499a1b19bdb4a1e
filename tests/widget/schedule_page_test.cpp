// The Schedule Task page on fake services: layout, typing into the boxes, the spin controls and
// the kind box. Apply's rules, the key codes and the spin steps are the core's (tests/core).
#include "fixtures.h"

#include <QTest>

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
    std::unique_ptr<qtshell::SchedulePage> page;
    std::vector<QString> editors;

    // The window's loading, as far as the page takes part in it.
    void SetUp() override {
        page = std::make_unique<qtshell::SchedulePage>(state, f.services);
        page->setStatusPanels(&panel1, &panel2);
        page->setOpenEditor(
            [this](core::TaskKind kind) { editors.push_back(QString::fromUtf8(core::taskKindText(kind))); });
        page->fillKinds();
        page->copyTask();
        page->showScheduleStatus();
    }

    // The page's controls by their names.
    QLabel* label(const char* name) const { return control<QLabel>(page.get(), name); }
    QLineEdit* box(const char* name) const { return control<QLineEdit>(page.get(), name); }
    qtshell::UpDown* upDown(const char* name) const { return control<qtshell::UpDown>(page.get(), name); }
    QCheckBox* scheduledCheck() const { return control<QCheckBox>(page.get(), "scheduledCheck"); }
    QComboBox* kindBox() const { return control<QComboBox>(page.get(), "kindBox"); }
    qtshell::PictureButton* applyButton() const {
        return control<qtshell::PictureButton>(page.get(), "applyButton");
    }
};

TEST_F(PageFixture, Layout_ControlsCaptionsAndPositions) {
    struct Place {
        QWidget* widget;
        int left, top; // twips at 15 per pixel
    };
    const Place places[] = {{scheduledCheck(), 1440, 480},       {label("whenLabel"), 1800, 480},
                            {label("daysLabel"), 1440, 1080},    {box("daysBox"), 2040, 1080},
                            {label("hoursLabel"), 3240, 1080},   {box("hoursBox"), 3840, 1080},
                            {label("minutesLabel"), 5040, 1080}, {box("minutesBox"), 5880, 1080},
                            {label("kindLabel"), 1440, 1800},    {kindBox(), 3240, 1800}};
    for (const auto& p : places) {
        EXPECT_EQ(p.widget->pos(), QPoint(p.left / 15, p.top / 15)) << p.widget->metaObject()->className();
    }
    EXPECT_EQ(label("whenLabel")->text(), " When System up Time reaches to ");
    EXPECT_EQ(label("daysLabel")->text(), "Days");
    EXPECT_EQ(label("hoursLabel")->text(), "Hours");
    EXPECT_EQ(label("minutesLabel")->text(), "Minutes");
    EXPECT_EQ(label("kindLabel")->text(), "Execute this Task : ");
    EXPECT_EQ(scheduledCheck()->toolTip(), "Enable / Disable Schedule Task");
    EXPECT_TRUE(scheduledCheck()->text().isEmpty());
    for (QLineEdit* trigger : {box("daysBox"), box("hoursBox"), box("minutesBox")}) {
        EXPECT_EQ(trigger->text(), "00");
        EXPECT_EQ(trigger->maxLength(), 2);
        EXPECT_EQ(trigger->alignment(), Qt::AlignCenter);
        EXPECT_TRUE(trigger->font().bold());
    }
    EXPECT_EQ(box("daysBox")->toolTip(), "Days");
    EXPECT_EQ(box("hoursBox")->toolTip(), "Hours");
    EXPECT_EQ(box("minutesBox")->toolTip(), "Minutes");
    // Each spin control lies right of its box and follows it in the tab order.
    EXPECT_EQ(upDown("daysUpDown")->x(), box("daysBox")->geometry().right() + 1);
    EXPECT_EQ(upDown("hoursUpDown")->x(), box("hoursBox")->geometry().right() + 1);
    EXPECT_EQ(upDown("minutesUpDown")->x(), box("minutesBox")->geometry().right() + 1);
    const std::vector<QWidget*> order = {
        scheduledCheck(),      box("daysBox"),    upDown("daysUpDown"),    box("hoursBox"),
        upDown("hoursUpDown"), box("minutesBox"), upDown("minutesUpDown"), kindBox()};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus) {
            next = next->nextInFocusChain();
        }
        EXPECT_EQ(next, order[i + 1]) << i;
    }
    EXPECT_EQ(upDown("daysUpDown")->maximum(), 31);
    EXPECT_EQ(upDown("hoursUpDown")->maximum(), 24);
    EXPECT_EQ(upDown("minutesUpDown")->maximum(), 59);
    EXPECT_GT(applyButton()->geometry().top(),
              kindBox()->geometry().bottom()); // Apply below the kind box
    EXPECT_EQ(applyButton()->picture(), 3);
    EXPECT_EQ(label("clockPicture")->size(), QSize(66, 66));
    EXPECT_EQ(page->palette().color(QPalette::Window), QColor(166, 193, 232));
}

TEST_F(PageFixture, Filters_TypingIntoTheBoxes) {
    struct Typing {
        const char* box;
        const char* typed;
        const char* shown;
        std::size_t tones;
    };
    const Typing cases[] = {
        {"daysBox", "3/", "3/", 0},  {"hoursBox", "1:", "1:", 0}, {"minutesBox", "1/", "1", 1},
        {"daysBox", "a5", "5", 1},   {"hoursBox", " 7", "7", 1},  {"minutesBox", "-.", ".", 1},
        {"daysBox", "123", "12", 0}, // two typed characters at most
    };
    for (const auto& c : cases) {
        QLineEdit* typedInto = box(c.box);
        typedInto->clear();
        f.tone->tones.clear();
        QTest::keyClicks(typedInto, c.typed);
        EXPECT_EQ(typedInto->text(), c.shown) << c.typed;
        EXPECT_EQ(f.tone->tones.size(), c.tones) << c.typed;
    }
    // Backspace, Delete and the arrows work and sound nothing.
    box("daysBox")->setText("12");
    f.tone->tones.clear();
    QTest::keyClick(box("daysBox"), Qt::Key_End);
    QTest::keyClick(box("daysBox"), Qt::Key_Backspace);
    EXPECT_EQ(box("daysBox")->text(), "1");
    QTest::keyClick(box("daysBox"), Qt::Key_Home);
    QTest::keyClick(box("daysBox"), Qt::Key_Delete);
    EXPECT_EQ(box("daysBox")->text(), "");
    EXPECT_TRUE(f.tone->tones.empty());
    // Ctrl+V types character 22: refused, nothing pasted.
    QTest::keyClick(box("hoursBox"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.tone->tones.size(), 1u);
}

TEST_F(PageFixture, Filters_NothingCanBeTypedIntoTheKindBox) {
    for (const char* typed : {"a", "5", " "}) {
        f.tone->tones.clear();
        QTest::keyClicks(kindBox(), typed);
        EXPECT_EQ(kindBox()->currentText(), "Pick a Task") << typed;
        EXPECT_EQ(f.tone->tones.size(), 1u) << typed;
    }
    f.tone->tones.clear();
    QTest::keyClick(kindBox(), Qt::Key_Backspace);
    EXPECT_EQ(kindBox()->currentText(), "Pick a Task");
    EXPECT_EQ(f.tone->tones.size(), 1u);
    // Delete types no character: it erases one, silently; Apply then finds no kind.
    QTest::keyClick(kindBox(), Qt::Key_Home);
    QTest::keyClick(kindBox(), Qt::Key_Delete);
    EXPECT_EQ(kindBox()->currentText(), "ick a Task");
    EXPECT_EQ(f.tone->tones.size(), 1u);
    scheduledCheck()->setChecked(true);
    box("minutesBox")->setText("5");
    f.messages->shown.clear();
    page->apply();
    EXPECT_EQ(f.messages->shown,
              fakes::oneBox("Please Select a Task to Schedule.", platform::MessageIcon::Exclamation));
}

TEST_F(PageFixture, SpinControls_StepTheirBoxAndRememberTheNumberWritten) {
    // A box without a whole number steps from the number the control wrote last.
    box("minutesBox")->setText("20");
    upDown("minutesUpDown")->step(1);
    box("minutesBox")->setText("1.");
    upDown("minutesUpDown")->step(1);
    EXPECT_EQ(box("minutesBox")->text(), "22");
    // The arrow buttons and keys do the same.
    box("hoursBox")->setText("3");
    upDown("hoursUpDown")->upButton()->click();
    EXPECT_EQ(box("hoursBox")->text(), "4");
    upDown("hoursUpDown")->downButton()->click();
    upDown("hoursUpDown")->downButton()->click();
    EXPECT_EQ(box("hoursBox")->text(), "2");
    QTest::keyClick(upDown("daysUpDown"), Qt::Key_Up);
    EXPECT_EQ(box("daysBox")->text(), "1");
    EXPECT_TRUE(f.tone->tones.empty());
}

TEST_F(PageFixture, Kind_ArrowKeysPassEveryItemAndOpenEditorsOrWarn) {
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(kindBox(), Qt::Key_Down);
    }
    EXPECT_EQ(kindBox()->currentText(), "Visit Website");
    EXPECT_EQ(editors, (std::vector<QString>{"Alert", "Run Program", "Visit Website"}));
    EXPECT_EQ(f.messages->shown, fakes::oneBox(kHibernateWarning, MessageIcon::Exclamation));
    // Choosing a kind alone writes nothing.
    EXPECT_EQ(state.task().kind, "task");
    EXPECT_FALSE(state.task().scheduled);
    EXPECT_TRUE(f.tone->tones.empty());
}

TEST_F(PageFixture, Kind_ChoosingTheSameKindAgainAfterAnEditorEmptiedTheBox) {
    kindBox()->setCurrentIndex(4);
    emit kindBox()->activated(4);
    kindBox()->setEditText(QString()); // the editor was left without a message
    EXPECT_EQ(kindBox()->currentText(), "");
    // Picking Alert from the list again shows it in the box and opens the editor again.
    kindBox()->setCurrentIndex(4);
    emit kindBox()->activated(4);
    EXPECT_EQ(kindBox()->currentText(), "Alert");
    EXPECT_EQ(editors, (std::vector<QString>{"Alert", "Alert"}));
}

} // namespace
