// The Schedule Task page on fake services: layout, key filters, spin controls, the kind box,
// Apply's rules and the copy of the record when the window opens.
#include "core/app_state.h"
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
    core::AppState state;
    const ScheduledTask& record = state.task();
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
    void fill(bool checked, const QString& kind, const QString& d, const QString& h, const QString& m) {
        page->scheduledCheck->setChecked(checked);
        page->kindBox->setEditText(kind);
        page->daysBox->setText(d);
        page->hoursBox->setText(h);
        page->minutesBox->setText(m);
    }
    // A task that an earlier Apply left scheduled.
    void scheduleEarlier() {
        state.changeTask([](ScheduledTask& r) {
            r.scheduled = true;
            r.daysText = "9";
            r.hoursText = "9";
            r.minutesText = "9";
            r.kind = "Log Off Computer";
        });
        state.setTriggerCheckRunning(true);
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

struct ApplyCase {
    bool checked;
    const char *kind, *daysText, *hoursText, *minutesText;
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
        SCOPED_TRACE(QStringLiteral("%1 '%2' %3 %4 %5")
                         .arg(c.checked)
                         .arg(c.kind, c.daysText, c.hoursText, c.minutesText)
                         .toStdString());
        scheduleEarlier();
        state.changeTask([](ScheduledTask& r) {
            r.message = "kept";
            r.program = "/bin/kept";
            r.webAddress = "https://kept.example/";
        });
        f.messages->shown.clear();
        bool recordUntouchedWhileWarned = false;
        f.messages->whileShown = [&](const fakes::RecordedMessage&) {
            recordUntouchedWhileWarned = record.scheduled == 1 && state.triggerCheckRunning();
        };
        fill(c.checked, c.kind, c.daysText, c.hoursText, c.minutesText);
        page->apply();

        if (c.warning.isEmpty()) {
            EXPECT_TRUE(f.messages->shown.empty());
            EXPECT_EQ(record.scheduled, 1);
            EXPECT_EQ(record.daysText, c.daysText); // as typed
            EXPECT_EQ(record.hoursText, c.hoursText);
            EXPECT_EQ(record.minutesText, c.minutesText);
            EXPECT_EQ(record.kind, c.kind);
            EXPECT_TRUE(state.triggerCheckRunning());
            EXPECT_EQ(panel1.text(), "Task Scheduled : Yes");
            EXPECT_EQ(panel2.text(), QStringLiteral("Task Name : ") + c.kind);
        } else {
            EXPECT_EQ(f.messages->shown, fakes::oneBox(c.warning, MessageIcon::Exclamation));
            EXPECT_TRUE(recordUntouchedWhileWarned);
            // The earlier task is cancelled; its trigger and kind stay as they were.
            EXPECT_EQ(record.scheduled, 0);
            EXPECT_FALSE(state.triggerCheckRunning());
            EXPECT_EQ(record.hoursText, "9");
            EXPECT_EQ(record.kind, "Log Off Computer");
            EXPECT_EQ(panel1.text(), "Task Scheduled : No");
            EXPECT_EQ(panel2.text(), "Task Name : Non");
        }
        EXPECT_EQ(record.message, "kept");
        EXPECT_EQ(record.program, "/bin/kept");
        EXPECT_EQ(record.webAddress, "https://kept.example/");
    }
}

TEST_F(PageFixture, Apply_StartsTheTriggerCheckWhenItWasStopped) {
    state.setTriggerCheckRunning(false);
    fill(true, "Alert", "0", "1", "0");
    page->apply();
    EXPECT_TRUE(state.triggerCheckRunning());
    // A second Apply replaces the task.
    fill(true, "Restart Computer", "2", "3", "4");
    page->apply();
    EXPECT_EQ(record.kind, "Restart Computer");
    EXPECT_EQ(record.daysText, "2");
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
        {"days", &SchedulePage::filterDaysKey, daysAccept},
        {"hours", &SchedulePage::filterHoursKey, daysAccept},
        {"minutes", &SchedulePage::filterMinutesKey, [](int code) { return code != 47 && daysAccept(code); }},
        {"kind", &SchedulePage::filterKindKey, [](int) { return false; }},
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
    EXPECT_TRUE(page->kindBox->lineEdit()->isReadOnly());
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
        {&SchedulePage::daysUpDown, &SchedulePage::daysBox, "00", 1, "1"},
        {&SchedulePage::daysUpDown, &SchedulePage::daysBox, "05", 1, "6"},
        {&SchedulePage::daysUpDown, &SchedulePage::daysBox, "31", 1, "31"},
        {&SchedulePage::daysUpDown, &SchedulePage::daysBox, "0", -1, "0"},
        {&SchedulePage::hoursUpDown, &SchedulePage::hoursBox, "23", 1, "24"},
        {&SchedulePage::hoursUpDown, &SchedulePage::hoursBox, "24", 1, "24"},
        {&SchedulePage::hoursUpDown, &SchedulePage::hoursBox, "10", -1, "9"},
        {&SchedulePage::minutesUpDown, &SchedulePage::minutesBox, "58", 1, "59"},
        {&SchedulePage::minutesUpDown, &SchedulePage::minutesBox, "59", 1, "59"},
        {&SchedulePage::minutesUpDown, &SchedulePage::minutesBox, "99", -1, "59"},
    };
    for (const auto& c : cases) {
        QLineEdit* box = page.get()->*c.box;
        box->setText(c.before);
        (page.get()->*c.upDown)->step(c.delta);
        EXPECT_EQ(box->text(), c.after) << c.before << " " << c.delta;
    }
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
    EXPECT_EQ(record.kind, "task");
    EXPECT_EQ(record.scheduled, 0);
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
