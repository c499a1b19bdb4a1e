// The clock's inputs to the up-time breakdown and the start-up display: a tick count that
// follows the wall clock from one boot instant, and formats to whole seconds and whole days.
#include "conformance/backend.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TEST(ClockConformance, TheTickCountCountsFromOneBootInstant) {
    auto clock = conformance::makeClock();
    const std::int64_t wall = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::system_clock::now().time_since_epoch())
                                  .count();
    const std::int64_t now = clock->nowMsecsSinceEpoch();
    const std::uint64_t tick = clock->tickCount();
    EXPECT_LT(std::llabs(now - wall), 1000);
    EXPECT_GT(tick, 0u);
    EXPECT_LT(static_cast<std::int64_t>(tick), now);
    // Now less the tick count is the boot instant: it holds still while both advance.
    const std::int64_t boot = now - static_cast<std::int64_t>(tick);
    std::uint64_t later = tick;
    while (later - tick < 50) {
        later = clock->tickCount();
    }
    const std::int64_t bootAgain = clock->nowMsecsSinceEpoch() - static_cast<std::int64_t>(later);
    EXPECT_LT(std::llabs(bootAgain - boot), 100);
}

TEST(ClockConformance, FormatsGoToWholeSecondsAndWholeDays) {
    auto clock = conformance::makeClock();
    // 2026-03-10 12:00:05 UTC: the same local day in every zone for the seconds around it.
    const std::int64_t instant = 1'773'144'005'000;
    const std::int64_t day = 86'400'000;
    EXPECT_FALSE(clock->formatLongTime(instant).empty());
    EXPECT_EQ(clock->formatLongTime(instant), clock->formatLongTime(instant + 999));
    EXPECT_NE(clock->formatLongTime(instant), clock->formatLongTime(instant + 1000));
    EXPECT_EQ(clock->formatLongTime(instant), clock->formatLongTime(instant + 7 * day));
    EXPECT_FALSE(clock->formatShortDate(instant).empty());
    EXPECT_EQ(clock->formatShortDate(instant), clock->formatShortDate(instant + 1000));
    EXPECT_NE(clock->formatShortDate(instant), clock->formatShortDate(instant + 2 * day));
}

} // namespace
