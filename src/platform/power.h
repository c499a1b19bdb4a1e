#pragma once

#include <functional>
#include <string>

namespace platform {

/// How a power request ended.
enum class PowerOutcome {
    /// The system took the request: for turn off and restart the program may end right after.
    Accepted,
    /// The system (or the desktop session) refused the request or did not answer it in time.
    Refused,
    /// The request could not be made at all (no power service to ask).
    Unavailable,
};

/// The answer to a power request; reason says why it was refused or could not be made.
struct PowerAnswer {
    PowerOutcome outcome = PowerOutcome::Accepted;
    std::string reason;
};

/// Receives the answer to a power request, exactly once, on the window's thread: before the
/// request returns when the answer is known at once, otherwise later (never more than a few
/// seconds later: a request without an answer in time counts as refused).
using PowerAnswered = std::function<void(const PowerAnswer&)>;

/// The system's shutdown and power services. No request waits: each hands its answer to the
/// given receiver, so the windows go on while the system decides.
class Power {
public:
    virtual ~Power() = default;
    /// Asks the system to turn off, forcing applications to close.
    virtual void powerOff(PowerAnswered answered) = 0;
    /// Asks the desktop session to restart, so that applications may save or object; the system
    /// itself when no session manager answers.
    virtual void reboot(PowerAnswered answered) = 0;
    /// Asks the desktop session to log the user off.
    virtual void logOff(PowerAnswered answered) = 0;
    /// Asks the system to hibernate.
    virtual void hibernate(PowerAnswered answered) = 0;
};

} // namespace platform
