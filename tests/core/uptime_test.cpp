// The up time broken down into its display texts, the start instant, and twips to pixels.
#include "core/twips.h"
#include "core/uptime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using namespace core;

TEST(Uptime_BreakDown, TableOfTickCounts) {
    const struct {
        std::uint64_t tick;
        std::string days, hours, minutes;
        int hoursValue;
        std::uint64_t totalHours;
    } cases[] = {
        {0, "00", "00", "00", 0, 0},
        {59'999, "00", "00", "00", 0, 0},
        {60'000ULL * 9, "00", "00", "09", 0, 0},
        {3'599'999, "00", "00", "59", 0, 0},
        {3'600'000, "00", "01", "00", 1, 1},
        {86'399'999, "00", "23", "59", 23, 23},
        {86'400'000, "01", "24", "00", 24, 24},
        {90'000'000, "01", "01", "00", 1, 25},
        {169'200'000, "01", "23", "00", 23, 47},
        {172'800'000, "02", "24", "00", 24, 48},
        {2'147'483'648ULL, "24", "20", "31", 20, 596},
        // 31 days is still watched; the next hour is past the limit.
        {2'678'400'000ULL, "31", "24", "00", 24, 744},
        {2'682'000'000ULL - 1, "31", "24", "59", 24, 744},
        {2'682'000'000ULL, "31", "01", "00", 1, 745},
        // Past the 32-bit wrap (49.7 days) the count goes on.
        {4'294'967'296ULL + 60'000, "49", "17", "03", 17, 1193},
    };
    for (const auto& c : cases) {
        const UptimeBreakdown b = breakDownUptime(c.tick);
        EXPECT_EQ(twoDigits(b.days), c.days) << c.tick;
        EXPECT_EQ(twoDigits(static_cast<std::uint64_t>(b.hours)), c.hours) << c.tick;
        EXPECT_EQ(twoDigits(static_cast<std::uint64_t>(b.minutes)), c.minutes) << c.tick;
        EXPECT_EQ(b.hours, c.hoursValue) << c.tick;
        EXPECT_EQ(b.totalHours, c.totalHours) << c.tick;
    }
}

TEST(Uptime_StartInstant, NowToTheSecondLessTheUpTime) {
    // 2026-12-07 08:30:15.700 UTC, up for one day, two hours and 0.4 s.
    const std::int64_t now = 1'796'632'215'700LL;
    EXPECT_EQ(systemStartInstant(now, 93'600'400ULL), 1'796'632'215'000LL - 93'600'000LL);
    EXPECT_EQ(systemStartInstant(now, 0), 1'796'632'215'000LL);
}

TEST(Twips_RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(1024 / 2.0), 512);
    EXPECT_EQ(roundHalfEven(1023 / 2.0), 512);
    EXPECT_EQ(roundHalfEven(1025 / 2.0), 512);
    EXPECT_EQ(roundHalfEven(1027 / 2.0), 514);
    EXPECT_EQ(roundHalfEven(-2355 / 15.0), -157);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(twipsToPixels(2325, 15), 155);
}

} // namespace
