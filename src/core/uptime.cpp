#include "core/uptime.h"

#include <cmath>

namespace core {

UptimeBreakdown breakDownUptime(std::uint64_t tickMs) {
    UptimeBreakdown b;
    const std::uint64_t totalMinutes = (tickMs / 1000) / 60;
    b.minutes = static_cast<int>(totalMinutes % 60);
    b.totalHours = totalMinutes / 60;
    b.days = b.totalHours / 24;
    // A completed day shows as hour 24, never as 0; only the very first hour is 0.
    b.hours = b.totalHours == 0 ? 0 : static_cast<int>((b.totalHours - 1) % 24) + 1;
    return b;
}

std::string twoDigits(std::uint64_t value) {
    return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
}

std::string uptimePhrase(std::uint64_t days, int hours, int minutes) {
    auto count = [](std::uint64_t n, const char* unit) {
        return std::to_string(n) + " " + unit + (n == 1 ? "" : "s");
    };
    return "up " + count(days, "day") + ", " + count(static_cast<std::uint64_t>(hours), "hour") + ", " +
           count(static_cast<std::uint64_t>(minutes), "minute");
}

std::int64_t systemStartInstant(std::int64_t nowMsecsSinceEpoch, std::uint64_t tickMs) {
    const std::int64_t nowToSecond = nowMsecsSinceEpoch - (nowMsecsSinceEpoch % 1000 + 1000) % 1000;
    const double upDays = static_cast<double>(tickMs) / 1000.0 / 60.0 / 60.0 / 24.0;
    const double start = static_cast<double>(nowToSecond) - upDays * 86400000.0;
    return static_cast<std::int64_t>(std::llround(start / 1000.0)) * 1000;
}

} // namespace core
