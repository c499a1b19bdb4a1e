// The scheduled task outside the windows: its trigger's minute of up time and clock time, the
// tray tip's line, the warning's texts and moment, Cancel, and the warning's stored option.
#include "core/schedule_page.h"
#include "core/task_notice.h"
#include "core/trigger_moment.h"
#include "core/warning_option.h"
#include "core_fixture.h"

#include <optional>

namespace {

constexpr std::uint64_t kMinute = 60'000;
const std::string kKey = "HKCU\\Software\\Pellorin\\Corvane\\4.0";
const std::string kTurnOff = "Turn Off Computer";

/// The up time of a shown trigger, in ms: days, hours (1 to 24 after the first hour), minutes.
constexpr std::uint64_t at(std::uint64_t totalHours, std::uint64_t minutes, std::uint64_t seconds = 0) {
    return ((totalHours * 60 + minutes) * 60 + seconds) * 1000;
}

/// The shared up time of a refresh at a tick count; the notices read only its minutes.
core::Uptime uptimeAt(std::uint64_t tick) {
    core::Uptime up;
    up.minutes = static_cast<int>(tick / kMinute % 60);
    return up;
}

struct FakeNoticeView final : core::TaskNoticeView {
    std::vector<std::string> tips; ///< each tip shown, title and line joined by "|"
    std::vector<std::string> warnings;
    int withdrawals = 0;
    void showTrayTip(const std::string& title, const std::string& line) override {
        tips.push_back(title + "|" + line);
    }
    void showWarning(const std::string& text) override { warnings.push_back(text); }
    void withdrawWarning() override { ++withdrawals; }
};

struct FakeTriggerBoxes final : core::SchedulePageView {
    bool checked = true;
    std::string days = "0", hours = "1", minutes = "30";
    std::string clockText, panel1;
    bool isScheduledChecked() const override { return checked; }
    void setScheduledChecked(bool c) override { checked = c; }
    std::string triggerText(core::TriggerBox box) const override {
        return box == core::TriggerBox::Days ? days : box == core::TriggerBox::Hours ? hours : minutes;
    }
    void setTriggerText(core::TriggerBox, const std::string&) override {}
    std::string kindText() const override { return kTurnOff; }
    void fillKinds(const std::vector<std::string>&, const std::string&) override {}
    void showKind(int, const std::string&) override {}
    void clearKind() override {}
    void showScheduleStatus(const std::string& scheduled, const std::string&) override { panel1 = scheduled; }
    void showTriggerClock(const std::string& text) override { clockText = text; }
};

struct TaskNoticeTest : CoreFixture {
    FakeNoticeView view;
    core::TaskNotice notice{state, f.services, view};

    /// What a successful Apply leaves behind, at a tick count.
    void arm(const std::string& kind, const std::string& d, const std::string& h, const std::string& m,
             std::uint64_t tick) {
        f.clock->tick = tick;
        state.changeTask([&](core::ScheduledTask& t) {
            t.scheduled = true;
            t.daysText = d;
            t.hoursText = h;
            t.minutesText = m;
            t.kind = kind;
        });
        state.setTriggerCheckRunning(true);
    }
    /// The up-time refresh of one second.
    void secondAt(std::uint64_t tick) {
        f.clock->tick = tick;
        state.setUptime(uptimeAt(tick));
    }
};

TEST_F(TaskNoticeTest, TriggerMinuteIsWhereTheDisplayShowsIt) {
    struct Row {
        double days, hours, minutes;
        std::optional<std::uint64_t> minute;
    };
    const Row rows[] = {
        {0, 0, 5, 5},              // the first hour counts as 0
        {3, 4, 10, 76 * 60 + 10},  // day 3, hour 4
        {1, 24, 0, 24 * 60},       // a completed day shows as hour 24 of day 1
        {31, 24, 0, 744 * 60},     // the last hour the program runs
        {1, 0, 5, std::nullopt},   // hour 0 only on day 0
        {0, 24, 0, std::nullopt},  // day 0 has no hour 24
        {0, 1.5, 0, std::nullopt}, // never equals a whole up time
        {31, 1, 0, std::nullopt},  // past 744 hours the program has ended
        {0, 0, 60, std::nullopt},  // past a box's limit
    };
    for (const Row& r : rows) {
        EXPECT_EQ(core::triggerUptimeMinute(r.days, r.hours, r.minutes), r.minute)
            << r.days << " " << r.hours << " " << r.minutes;
    }
}

TEST_F(TaskNoticeTest, GlanceLineSaysKindTriggerAndTimeLeft) {
    struct Row {
        std::string d, h, m;
        std::uint64_t tick;
        std::string line;
    };
    const Row rows[] = {
        {"3", "4", "10", at(74, 5), "Turn Off Computer at up time 3 d 04:10 (in 2 h 05 min)"},
        {"3", "4", "10", at(74, 5, 1), "Turn Off Computer at up time 3 d 04:10 (in 2 h 05 min)"},
        {"3", "4", "10", at(76, 9, 30), "Turn Off Computer at up time 3 d 04:10 (in 1 min)"},
        {"3", "4", "10", at(76, 10, 59), "Turn Off Computer at up time 3 d 04:10 (now)"},
        {"3", "4", "10", at(76, 11), "Turn Off Computer at up time 3 d 04:10 (already passed)"},
        {"01", "3", "07", at(3, 0), "Turn Off Computer at up time 1 d 03:07 (in 1 d 0 h 07 min)"},
        {"", "", "5", at(0, 0), "Turn Off Computer at up time 0 d 00:05 (in 5 min)"},
        {"0", "1.5", "0", at(0, 0), "Turn Off Computer at up time 0 d 1.5:00 (never reached)"},
    };
    for (const Row& r : rows) {
        core::ScheduledTask task;
        task.kind = kTurnOff;
        task.daysText = r.d;
        task.hoursText = r.h;
        task.minutesText = r.m;
        EXPECT_EQ(core::glanceLine(task, r.tick), r.line) << r.tick;
    }
}

TEST_F(TaskNoticeTest, TrayTipKeepsWithinTheTrayLimit) {
    struct Row {
        std::string line;
        std::string tip;
    };
    const std::string longLine(200, 'x');
    // A two-byte character across the limit is left out whole.
    const std::string accented = std::string(core::kTrayTipLimit - 13, 'y') + "\xC3\xA9";
    const Row rows[] = {
        {"", "Corvane 4.0"},
        {"Alert at up time 0 d 00:05 (in 5 min)", "Corvane 4.0\nAlert at up time 0 d 00:05 (in 5 min)"},
        {longLine, "Corvane 4.0\n" + longLine.substr(0, core::kTrayTipLimit - 12)},
        {accented, "Corvane 4.0\n" + accented.substr(0, accented.size() - 2)},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(core::trayTipText(r.line), r.tip);
    }
}

TEST_F(TaskNoticeTest, WarningTextsForTheFourKindsThatEndTheSession) {
    struct Row {
        core::TaskKind kind;
        int seconds;
        std::optional<std::string> text;
    };
    const Row rows[] = {
        {core::TaskKind::TurnOff, 60, "Corvane will turn off the computer in 60 seconds."},
        {core::TaskKind::LogOff, 42, "Corvane will log off the computer in 42 seconds."},
        {core::TaskKind::Restart, 1, "Corvane will restart the computer in 1 second."},
        {core::TaskKind::Hibernate, 60, "Corvane will hibernate the computer in 60 seconds."},
        {core::TaskKind::Alert, 60, std::nullopt},
        {core::TaskKind::RunProgram, 60, std::nullopt},
        {core::TaskKind::VisitWebsite, 60, std::nullopt},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(core::warningText(r.kind, r.seconds), r.text) << static_cast<int>(r.kind);
    }
}

TEST_F(TaskNoticeTest, WarningComesOnceAMinuteBeforeTheTrigger) {
    struct Row {
        std::string kind;
        std::optional<std::uint32_t> option; ///< the stored TaskWarning value, if any
        std::uint64_t armedAt;
        std::uint64_t firstSecond;
        std::vector<std::string> warnings; ///< by the trigger minute's start
        std::uint64_t shownAt;             ///< the second the warning came (0: none)
    };
    const std::string sixty = "Corvane will turn off the computer in 60 seconds.";
    const Row rows[] = {
        {kTurnOff, std::nullopt, at(1, 0), at(1, 8), {sixty}, at(1, 9)}, // absent means on
        {kTurnOff, 1, at(1, 0), at(1, 8), {sixty}, at(1, 9)},
        {kTurnOff, 0, at(1, 0), at(1, 8), {}, 0},           // switched off
        {"Alert", std::nullopt, at(1, 0), at(1, 8), {}, 0}, // no warning
        {"Restart Computer",
         std::nullopt,
         at(1, 9, 35),
         at(1, 9, 35), // armed late
         {"Corvane will restart the computer in 25 seconds."},
         at(1, 9, 35)},
        {kTurnOff, std::nullopt, at(1, 10, 5), at(1, 10, 5), {}, 0}, // in the minute
    };
    for (const Row& r : rows) {
        FakeNoticeView rowView;
        core::AppState rowState;
        fakes::FakeServices rowServices;
        if (r.option) {
            rowServices.registry->setDword(kKey, core::kWarningOptionName, *r.option);
        }
        core::TaskNotice rowNotice{rowState, rowServices.services, rowView};
        rowServices.clock->tick = r.armedAt;
        rowState.changeTask([&](core::ScheduledTask& t) {
            t.scheduled = true;
            t.hoursText = "1";
            t.minutesText = "10";
            t.kind = r.kind;
        });
        rowState.setTriggerCheckRunning(true);
        std::uint64_t shownAt = rowView.warnings.empty() ? 0 : r.armedAt;
        for (std::uint64_t tick = r.firstSecond; tick < at(1, 10); tick += 1000) {
            rowServices.clock->tick = tick;
            rowState.setUptime(uptimeAt(tick));
            if (shownAt == 0 && !rowView.warnings.empty()) {
                shownAt = tick;
            }
        }
        EXPECT_EQ(rowView.warnings, r.warnings) << r.kind << " " << r.armedAt;
        EXPECT_EQ(shownAt, r.shownAt) << r.kind << " " << r.armedAt;
    }
}

TEST_F(TaskNoticeTest, TipFollowsTheArmedTaskOnceAMinute) {
    arm(kTurnOff, "0", "1", "10", at(1, 7, 30));
    for (std::uint64_t tick = at(1, 7, 31); tick <= at(1, 9, 30); tick += 1000) {
        secondAt(tick);
    }
    const std::string title = "Corvane 4.0|";
    EXPECT_EQ(view.tips,
              (std::vector<std::string>{title + "Turn Off Computer at up time 0 d 01:10 (in 3 min)",
                                        title + "Turn Off Computer at up time 0 d 01:10 (in 2 min)",
                                        title + "Turn Off Computer at up time 0 d 01:10 (in 1 min)"}));
    // The task runs: the tip is the title alone, the warning goes.
    state.changeTask(core::disarmTask);
    EXPECT_EQ(view.tips.back(), title);
    EXPECT_EQ(view.withdrawals, 1);
    EXPECT_FALSE(notice.warningShown());
}

TEST_F(TaskNoticeTest, CancelDisarmsAsUntickingAndApplyWouldAndThePageShowsIt) {
    FakeTriggerBoxes boxes;
    core::SchedulePage page{boxes, f.services, state};
    arm(kTurnOff, "0", "1", "10", at(1, 9, 10));
    ASSERT_EQ(view.warnings.size(), 1U);
    heard.clear();
    notice.cancelTask();
    EXPECT_FALSE(state.task().scheduled);
    EXPECT_FALSE(state.triggerCheckRunning());
    EXPECT_EQ(state.task().hoursText, "1"); // the trigger keeps its texts
    EXPECT_EQ(heard.back(), core::Change::TaskCancelled);
    EXPECT_FALSE(boxes.checked);
    EXPECT_EQ(boxes.panel1, "Task Scheduled : No");
    EXPECT_EQ(view.withdrawals, 1);
    // A second Cancel (a late click) finds no task and tells nobody.
    heard.clear();
    notice.cancelTask();
    EXPECT_TRUE(heard.empty());
    // Armed again with the same trigger, it warns again.
    arm(kTurnOff, "0", "1", "10", at(1, 9, 20));
    EXPECT_EQ(view.warnings.size(), 2U);
}

TEST_F(TaskNoticeTest, TriggerClockTimeOfTheBoxes) {
    // Up 1 h 20 min at 2026-12-07 18:00:00 UTC.
    f.clock->tick = at(1, 20);
    f.clock->now = 1'796'666'400'000LL;
    struct Row {
        std::string d, h, m;
        std::string text;
    };
    const Row rows[] = {
        {"0", "1", "30", "Reached at about 18:10 today"},
        {"0", "7", "20", "Reached at about 00:00 tomorrow"},
        {"2", "1", "20", "Reached at about 18:00 on 2026-12-09"},
        {"0", "1", "20", "Reached now"},
        {"0", "1", "19", "Already passed"},
        {"1", "0", "5", "Never reached"},
        {"0", "0", "0", ""},
        {"0", "25", "0", ""},
    };
    FakeTriggerBoxes boxes;
    core::SchedulePage page{boxes, f.services, state};
    for (const Row& r : rows) {
        boxes.days = r.d;
        boxes.hours = r.h;
        boxes.minutes = r.m;
        page.showTriggerClock();
        EXPECT_EQ(boxes.clockText, r.text) << r.d << " " << r.h << " " << r.m;
    }
    // The page follows the up time's minutes by itself.
    boxes.days = "0";
    boxes.hours = "1";
    boxes.minutes = "21";
    page.showTriggerClock();
    secondAt(at(1, 21, 30));
    EXPECT_EQ(boxes.clockText, "Reached now");
    secondAt(at(1, 22));
    EXPECT_EQ(boxes.clockText, "Already passed");
}

TEST_F(TaskNoticeTest, WarningOptionIsOnUnlessStoredAsZero) {
    struct Row {
        std::optional<std::uint32_t> stored;
        bool on;
    };
    const Row rows[] = {{std::nullopt, true}, {1, true}, {0, false}, {7, true}};
    for (const Row& r : rows) {
        fakes::FakeRegistry registry;
        registry.makeKey(kKey);
        if (r.stored) {
            registry.setDword(kKey, core::kWarningOptionName, *r.stored);
        }
        EXPECT_EQ(core::readWarningOption(registry), r.on) << r.stored.value_or(99);
    }
    f.registry->makeKey(kKey);
    EXPECT_TRUE(core::storeWarningOption(*f.registry, false));
    EXPECT_EQ(f.registry->dword(kKey, core::kWarningOptionName), 0U);
    EXPECT_FALSE(core::readWarningOption(*f.registry));
    f.registry->currentUserWritable = false;
    EXPECT_FALSE(core::storeWarningOption(*f.registry, true));
    EXPECT_EQ(f.registry->dword(kKey, core::kWarningOptionName), 0U);
}

} // namespace
