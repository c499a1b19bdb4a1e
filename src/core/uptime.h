#pragma once

#include <cstdint>
#include <string>

namespace core {

/// Up time broken down the way the main window shows it.
struct UptimeBreakdown {
    int minutes = 0;        ///< minutes within the hour, 0..59
    int hours = 0;          ///< 0..23 on the first day, then 1..24 (a full day shows as 24)
    std::uint64_t days = 0; ///< whole days
    std::uint64_t totalHours = 0;
};

/// The most whole hours of up time the program monitors (31 days).
inline constexpr std::uint64_t kMaxUptimeHours = 744;

/// Breaks a tick count (milliseconds since boot) into minutes, hours and days.
UptimeBreakdown breakDownUptime(std::uint64_t tickMs);

/// Two-digit form: 0..9 as "0" and the digit, 10 and above in plain decimal.
std::string twoDigits(std::uint64_t value);

/// The up time as one phrase for a screen reader: "up 3 days, 1 hour, 0 minutes".
std::string uptimePhrase(std::uint64_t days, int hours, int minutes);

/// The instant the system started: now (to the second) less the up time, to the second.
std::int64_t systemStartInstant(std::int64_t nowMsecsSinceEpoch, std::uint64_t tickMs);

} // namespace core
