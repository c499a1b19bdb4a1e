// The scheduled task on the main window's core: start-up, the trigger check, the seven
// actions and the task indicator, on fake services, the fake clock and a fake view.
#include "core_fixture.h"

#include <chrono>

namespace {

using platform::MessageIcon;
using namespace std::chrono_literals;

constexpr std::uint64_t kMinute = 60'000ULL;
constexpr std::uint64_t kHour = 60 * kMinute;
constexpr std::uint64_t kDay = 24 * kHour;
const std::string kFailure =
    "Corvane was unable to execute the task you scheduled. See the Help for trouble shooting.";
const std::string kSound = "/opt/corvane/share/corvane/Media/notify.wav";

/// The alert's waits are recorded, not waited.
struct TaskFixture : ::testing::Test, MainWindowCoreHarness {
    std::vector<std::chrono::milliseconds> waits;

    void SetUp() override {
        load();
        mainWindow->executor().setWait([this](std::chrono::milliseconds time) { waits.push_back(time); });
    }
};

TEST_F(TaskFixture, Load_StartsTheTaskTimersAndLocatesTheSoundWithoutAPlayer) {
    EXPECT_TRUE(mainWindow->triggerTimer().isActive());
    EXPECT_TRUE(mainWindow->indicatorTimer().isActive());
    EXPECT_EQ(mainWindow->triggerTimer().interval().count(), 1000);
    EXPECT_EQ(mainWindow->indicatorTimer().interval().count(), 1000);
    EXPECT_EQ(mainWindow->state().task().playSound, 1);
    EXPECT_EQ(mainWindow->state().soundFolder(), "/opt/corvane/share/corvane");
    EXPECT_EQ(mainWindow->state().task().scheduled, 0);
    EXPECT_EQ(mainWindow->state().task().kind, "task");
    // The sound back end is loaded only when a sound is first played.
    EXPECT_TRUE(f.sound->players.empty());
}

TEST_F(TaskFixture, Load_RecordAtZeroMatchesTheFirstMinuteButTaskIsNoKind) {
    secondAt(30'000);
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_TRUE(f.power->calls.empty());
    EXPECT_TRUE(f.launcher->programs.empty());
    EXPECT_EQ(mainWindow->state().task().kind, "task");
}

struct TriggerCase {
    const char *daysText, *hoursText, *minutesText;
    std::vector<std::uint64_t> ticks; // the seconds the program lives through, in order
    int firedAt;                      // index of the tick that runs the task, -1: never
};

TEST_F(TaskFixture, Trigger_RunsOnTheFirstMatchingSecondOnly) {
    const TriggerCase cases[] = {
        {"0", "0", "5", {4 * kMinute + 59'000, 5 * kMinute, 5 * kMinute + 1'000, 5 * kMinute + 59'000}, 1},
        {"00", "00", "05", {5 * kMinute, 5 * kMinute + 30'000}, 0},
        // A full day shows as day 1, hour 24.
        {"1", "24", "0", {kDay - 1'000, kDay, kDay + 1'000}, 1},
        // Day 1 counts its hours 24, 1, ..., 23: never 0.
        {"1", "0", "0", {kDay, kDay + kHour, kDay + 23 * kHour, 2 * kDay - 1'000}, -1},
        {"1", "0", "30", {kDay + 30 * kMinute, kDay + kHour + 30 * kMinute}, -1},
        // The first day counts 0 to 23, so 24 hours on day 0 never comes.
        {"0", "24", "0", {23 * kHour + 59 * kMinute, kDay, kDay + kMinute}, -1},
        {"2", "3", "4", {2 * kDay + 3 * kHour + 3 * kMinute, 2 * kDay + 3 * kHour + 4 * kMinute}, 1},
        // Hours typed as 1.5 pass Apply but never equal a whole hour.
        {"0", "1.5", "0", {kHour, kHour + 30 * kMinute, 2 * kHour}, -1},
    };
    for (const auto& c : cases) {
        MainWindowCoreHarness w;
        w.load();
        w.schedule("Run Program", c.daysText, c.hoursText, c.minutesText);
        int firedAt = -1;
        for (std::size_t i = 0; i < c.ticks.size(); ++i) {
            w.secondAt(c.ticks[i]);
            if (!w.f.launcher->programs.empty() && firedAt < 0) {
                firedAt = static_cast<int>(i);
            }
        }
        EXPECT_EQ(firedAt, c.firedAt) << c.daysText << " " << c.hoursText << " " << c.minutesText;
        EXPECT_LE(w.f.launcher->programs.size(), 1u)
            << c.daysText << " " << c.hoursText << " " << c.minutesText;
    }
}

struct ActionCase {
    const char* kind;
    std::vector<std::string> power;
    bool timer1, timer2; // running afterwards
    int immediateEnds;
    bool disarmed; // scheduled 0, hour and minute texts empty
};

TEST_F(TaskFixture, Actions_EffectOnServicesRecordAndTimers) {
    const ActionCase cases[] = {
        {"Turn Off Computer", {"powerOff"}, false, false, 1, false},
        {"Log Off Computer", {"logOff"}, true, true, 0, true},
        {"Restart Computer", {"reboot"}, true, true, 1, true},
        {"Hibernate", {"hibernate"}, true, true, 0, true},
        {"Alert", {}, true, true, 0, true},
        {"Run Program", {}, true, true, 0, true},
        {"Visit Website", {}, true, true, 0, true},
    };
    for (const auto& c : cases) {
        MainWindowCoreHarness w;
        w.load();
        const core::ScheduledTask& t = w.mainWindow->state().task();
        w.schedule(c.kind, "0", "02", "10");
        w.mainWindow->state().changeTask([](core::ScheduledTask& edited) {
            edited.playSound = false; // the alert's sound has its own tests below
            edited.message = "Time for tea";
            edited.program = "/usr/bin/xterm -e top";
            edited.webAddress = "https://example.org/";
        });
        w.secondAt(2 * kHour + 10 * kMinute);
        const fakes::FakeServices& g = w.f;
        core::MainWindowController& other = *w.mainWindow;

        SCOPED_TRACE(c.kind);
        EXPECT_EQ(g.power->calls, c.power);
        EXPECT_EQ(other.uptimeTimer().isActive(), c.timer1);
        EXPECT_EQ(other.triggerTimer().isActive(), c.timer2);
        EXPECT_EQ(g.process->immediateEnds, c.immediateEnds);
        EXPECT_TRUE(g.process->terminations.empty()); // never through the unload path
        if (c.disarmed) {
            EXPECT_EQ(t.scheduled, 0);
            EXPECT_TRUE(t.hoursText.empty());
            EXPECT_TRUE(t.minutesText.empty());
        } else {
            EXPECT_EQ(t.scheduled, 1);
            EXPECT_EQ(t.hoursText, "02");
        }
        // Days, kind and parameters stay until the next Apply.
        EXPECT_EQ(t.daysText, "0");
        EXPECT_EQ(t.kind, c.kind);
        EXPECT_EQ(t.message, "Time for tea");
        EXPECT_EQ(g.launcher->programs, std::string(c.kind) == "Run Program"
                                            ? std::vector<std::string>{"/usr/bin/xterm -e top"}
                                            : std::vector<std::string>{});
        EXPECT_EQ(g.launcher->urls, std::string(c.kind) == "Visit Website"
                                        ? std::vector<std::string>{"https://example.org/"}
                                        : std::vector<std::string>{});
        if (std::string(c.kind) == "Alert") {
            EXPECT_EQ(g.messages->shown, fakes::oneBox("Time for tea", MessageIcon::Information));
        } else {
            EXPECT_TRUE(g.messages->shown.empty());
        }
    }
}

TEST_F(TaskFixture, Actions_KindOfNoneOfTheSevenLeavesTheRecordAsItIs) {
    for (const char* kind : {"Pick a Task", "turn off computer", "", "Alert "}) {
        schedule(kind, "0", "0", "3");
        secondAt(3 * kMinute);
        secondAt(3 * kMinute + 1'000);
        EXPECT_EQ(mainWindow->state().task().scheduled, 1) << kind;
        EXPECT_EQ(mainWindow->state().task().hoursText, "0") << kind;
        EXPECT_EQ(mainWindow->state().task().minutesText, "3") << kind;
        EXPECT_TRUE(mainWindow->triggerTimer().isActive()) << kind;
    }
    EXPECT_TRUE(f.messages->shown.empty());
    EXPECT_TRUE(f.power->calls.empty());
    EXPECT_TRUE(f.launcher->programs.empty());
    EXPECT_TRUE(f.launcher->urls.empty());
    EXPECT_EQ(f.process->immediateEnds, 0);
}

TEST_F(TaskFixture, Alert_WithSoundPlaysOnTheWindowsOwnPlayerWaitsThenShowsTheBox) {
    schedule("Alert", "0", "0", "1");
    mainWindow->state().changeTask([](core::ScheduledTask& t) { t.message = "Stand up"; });
    f.messages->whileShown = [this](const fakes::RecordedMessage&) {
        // The sound was started before the box and is still playing.
        EXPECT_EQ(f.sound->log, (std::vector<std::string>{"create", "open " + kSound, "play"}));
        EXPECT_EQ(waits, (std::vector<std::chrono::milliseconds>{500ms}));
    };
    secondAt(kMinute);
    EXPECT_EQ(f.messages->shown, fakes::oneBox("Stand up", MessageIcon::Information));
    ASSERT_EQ(f.sound->players.size(), 1u);

    // The end of playback releases the file; the next alert uses the same player.
    f.sound->players[0]->finish();
    EXPECT_EQ(f.sound->log, (std::vector<std::string>{"create", "open " + kSound, "play", "stop", "close"}));
    f.messages->whileShown = nullptr;
    schedule("Alert", "0", "0", "2");
    secondAt(2 * kMinute);
    EXPECT_EQ(f.sound->players.size(), 1u);
    EXPECT_EQ(f.sound->log.back(), "play");
    EXPECT_EQ(f.messages->shown.size(), 2u);
}

TEST_F(TaskFixture, Alert_WithoutSoundShowsTheBoxAtOnce) {
    schedule("Alert", "0", "0", "1");
    mainWindow->state().changeTask([](core::ScheduledTask& t) { t.playSound = false; });
    secondAt(kMinute);
    ASSERT_EQ(f.messages->shown.size(), 1u);
    EXPECT_EQ(f.messages->shown[0].text, "message"); // never set in its editor
    EXPECT_TRUE(waits.empty());
    EXPECT_TRUE(f.sound->players.empty());
    EXPECT_EQ(mainWindow->state().task().scheduled, 0);
}

TEST_F(TaskFixture, Alert_SoundThatCannotOpenOrPlayShowsTheFailureInsteadOfTheText) {
    for (const bool openFails : {true, false}) {
        MainWindowCoreHarness w;
        fakes::FakeServices& g = w.f;
        core::MainWindowController& other = *w.mainWindow;
        g.sound->failOpen = openFails;
        g.sound->failPlay = !openFails;
        w.load();
        bool waited = false;
        w.mainWindow->executor().setWait([&](std::chrono::milliseconds) { waited = true; });
        w.schedule("Alert", "0", "0", "1");
        LogLines log;
        w.secondAt(kMinute);
        SCOPED_TRACE(openFails ? "open fails" : "play fails");
        EXPECT_EQ(g.messages->shown, fakes::oneBox(kFailure, MessageIcon::Critical));
        EXPECT_EQ(log.seen,
                  std::vector<std::string>{"the scheduled task Alert failed: " +
                                           (openFails ? "cannot open " + kSound : "no audio output")});
        EXPECT_FALSE(waited);
        EXPECT_EQ(other.state().task().scheduled, 0);
        EXPECT_TRUE(other.state().task().minutesText.empty());
    }
}

TEST_F(TaskFixture, Alert_TicksDuringItsWaitAndBoxDoNotRunTheTaskAgain) {
    schedule("Alert", "0", "0", "1");
    int waitsSeen = 0;
    mainWindow->executor().setWait([&](std::chrono::milliseconds) {
        EXPECT_TRUE(mainWindow->executor().running());
        if (++waitsSeen == 1) {
            secondAt(kMinute + 1'000);
        }
    });
    int boxes = 0;
    f.messages->whileShown = [&](const fakes::RecordedMessage&) {
        // The record is disarmed only when the box closes, so the trigger still matches here.
        EXPECT_EQ(mainWindow->state().task().scheduled, 1);
        if (++boxes == 1) {
            secondAt(kMinute + 2'000);
            secondAt(kMinute + 3'000);
        }
    };
    secondAt(kMinute);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(waitsSeen, 1);
    EXPECT_EQ(f.sound->log, (std::vector<std::string>{"create", "open " + kSound, "play"}));
    EXPECT_FALSE(mainWindow->executor().running());
    EXPECT_EQ(mainWindow->state().task().scheduled, 0);
    secondAt(kMinute + 4'000);
    EXPECT_EQ(boxes, 1);
}

TEST_F(TaskFixture, Failures_RunProgramAndVisitWebsiteShowTheMessageAndDisarm) {
    f.launcher->failRun = true;
    f.launcher->failUrl = true;
    mainWindow->state().changeTask([](core::ScheduledTask& t) { t.program = "/no/such/program"; });
    mainWindow->state().changeTask([](core::ScheduledTask& t) { t.webAddress = "example.org"; });
    const std::vector<std::string> reasons = {
        "the scheduled task Run Program failed: The program \"/no/such/program\" does not exist.",
        "the scheduled task Visit Website failed: The desktop has no browser to open "
        "\"http://example.org\"."};
    for (const char* kind : {"Run Program", "Visit Website"}) {
        f.messages->shown.clear();
        schedule(kind, "0", "1", "0");
        LogLines log;
        secondAt(kHour);
        EXPECT_EQ(log.seen, std::vector<std::string>{reasons[std::string(kind) == "Run Program" ? 0 : 1]});
        EXPECT_EQ(f.messages->shown, fakes::oneBox(kFailure, MessageIcon::Critical)) << kind;
        EXPECT_EQ(mainWindow->state().task().scheduled, 0) << kind;
        EXPECT_TRUE(mainWindow->state().task().minutesText.empty()) << kind;
        EXPECT_TRUE(mainWindow->triggerTimer().isActive()) << kind;
    }
}

TEST_F(TaskFixture, VisitWebsite_OpensWebAddressesOnlyAndRefusesTheRestWithTheMessage) {
    struct Case {
        const char* typed;
        std::vector<std::string> opened;
    };
    const Case cases[] = {
        {"", {""}}, // a new, blank browser window
        {"example.org", {"http://example.org"}},
        {"file:///C:/Tools/tool.exe", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        f.launcher->urls.clear();
        f.messages->shown.clear();
        mainWindow->state().changeTask([&](core::ScheduledTask& t) { t.webAddress = c.typed; });
        schedule("Visit Website", "0", "1", "0");
        secondAt(kHour);
        EXPECT_EQ(f.launcher->urls, c.opened);
        EXPECT_EQ(f.messages->shown, c.opened.empty() ? fakes::oneBox(kFailure, MessageIcon::Critical)
                                                      : decltype(f.messages->shown){});
        EXPECT_EQ(mainWindow->state().task().scheduled, 0);
    }
}

TEST_F(TaskFixture, Hibernate_NoPowerServiceShowsItsDescriptionAndDisarms) {
    f.power->hibernateFailure = "The name org.freedesktop.login1 was not provided by any .service files";
    schedule("Hibernate", "0", "0", "7");
    secondAt(7 * kMinute);
    EXPECT_EQ(f.messages->shown,
              fakes::oneBox("The name org.freedesktop.login1 was not provided by any .service files",
                            MessageIcon::Exclamation));
    EXPECT_EQ(mainWindow->state().task().scheduled, 0);
    EXPECT_EQ(f.process->immediateEnds, 0);
}

TEST_F(TaskFixture, PowerRequestsRefused_FailureMessageDisarmAndTheProgramGoesOn) {
    f.power->refusal = "org.freedesktop.login1 PowerOff refused: Interactive authentication required.";
    for (const char* kind : {"Turn Off Computer", "Log Off Computer", "Restart Computer", "Hibernate"}) {
        f.messages->shown.clear();
        schedule(kind, "0", "1", "0");
        LogLines log;
        secondAt(kHour);
        SCOPED_TRACE(kind);
        EXPECT_EQ(f.messages->shown, fakes::oneBox(kFailure, MessageIcon::Critical));
        EXPECT_EQ(log.seen, std::vector<std::string>{std::string("the scheduled task ") + kind +
                                                     " failed: " + *f.power->refusal});
        EXPECT_EQ(mainWindow->state().task().scheduled, 0);
        EXPECT_TRUE(mainWindow->state().task().minutesText.empty());
        EXPECT_TRUE(mainWindow->uptimeTimer().isActive());
        EXPECT_TRUE(mainWindow->triggerTimer().isActive());
        EXPECT_EQ(f.process->immediateEnds, 0);
    }
    EXPECT_EQ(f.power->calls, (std::vector<std::string>{"powerOff", "logOff", "reboot", "hibernate"}));
}

TEST_F(TaskFixture, PowerRequests_TheClockAndSeparatorsGoOnWhileTheAnswerIsPending) {
    using platform::PowerOutcome;
    const struct {
        const char* kind;
        PowerOutcome outcome;
        int immediateEnds;
    } cases[] = {
        {"Turn Off Computer", PowerOutcome::Accepted, 1},
        {"Log Off Computer", PowerOutcome::Refused, 0},
        {"Restart Computer", PowerOutcome::Refused, 0},
        {"Hibernate", PowerOutcome::Accepted, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        MainWindowCoreHarness w;
        w.load();
        w.f.power->holdAnswers = true;
        w.schedule(c.kind, "0", "1", "0");
        w.secondAt(kHour);
        ASSERT_EQ(w.f.power->pending.size(), 1u);
        const FakeMainWindowView& display = w.view;
        const bool separatorHidden = !display.separatorsShown;
        // Seconds go by while the system decides: still the trigger minute, then the next.
        w.secondAt(kHour + 1'000);
        EXPECT_NE(!display.separatorsShown, separatorHidden);
        w.secondAt(kHour + kMinute);
        EXPECT_EQ(display.minutes, "01");
        EXPECT_EQ(w.f.power->calls.size(), 1u);
        EXPECT_TRUE(w.f.messages->shown.empty());
        EXPECT_TRUE(w.mainWindow->executor().running());

        w.f.power->pending.front()({c.outcome, "no answer in time"});
        EXPECT_FALSE(w.mainWindow->executor().running());
        EXPECT_EQ(w.f.process->immediateEnds, c.immediateEnds);
        if (c.outcome == PowerOutcome::Refused) {
            EXPECT_EQ(w.f.messages->shown, fakes::oneBox(kFailure, MessageIcon::Critical));
        } else {
            EXPECT_TRUE(w.f.messages->shown.empty());
        }
    }
}

TEST_F(TaskFixture, Indicator_BlinksWhileScheduledAndStaysVisibleOtherwise) {
    mainWindow->blinkIndicator();
    EXPECT_TRUE(view.indicatorShown);
    schedule("Alert", "5", "5", "5");
    std::vector<bool> shown;
    for (int i = 0; i < 4; ++i) {
        mainWindow->blinkIndicator();
        shown.push_back(view.indicatorShown);
    }
    EXPECT_EQ(shown, (std::vector<bool>{false, true, false, true}));
    mainWindow->blinkIndicator();
    EXPECT_FALSE(view.indicatorShown);
    mainWindow->state().changeTask([](core::ScheduledTask& t) { t.scheduled = false; }); // the task ran
    mainWindow->blinkIndicator();
    EXPECT_TRUE(view.indicatorShown);
    mainWindow->blinkIndicator();
    EXPECT_TRUE(view.indicatorShown);
}

} // namespace
