// The Linux clock's local time across a change of the zone's offset.
#include "platform/linux/linux_services.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <ctime>

TEST(LinuxClock_LocalTime, TheCachedZoneOffsetFollowsAChangeWithinTheMinute) {
    // Central Europe goes to summer time at 2026-03-29 01:00 UTC: 01:59:59 is followed by 03:00:00.
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    platform::LinuxClock clock;
    const std::int64_t change = 1'774'746'000'000LL;
    // In any locale's long format the hour ends just before the minutes.
    EXPECT_NE(clock.formatLongTime(change - 1000).find("1:59:59"), std::string::npos);
    EXPECT_NE(clock.formatLongTime(change).find("3:00:00"), std::string::npos);
    EXPECT_NE(clock.formatLongTime(change - 1000).find("1:59:59"), std::string::npos);
    if (zone.isNull()) {
        qunsetenv("TZ");
    } else {
        qputenv("TZ", zone);
    }
    tzset();
}
