// The Schedule Task page's rules on a fake page: Apply's rules in their order, the key filters,
// the spin steps, the choice of a kind and the copy of the record when the window loads.
#include "core/schedule_page.h"
#include "core/task_kind.h"
#include "core_fixture.h"

#include <functional>
#include <map>

namespace {

using platform::MessageIcon;

const std::string kSelectTask = "Please Select a Task to Schedule.";
const std::string kSpecifyTime = "Please specify Time.";
const std::string kInvalidTime =
    "Invalid Time specified. Following are the valid # : Days - Max 31 ,Hours - Max 24 ,Minutes - Max 59. ";
const std::string kNotEnabled =
    "Schedule Task is not enabled. To enable check the 'Schedule Task' Check Box .";
const std::string kHibernateWarning = "Please make sure you have enabled 'Hibernation' in Power option. "
                                      "Otherwise the system may go on a Standby.";

struct FakeSchedulePage final : core::SchedulePageView {
    bool checked = false;
    std::map<core::TriggerBox, std::string> boxes{
        {core::TriggerBox::Days, "00"}, {core::TriggerBox::Hours, "00"}, {core::TriggerBox::Minutes, "00"}};
    std::string kind = "Pick a Task";
    int kindIndex = -1;
    std::vector<std::string> kinds;
    std::string panel1, panel2;

    bool isScheduledChecked() const override { return checked; }
    void setScheduledChecked(bool c) override { checked = c; }
    std::string triggerText(core::TriggerBox box) const override { return boxes.at(box); }
    void setTriggerText(core::TriggerBox box, const std::string& text) override { boxes[box] = text; }
    std::string kindText() const override { return kind; }
    void fillKinds(const std::vector<std::string>& list, const std::string& prompt) override {
        kinds = list;
        kind = prompt;
    }
    void showKind(int index, const std::string& text) override {
        kindIndex = index;
        kind = text;
    }
    void clearKind() override {
        kindIndex = -1;
        kind.clear();
    }
    void showScheduleStatus(const std::string& scheduled, const std::string& name) override {
        panel1 = scheduled;
        panel2 = name;
    }
};

struct SchedulePageTest : CoreFixture {
    FakeSchedulePage view;
    core::SchedulePage page{view, f.services, state};
    std::vector<core::TaskKind> editors;

    // The window's loading, as far as the page takes part in it.
    SchedulePageTest() {
        page.setOpenEditor([this](core::TaskKind kind) { editors.push_back(kind); });
        page.fillKinds();
        page.copyTask();
        page.showScheduleStatus();
    }
    void fill(bool checked, const std::string& kind, const std::string& d, const std::string& h,
              const std::string& m) {
        view.checked = checked;
        view.kind = kind;
        view.boxes[core::TriggerBox::Days] = d;
        view.boxes[core::TriggerBox::Hours] = h;
        view.boxes[core::TriggerBox::Minutes] = m;
    }
    // A task that an earlier Apply left scheduled.
    void scheduleEarlier() {
        state.changeTask([](core::ScheduledTask& t) {
            t.scheduled = true;
            t.daysText = t.hoursText = t.minutesText = "9";
            t.kind = "Log Off Computer";
        });
        state.setTriggerCheckRunning(true);
    }
};

struct ApplyCase {
    bool checked;
    const char *kind, *daysText, *hoursText, *minutesText;
    std::string warning; // empty: scheduled
};

TEST_F(SchedulePageTest, Apply_RulesInTheirOrder) {
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
        SCOPED_TRACE(std::string(c.kind) + " " + c.daysText + " " + c.hoursText + " " + c.minutesText +
                     (c.checked ? " checked" : ""));
        scheduleEarlier();
        state.changeTask([](core::ScheduledTask& t) {
            t.message = "kept";
            t.program = "/bin/kept";
            t.webAddress = "https://kept.example/";
        });
        f.messages->shown.clear();
        bool recordUntouchedWhileWarned = false;
        f.messages->whileShown = [&](const fakes::RecordedMessage&) {
            recordUntouchedWhileWarned = state.task().scheduled && state.triggerCheckRunning();
        };
        fill(c.checked, c.kind, c.daysText, c.hoursText, c.minutesText);
        page.apply();

        const core::ScheduledTask& record = state.task();
        if (c.warning.empty()) {
            EXPECT_TRUE(f.messages->shown.empty());
            EXPECT_TRUE(record.scheduled);
            EXPECT_EQ(record.daysText, c.daysText); // as typed
            EXPECT_EQ(record.hoursText, c.hoursText);
            EXPECT_EQ(record.minutesText, c.minutesText);
            EXPECT_EQ(record.kind, c.kind);
            EXPECT_TRUE(state.triggerCheckRunning());
            EXPECT_EQ(view.panel1, "Task Scheduled : Yes");
            EXPECT_EQ(view.panel2, std::string("Task Name : ") + c.kind);
        } else {
            EXPECT_EQ(f.messages->shown, fakes::oneBox(c.warning, MessageIcon::Exclamation));
            EXPECT_TRUE(recordUntouchedWhileWarned);
            // The earlier task is cancelled; its trigger and kind stay as they were.
            EXPECT_FALSE(record.scheduled);
            EXPECT_FALSE(state.triggerCheckRunning());
            EXPECT_EQ(record.hoursText, "9");
            EXPECT_EQ(record.kind, "Log Off Computer");
            EXPECT_EQ(view.panel1, "Task Scheduled : No");
            EXPECT_EQ(view.panel2, "Task Name : Non");
        }
        EXPECT_EQ(record.message, "kept");
        EXPECT_EQ(record.program, "/bin/kept");
        EXPECT_EQ(record.webAddress, "https://kept.example/");
    }
}

TEST_F(SchedulePageTest, Apply_StartsTheTriggerCheckWhenItWasStopped) {
    state.setTriggerCheckRunning(false);
    fill(true, "Alert", "0", "1", "0");
    page.apply();
    EXPECT_TRUE(state.triggerCheckRunning());
    // A second Apply replaces the task.
    fill(true, "Restart Computer", "2", "3", "4");
    page.apply();
    EXPECT_EQ(state.task().kind, "Restart Computer");
    EXPECT_EQ(state.task().daysText, "2");
}

// Characters accepted by the Days and Hours boxes: no character, Backspace and codes 46 to 58.
bool daysAccept(int code) {
    return code == 0 || code == 8 || (code >= 46 && code <= 58);
}

TEST_F(SchedulePageTest, Filters_CodesAcceptedPerBox) {
    struct Box {
        const char* name;
        std::function<int(int)> filter;
        bool (*accepts)(int);
    };
    const Box boxes[] = {
        {"days", [this](int k) { return page.filterTriggerKey(core::TriggerBox::Days, k); }, daysAccept},
        {"hours", [this](int k) { return page.filterTriggerKey(core::TriggerBox::Hours, k); }, daysAccept},
        {"minutes", [this](int k) { return page.filterTriggerKey(core::TriggerBox::Minutes, k); },
         [](int code) { return code != 47 && daysAccept(code); }},
        {"kind", [this](int k) { return page.filterKindKey(k); }, [](int code) { return code == 0; }},
    };
    for (const auto& box : boxes) {
        f.tone->tones.clear();
        std::size_t refused = 0;
        // Code 0, a key that types no character (Delete, the arrows), passes every box.
        for (int code = 0; code < 256; ++code) {
            EXPECT_EQ(box.filter(code), box.accepts(code) ? code : 0) << box.name << " " << code;
            refused += box.accepts(code) ? 0 : 1;
        }
        EXPECT_EQ(f.tone->tones.size(), refused) << box.name;
        for (const auto& tone : f.tone->tones) {
            EXPECT_EQ(tone, (std::pair<std::uint32_t, std::uint32_t>{10000, 3}));
        }
    }
}

TEST_F(SchedulePageTest, SpinControls_StepThePlainNumberWithinTheirLimits) {
    using core::TriggerBox;
    struct Spin {
        TriggerBox box;
        const char* before;
        int delta;
        int after;
    };
    const Spin cases[] = {
        {TriggerBox::Days, "00", 1, 1},     {TriggerBox::Days, "05", 1, 6},
        {TriggerBox::Days, "31", 1, 31},    {TriggerBox::Days, "0", -1, 0},
        {TriggerBox::Hours, "23", 1, 24},   {TriggerBox::Hours, "24", 1, 24},
        {TriggerBox::Hours, "10", -1, 9},   {TriggerBox::Minutes, "58", 1, 59},
        {TriggerBox::Minutes, "59", 1, 59}, {TriggerBox::Minutes, "99", -1, 59},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::SchedulePage::stepSpin(c.before, 0, c.delta, core::SchedulePage::spinMaximum(c.box)),
                  c.after)
            << c.before << " " << c.delta;
    }
    // A box without a whole number steps from the number the control wrote last.
    for (const char* text : {"1.", "", "1:", "x"}) {
        EXPECT_EQ(core::SchedulePage::stepSpin(text, 21, 1, 59), 22) << text;
    }
    // A pasted sign or blank is read as a whole number is.
    EXPECT_EQ(core::SchedulePage::stepSpin(" 3", 21, 1, 59), 4);
    EXPECT_EQ(core::SchedulePage::stepSpin("-5", 21, 1, 59), 0);
}

TEST_F(SchedulePageTest, PickKind_OpensTheEditorsOrWarnsAndWritesNothing) {
    for (const char* kind : {"Turn Off Computer", "Log Off Computer", "Restart Computer", "Hibernate",
                             "Alert", "Run Program", "Visit Website", "", "alert", "Pick a Task"}) {
        view.kind = kind;
        page.pickKind();
    }
    EXPECT_EQ(editors, (std::vector<core::TaskKind>{core::TaskKind::Alert, core::TaskKind::RunProgram,
                                                    core::TaskKind::VisitWebsite}));
    EXPECT_EQ(f.messages->shown, fakes::oneBox(kHibernateWarning, MessageIcon::Exclamation));
    EXPECT_EQ(state.task().kind, "task");
    EXPECT_FALSE(state.task().scheduled);
    EXPECT_TRUE(f.tone->tones.empty());
}

} // namespace
