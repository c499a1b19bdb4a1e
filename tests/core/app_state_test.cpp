// The shared state: who hears of a change, and when a switch counts as a change.
#include "core_fixture.h"

#include <optional>

namespace {

using core::Change;

TEST_F(CoreFixture, AppState_ReadersHearEachChangeAfterItIsMadeInTheirOrder) {
    std::vector<std::string> order;
    auto first = state.subscribe([&](Change) { order.push_back("first " + state.task().kind); });
    auto second = state.subscribe([&](Change) { order.push_back("second " + state.task().kind); });
    state.changeTask([](core::ScheduledTask& t) { t.kind = "Alert"; });
    EXPECT_EQ(order, (std::vector<std::string>{"first Alert", "second Alert"}));
    EXPECT_EQ(heard, std::vector<Change>{Change::Task});
}

TEST_F(CoreFixture, AppState_SwitchesTellOnlyWhenTheyChange) {
    // As designed: the hourly beep and the figures run from the start, the trigger check not.
    EXPECT_TRUE(state.hourlyBeepArmed());
    EXPECT_TRUE(state.figuresRunning());
    EXPECT_FALSE(state.triggerCheckRunning());
    state.setHourlyBeepArmed(true);
    state.setFiguresRunning(true);
    state.setTriggerCheckRunning(false);
    EXPECT_TRUE(heard.empty());
    state.setTriggerCheckRunning(true);
    state.setHourlyBeepArmed(false);
    state.setFiguresRunning(false);
    EXPECT_EQ(heard, (std::vector<Change>{Change::TriggerCheck, Change::HourlyBeep, Change::Figures}));
}

TEST_F(CoreFixture, AppState_AnEndedSubscriptionHearsNothingEvenWhenEndedByAnotherReader) {
    std::optional<core::AppState::Subscription> closing;
    int closingHeard = 0;
    auto closer = state.subscribe([&](Change) { closing.reset(); });
    closing = state.subscribe([&](Change) { ++closingHeard; });
    state.setSoundFolder("/data");
    EXPECT_EQ(closingHeard, 0);
    listening = {};
    state.setCpuText("CPU 5%");
    EXPECT_EQ(heard, std::vector<Change>{Change::SoundFolder});
}

TEST_F(CoreFixture, AppState_OnlyTheSwitchOptionsHaveCaches) {
    EXPECT_EQ(state.optionCache(core::StoredOption::HourlyBeep), "hrbeepstatus");
    EXPECT_EQ(state.optionCache(core::StoredOption::Figures), "MemCpustat");
    state.setOptionCache(core::StoredOption::OnTop, "1");
    EXPECT_EQ(state.optionCache(core::StoredOption::OnTop), "");
    EXPECT_TRUE(heard.empty());
}

} // namespace
