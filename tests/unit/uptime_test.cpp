#include "app/uptime.h"
#include "common/twips.h"

#include <gtest/gtest.h>

namespace {

struct UptimeCase {
    std::uint64_t tick;
    std::string days, hours, minutes;
    int hoursValue;
};

TEST(Uptime_BreakDown, TableOfTickCounts) {
    const UptimeCase cases[] = {
        {0, "00", "00", "00", 0},
        {59'999, "00", "00", "00", 0},
        {60'000, "00", "00", "01", 0},
        {3'599'999, "00", "00", "59", 0},
        {3'600'000, "00", "01", "00", 1},
        {86'399'999, "00", "23", "59", 23},
        {86'400'000, "01", "24", "00", 24},
        {90'000'000, "01", "01", "00", 1},
        {172'800'000, "02", "24", "00", 24},
        {2'678'400'000ULL, "31", "24", "00", 24},
        {2'147'483'648ULL, "24", "20", "31", 20},
        // Past the 32-bit wrap (49.7 days) the count goes on.
        {4'294'967'296ULL + 60'000, "49", "17", "03", 17},
    };
    for (const auto& c : cases) {
        const UptimeBreakdown b = BreakDownUptime(c.tick);
        EXPECT_EQ(TwoDigits(b.days), c.days) << c.tick;
        EXPECT_EQ(TwoDigits(static_cast<std::uint64_t>(b.hours)), c.hours) << c.tick;
        EXPECT_EQ(TwoDigits(static_cast<std::uint64_t>(b.minutes)), c.minutes) << c.tick;
        EXPECT_EQ(b.hours, c.hoursValue) << c.tick;
    }
}

TEST(Uptime_BreakDown, LimitLiesBetween744And745Hours) {
    EXPECT_EQ(BreakDownUptime(2'678'400'000ULL).totalHours, 744u);
    EXPECT_FALSE(BreakDownUptime(2'682'000'000ULL - 1).totalHours > kMaxUptimeHours);
    EXPECT_EQ(BreakDownUptime(2'682'000'000ULL).totalHours, 745u);
    EXPECT_TRUE(BreakDownUptime(2'682'000'000ULL).totalHours > kMaxUptimeHours);
}

TEST(Uptime_BreakDown, HourMatchesRepeatedSubtractionOfWholeDays) {
    // A completed day shows as 24: subtracting each multiple of 24 from 744 down to 24 whenever
    // the running value is strictly greater gives the same hour for every hour count.
    for (std::uint64_t th = 0; th <= 744; ++th) {
        std::uint64_t running = th;
        for (std::uint64_t m = 744; m >= 24; m -= 24) {
            if (running > m) {
                running -= m;
            }
        }
        EXPECT_EQ(BreakDownUptime(th * 3'600'000ULL).hours, static_cast<int>(running)) << th;
    }
}

TEST(Uptime_TwoDigits, PadsOnlySingleDigits) {
    EXPECT_EQ(TwoDigits(0), "00");
    EXPECT_EQ(TwoDigits(9), "09");
    EXPECT_EQ(TwoDigits(10), "10");
    EXPECT_EQ(TwoDigits(744), "744");
}

TEST(Uptime_StartInstant, NowToTheSecondLessTheUpTime) {
    // 2026-12-07 08:30:15.700 UTC, up for one day, two hours and 0.4 s.
    const std::int64_t now = 1'796'632'215'700LL;
    const std::int64_t start = SystemStartInstant(now, 93'600'400ULL);
    EXPECT_EQ(start % 1000, 0);
    EXPECT_EQ(start, 1'796'632'215'000LL - 93'600'000LL);
    EXPECT_EQ(SystemStartInstant(now, 0), 1'796'632'215'000LL);
}

TEST(Twips_RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(1024 / 2.0), 512);
    EXPECT_EQ(RoundHalfEven(1023 / 2.0), 512);
    EXPECT_EQ(RoundHalfEven(1025 / 2.0), 512);
    EXPECT_EQ(RoundHalfEven(1027 / 2.0), 514);
    EXPECT_EQ(RoundHalfEven(-2355 / 15.0), -157);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(TwipsToPixels(2325, 15), 155);
}

} // namespace
