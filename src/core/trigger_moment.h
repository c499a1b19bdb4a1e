#pragma once

#include "platform/clock.h"

#include <cstdint>
#include <optional>
#include <string>

namespace core {

/// The minute of up time (counted from boot) at which the main window shows a trigger of days,
/// hours and minutes, as the trigger check compares them; nothing when it never shows them: a
/// number that is not whole, an hour the day never shows (hour 0 after the first hour, hour 24
/// on day 0), or a time past the 31 days the program runs.
std::optional<std::uint64_t> triggerUptimeMinute(double days, double hours, double minutes);

/// The same for the trigger texts as typed (read as the trigger check reads them).
std::optional<std::uint64_t> triggerUptimeMinute(const std::string& daysText, const std::string& hoursText,
                                                 const std::string& minutesText);

/// When a trigger of the Schedule Task page's boxes is reached on the clock, for the boxes' tool
/// tips: "Reached at about 18:40 today" (or "tomorrow", or "on " and the date), "Reached now",
/// "Already passed", "Never reached"; empty for a time Apply refuses (all 0, or past a limit).
std::string triggerClockText(const std::string& daysText, const std::string& hoursText,
                             const std::string& minutesText, platform::Clock& clock);

} // namespace core
