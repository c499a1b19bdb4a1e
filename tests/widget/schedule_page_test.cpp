// The Schedule Task page on fake services: layout, key filters, spin controls, the kind box,
// Apply's rules and the copy of the record when the window opens.
#include "fakes/fake_services.h"
#include "scheduler/schedule_page.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using fakes::FakeServices;
using platform::MessageIcon;

const QString kSelectTask = "Please Select a Task to Schedule.";
const QString kSpecifyTime = "Please specify Time.";
const QString kInvalidTime =
    "Invalid Time specified. Following are the valid # : Days - Max 31 ,Hours - Max 24 ,Minutes - Max 59. ";
const QString kNotEnabled = "Schedule Task is not enabled. To enable check the 'Schedule Task' Check Box .";
const QString kHibernateWarning = "Please make sure you have enabled 'Hibernation' in Power option. "
                                  "Otherwise the system may go on a Standby.";

struct PageFixture : ::testing::Test {
    FakeServices f;
    ScheduledTask record;
    QTimer Timer2;
    QLabel panel1;
    QLabel panel2;
    std::unique_ptr<SchedulePage> page;
    std::vector<QString> editors;

    // The window's loading, as far as the page takes part in it.
    void SetUp() override {
        page = std::make_unique<SchedulePage>(record, Timer2, f.services);
        page->setStatusPanels(&panel1, &panel2);
        page->setOpenEditor([this](const QString& kind) { editors.push_back(kind); });
        page->FillKinds();
        page->CopyRecord();
        page->ShowScheduleStatus();
    }
    void fill(bool checked, const QString& kind, const QString& d, const QString& h, const QString& m) {
        page->Check1->setChecked(checked);
        page->Combo1->setEditText(kind);
        page->dd->setText(d);
        page->hr->setText(h);
        page->mm->setText(m);
    }
    // A task that an earlier Apply left scheduled.
    void scheduleEarlier() {
        record.Check1 = 1;
        record.dd = "9";
        record.hr = "9";
        record.mm = "9";
        record.task = "Log Off Computer";
        Timer2.start();
    }
};

TEST_F(PageFixture, Layout_ControlsCaptionsAndPositions) {
    struct Place {
        QWidget* widget;
        int left, top; // twips at 15 per pixel
    };
    const Place places[] = {{page->Check1, 1440, 480},   {page->Label1, 1800, 480},
                            {page->Label15, 1440, 1080}, {page->dd, 2040, 1080},
                            {page->Label3, 3240, 1080},  {page->hr, 3840, 1080},
                            {page->Label4, 5040, 1080},  {page->mm, 5880, 1080},
                            {page->Label2, 1440, 1800},  {page->Combo1, 3240, 1800}};
    for (const auto& p : places) {
        EXPECT_EQ(p.widget->pos(), QPoint(p.left / 15, p.top / 15)) << p.widget->metaObject()->className();
    }
    EXPECT_EQ(page->Label1->text(), " When System up Time reaches to ");
    EXPECT_EQ(page->Label15->text(), "Days");
    EXPECT_EQ(page->Label3->text(), "Hours");
    EXPECT_EQ(page->Label4->text(), "Minutes");
    EXPECT_EQ(page->Label2->text(), "Execute this Task : ");
    EXPECT_EQ(page->Check1->toolTip(), "Enable / Disable Schedule Task");
    EXPECT_TRUE(page->Check1->text().isEmpty());
    for (QLineEdit* box : {page->dd, page->hr, page->mm}) {
        EXPECT_EQ(box->text(), "00");
        EXPECT_EQ(box->maxLength(), 2);
        EXPECT_EQ(box->alignment(), Qt::AlignCenter);
        EXPECT_TRUE(box->font().bold());
    }
    EXPECT_EQ(page->dd->toolTip(), "Days");
    EXPECT_EQ(page->hr->toolTip(), "Hours");
    EXPECT_EQ(page->mm->toolTip(), "Minutes");
    // Each spin control lies right of its box and follows it in the tab order.
    EXPECT_EQ(page->UpDown3->x(), page->dd->geometry().right() + 1);
    EXPECT_EQ(page->UpDown2->x(), page->hr->geometry().right() + 1);
    EXPECT_EQ(page->UpDown1->x(), page->mm->geometry().right() + 1);
    const std::vector<QWidget*> order = {page->Check1,  page->dd, page->UpDown3, page->hr,
                                         page->UpDown2, page->mm, page->UpDown1, page->Combo1};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus) {
            next = next->nextInFocusChain();
        }
        EXPECT_EQ(next, order[i + 1]) << i;
    }
    EXPECT_EQ(page->UpDown3->maximum(), 31);
    EXPECT_EQ(page->UpDown2->maximum(), 24);
    EXPECT_EQ(page->UpDown1->maximum(), 59);
    EXPECT_GT(page->Image6->geometry().top(), page->Combo1->geometry().bottom()); // Apply below the kind box
    EXPECT_EQ(page->Image6->picture(), 3);
    EXPECT_EQ(page->Image4->size(), QSize(66, 66));
    EXPECT_EQ(page->palette().color(QPalette::Window), QColor(166, 193, 232));
}

struct ApplyCase {
    bool checked;
    const char *kind, *dd, *hr, *mm;
    QString warning; // empty: scheduled
};

TEST_F(PageFixture, Apply_RulesInTheirOrder) {
    const ApplyCase cases[] = {
        {true, "", "0", "0", "5", kSelectTask},
        {true, "Pick a Task", "0", "0", "5", kSelectTask},
        {true, "", "0", "0", "0", kSelectTask},
        {true, "Alert", "00", "00", "00", kSpecifyTime},
        {true, "Alert", "", "", "", kSpecifyTime},
        {false, "Alert", "0", "0", "0", kSpecifyTime}, // the time comes before the box
        {false, "", "00", "00", "00", kSpecifyTime},
        {true, "Alert", "0", "25", "0", kInvalidTime},
        {true, "Alert", "32", "0", "0", kInvalidTime},
        {true, "Alert", "0", "0", "60", kInvalidTime},
        {false, "Alert", "0", "25", "0", kInvalidTime},
        {false, "Alert", "1", "2", "3", kNotEnabled},
        {false, "", "1", "2", "3", kNotEnabled}, // the empty kind is not reported
        {false, "Pick a Task", "0", "0", "1", kNotEnabled},
        {true, "Alert", "31", "24", "59", ""},
        {true, "Turn Off Computer", "0", "0", "1", ""},
        {true, "Hibernate", "05", "1:", "7", ""},
        {true, "Run Program", "0", "1.", "0", ""},
        {true, "Log Off Computer", "3/", "0", "0", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(
            QStringLiteral("%1 '%2' %3 %4 %5").arg(c.checked).arg(c.kind, c.dd, c.hr, c.mm).toStdString());
        scheduleEarlier();
        record.message = "kept";
        record.lblexe = "/bin/kept";
        record.Label8 = "https://kept.example/";
        f.messages->shown.clear();
        bool recordUntouchedWhileWarned = false;
        f.messages->whileShown = [&](const fakes::RecordedMessage&) {
            recordUntouchedWhileWarned = record.Check1 == 1 && Timer2.isActive();
        };
        fill(c.checked, c.kind, c.dd, c.hr, c.mm);
        page->Image6_Click();

        if (c.warning.isEmpty()) {
            EXPECT_TRUE(f.messages->shown.empty());
            EXPECT_EQ(record.Check1, 1);
            EXPECT_EQ(record.dd, c.dd); // as typed
            EXPECT_EQ(record.hr, c.hr);
            EXPECT_EQ(record.mm, c.mm);
            EXPECT_EQ(record.task, c.kind);
            EXPECT_TRUE(Timer2.isActive());
            EXPECT_EQ(panel1.text(), "Task Scheduled : Yes");
            EXPECT_EQ(panel2.text(), QStringLiteral("Task Name : ") + c.kind);
        } else {
            EXPECT_EQ(f.messages->shown, fakes::OneBox(c.warning, MessageIcon::Exclamation));
            EXPECT_TRUE(recordUntouchedWhileWarned);
            // The earlier task is cancelled; its trigger and kind stay as they were.
            EXPECT_EQ(record.Check1, 0);
            EXPECT_FALSE(Timer2.isActive());
            EXPECT_EQ(record.hr, "9");
            EXPECT_EQ(record.task, "Log Off Computer");
            EXPECT_EQ(panel1.text(), "Task Scheduled : No");
            EXPECT_EQ(panel2.text(), "Task Name : Non");
        }
        EXPECT_EQ(record.message, "kept");
        EXPECT_EQ(record.lblexe, "/bin/kept");
        EXPECT_EQ(record.Label8, "https://kept.example/");
    }
}

TEST_F(PageFixture, Apply_StartsTheTriggerCheckWhenItWasStopped) {
    Timer2.stop();
    fill(true, "Alert", "0", "1", "0");
    page->Image6_Click();
    EXPECT_TRUE(Timer2.isActive());
    // A second Apply replaces the task.
    fill(true, "Restart Computer", "2", "3", "4");
    page->Image6_Click();
    EXPECT_EQ(record.task, "Restart Computer");
    EXPECT_EQ(record.dd, "2");
}

// Characters accepted by the Days and Hours boxes: Backspace and codes 46 to 58.
bool daysAccept(int code) {
    return code == 8 || (code >= 46 && code <= 58);
}

TEST_F(PageFixture, Filters_CodesAcceptedPerBox) {
    struct Box {
        const char* name;
        void (SchedulePage::*filter)(int&);
        bool (*accepts)(int);
    };
    const Box boxes[] = {
        {"dd", &SchedulePage::dd_KeyPress, daysAccept},
        {"hr", &SchedulePage::hr_KeyPress, daysAccept},
        {"mm", &SchedulePage::mm_KeyPress, [](int code) { return code != 47 && daysAccept(code); }},
        {"Combo1", &SchedulePage::Combo1_KeyPress, [](int) { return false; }},
    };
    for (const auto& box : boxes) {
        f.tone->tones.clear();
        std::size_t refused = 0;
        for (int code = 1; code < 256; ++code) {
            int key = code;
            (page.get()->*box.filter)(key);
            EXPECT_EQ(key, box.accepts(code) ? code : 0) << box.name << " " << code;
            refused += box.accepts(code) ? 0 : 1;
        }
        EXPECT_EQ(f.tone->tones.size(), refused) << box.name;
        for (const auto& tone : f.tone->tones) {
            EXPECT_EQ(tone, (std::pair<std::uint32_t, std::uint32_t>{10000, 3}));
        }
    }
}

TEST_F(PageFixture, Filters_TypingIntoTheBoxes) {
    struct Typing {
        QLineEdit* SchedulePage::*box;
        const char* typed;
        const char* shown;
        std::size_t tones;
    };
    const Typing cases[] = {
        {&SchedulePage::dd, "3/", "3/", 0},  {&SchedulePage::hr, "1:", "1:", 0},
        {&SchedulePage::mm, "1/", "1", 1},   {&SchedulePage::dd, "a5", "5", 1},
        {&SchedulePage::hr, " 7", "7", 1},   {&SchedulePage::mm, "-.", ".", 1},
        {&SchedulePage::dd, "123", "12", 0}, // two typed characters at most
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
    page->dd->setText("12");
    f.tone->tones.clear();
    QTest::keyClick(page->dd, Qt::Key_End);
    QTest::keyClick(page->dd, Qt::Key_Backspace);
    EXPECT_EQ(page->dd->text(), "1");
    QTest::keyClick(page->dd, Qt::Key_Home);
    QTest::keyClick(page->dd, Qt::Key_Delete);
    EXPECT_EQ(page->dd->text(), "");
    EXPECT_TRUE(f.tone->tones.empty());
    // Ctrl+V types character 22: refused, nothing pasted.
    QTest::keyClick(page->hr, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.tone->tones.size(), 1u);
}

TEST_F(PageFixture, Filters_NothingCanBeTypedIntoTheKindBox) {
    for (const char* typed : {"a", "5", " "}) {
        f.tone->tones.clear();
        QTest::keyClicks(page->Combo1, typed);
        EXPECT_EQ(page->Combo1->currentText(), "Pick a Task") << typed;
        EXPECT_EQ(f.tone->tones.size(), 1u) << typed;
    }
    f.tone->tones.clear();
    QTest::keyClick(page->Combo1, Qt::Key_Backspace);
    EXPECT_EQ(page->Combo1->currentText(), "Pick a Task");
    EXPECT_EQ(f.tone->tones.size(), 1u);
    EXPECT_TRUE(page->Combo1->lineEdit()->isReadOnly());
}

TEST_F(PageFixture, SpinControls_StepThePlainNumberWithinTheirLimits) {
    struct Spin {
        UpDown* SchedulePage::*upDown;
        QLineEdit* SchedulePage::*box;
        const char* before;
        int delta;
        const char* after;
    };
    const Spin cases[] = {
        {&SchedulePage::UpDown3, &SchedulePage::dd, "00", 1, "1"},
        {&SchedulePage::UpDown3, &SchedulePage::dd, "05", 1, "6"},
        {&SchedulePage::UpDown3, &SchedulePage::dd, "31", 1, "31"},
        {&SchedulePage::UpDown3, &SchedulePage::dd, "0", -1, "0"},
        {&SchedulePage::UpDown2, &SchedulePage::hr, "23", 1, "24"},
        {&SchedulePage::UpDown2, &SchedulePage::hr, "24", 1, "24"},
        {&SchedulePage::UpDown2, &SchedulePage::hr, "10", -1, "9"},
        {&SchedulePage::UpDown1, &SchedulePage::mm, "58", 1, "59"},
        {&SchedulePage::UpDown1, &SchedulePage::mm, "59", 1, "59"},
        {&SchedulePage::UpDown1, &SchedulePage::mm, "99", -1, "59"},
    };
    for (const auto& c : cases) {
        QLineEdit* box = page.get()->*c.box;
        box->setText(c.before);
        (page.get()->*c.upDown)->step(c.delta);
        EXPECT_EQ(box->text(), c.after) << c.before << " " << c.delta;
    }
    // A box without a whole number steps from the number the control wrote last.
    page->mm->setText("20");
    page->UpDown1->step(1);
    page->mm->setText("1.");
    page->UpDown1->step(1);
    EXPECT_EQ(page->mm->text(), "22");
    // The arrow buttons and keys do the same.
    page->hr->setText("3");
    page->UpDown2->upButton()->click();
    EXPECT_EQ(page->hr->text(), "4");
    page->UpDown2->downButton()->click();
    page->UpDown2->downButton()->click();
    EXPECT_EQ(page->hr->text(), "2");
    QTest::keyClick(page->UpDown3, Qt::Key_Up);
    EXPECT_EQ(page->dd->text(), "1");
    EXPECT_TRUE(f.tone->tones.empty());
}

TEST_F(PageFixture, Kind_ArrowKeysPassEveryItemAndOpenEditorsOrWarn) {
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(page->Combo1, Qt::Key_Down);
    }
    EXPECT_EQ(page->Combo1->currentText(), "Visit Website");
    EXPECT_EQ(editors, (std::vector<QString>{"Alert", "Run Program", "Visit Website"}));
    EXPECT_EQ(f.messages->shown, fakes::OneBox(kHibernateWarning, MessageIcon::Exclamation));
    // Choosing a kind alone writes nothing.
    EXPECT_EQ(record.task, "task");
    EXPECT_EQ(record.Check1, 0);
    EXPECT_TRUE(f.tone->tones.empty());
}

TEST_F(PageFixture, Kind_ChoosingTheSameKindAgainAfterAnEditorEmptiedTheBox) {
    page->Combo1->setCurrentIndex(4);
    emit page->Combo1->activated(4);
    page->Combo1->setEditText(QString()); // the editor was left without a message
    EXPECT_EQ(page->Combo1->currentText(), "");
    // Picking Alert from the list again shows it in the box and opens the editor again.
    page->Combo1->setCurrentIndex(4);
    emit page->Combo1->activated(4);
    EXPECT_EQ(page->Combo1->currentText(), "Alert");
    EXPECT_EQ(editors, (std::vector<QString>{"Alert", "Alert"}));
}

} // namespace
