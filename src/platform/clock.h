#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// Time as the program sees it: milliseconds since boot and the local wall clock.
class Clock {
public:
    virtual ~Clock() = default;
    /// Milliseconds since the system started, counting suspended time, as a 64-bit count.
    virtual std::uint64_t tickCount() = 0;
    /// The current instant, in milliseconds since 1970-01-01 UTC.
    virtual std::int64_t nowMsecsSinceEpoch() = 0;
    /// The local date of an instant in the user's short date format.
    virtual std::string formatShortDate(std::int64_t msecsSinceEpoch) = 0;
    /// The local time of day of an instant in the user's long time format, to whole seconds.
    virtual std::string formatLongTime(std::int64_t msecsSinceEpoch) = 0;
    /// The local time of day in the user's short time format (hours and minutes); a clock without
    /// one gives the long form.
    virtual std::string formatShortTime(std::int64_t msecsSinceEpoch) {
        return formatLongTime(msecsSinceEpoch);
    }
};

} // namespace platform
