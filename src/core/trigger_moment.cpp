#include "core/trigger_moment.h"

#include "core/trigger_number.h"
#include "core/uptime.h"

#include <cmath>

namespace core {

namespace {

constexpr std::int64_t kMinuteMs = 60'000;
constexpr std::int64_t kDayMs = kMinuteMs * 60 * 24;

bool whole(double value) {
    return value >= 0 && std::floor(value) == value;
}

} // namespace

std::optional<std::uint64_t> triggerUptimeMinute(double days, double hours, double minutes) {
    if (!whole(days) || !whole(hours) || !whole(minutes) || minutes > 59 || hours > 24 || days > 31) {
        return std::nullopt;
    }
    const auto d = static_cast<std::uint64_t>(days);
    const auto h = static_cast<std::uint64_t>(hours);
    // The display counts the first hour as 0, every later hour 1 to 24 within its day: a completed
    // day shows as hour 24 of the day before the next.
    std::uint64_t totalHours = 0;
    if (h == 0) {
        if (d != 0) {
            return std::nullopt;
        }
    } else if (h == 24) {
        if (d == 0) {
            return std::nullopt;
        }
        totalHours = d * 24;
    } else {
        totalHours = d * 24 + h;
    }
    if (totalHours > kMaxUptimeHours) {
        return std::nullopt;
    }
    return totalHours * 60 + static_cast<std::uint64_t>(minutes);
}

std::optional<std::uint64_t> triggerUptimeMinute(const std::string& daysText, const std::string& hoursText,
                                                 const std::string& minutesText) {
    return triggerUptimeMinute(readTriggerNumber(daysText), readTriggerNumber(hoursText),
                               readTriggerNumber(minutesText));
}

std::string triggerClockText(const std::string& daysText, const std::string& hoursText,
                             const std::string& minutesText, platform::Clock& clock) {
    const double days = readTriggerNumber(daysText);
    const double hours = readTriggerNumber(hoursText);
    const double minutes = readTriggerNumber(minutesText);
    if ((days == 0 && hours == 0 && minutes == 0) || minutes > 59 || hours > 24 || days > 31) {
        return {};
    }
    const std::optional<std::uint64_t> trigger = triggerUptimeMinute(days, hours, minutes);
    if (!trigger) {
        return "Never reached";
    }
    const std::uint64_t tick = clock.tickCount();
    const std::uint64_t minuteNow = tick / kMinuteMs;
    if (*trigger < minuteNow) {
        return "Already passed";
    }
    if (*trigger == minuteNow) {
        return "Reached now";
    }
    const std::int64_t now = clock.nowMsecsSinceEpoch();
    const std::int64_t reached = now + static_cast<std::int64_t>(*trigger * kMinuteMs - tick);
    const std::string date = clock.formatShortDate(reached);
    std::string day;
    if (date == clock.formatShortDate(now)) {
        day = "today";
    } else if (date == clock.formatShortDate(now + kDayMs)) {
        day = "tomorrow";
    } else {
        day = "on " + date;
    }
    return "Reached at about " + clock.formatShortTime(reached) + " " + day;
}

} // namespace core
