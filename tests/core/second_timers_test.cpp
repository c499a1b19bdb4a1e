// The one-second timers in one phase.
#include "core/second_timers.h"
#include "core_fixture.h"

namespace {

using namespace std::chrono_literals;

struct SecondTimersTest : CoreFixture {
    std::array<core::Timer*, 7> made{};
    std::vector<fakes::FakeTimer*> fake;

    SecondTimersTest() {
        for (core::Timer*& timer : made) {
            owned.push_back(timers.makeTimer(
                1000ms, [] {}, core::TimerAccuracy::Coarse));
            timer = owned.back().get();
        }
        fake = timers.made;
    }
    std::vector<std::unique_ptr<core::Timer>> owned;
};

TEST_F(SecondTimersTest, StartInPhase_RestartsOnlyTheRunningTimers) {
    fake[1]->start();
    fake[4]->start();
    core::SecondTimers(made).startInPhase();
    for (std::size_t i = 0; i < fake.size(); ++i) {
        EXPECT_EQ(fake[i]->starts, i == 1 || i == 4 ? 2 : 0) << i;
    }
}

TEST_F(SecondTimersTest, KeepInPhase_RestartsATimerStartedBetweenTwoTicksButNotTheRefresh) {
    const struct {
        std::size_t timer;
        int remaining;
        bool restarted;
    } cases[] = {{0, 500, false}, {1, 500, true}, {2, 999, false}, {3, 50, false},
                 {4, 101, true},  {5, 899, true}, {6, 900, false}};
    for (const auto& c : cases) {
        fake[c.timer]->start();
        fake[c.timer]->remaining = c.remaining;
    }
    core::SecondTimers(made).keepInPhase();
    for (const auto& c : cases) {
        EXPECT_EQ(fake[c.timer]->starts, c.restarted ? 2 : 1) << c.timer;
    }
}

} // namespace
