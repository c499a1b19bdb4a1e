#pragma once

#include <stdexcept>

namespace platform {

/// The system refused a power request or did not answer it; what() gives the reason.
class PowerRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The system's shutdown and power services. Turn off, restart and hibernate wait a moment,
/// never long, for the system's answer and throw PowerRefused when it refuses or does not answer.
class Power {
public:
    virtual ~Power() = default;
    /// Asks the system to turn off, forcing applications to close. When the call returns the
    /// system has accepted it, so the caller may end the program right after.
    virtual void powerOff() = 0;
    /// Asks the desktop session to restart, so that applications may save or object; the system
    /// itself when no session manager answers. When the call returns it has been accepted.
    virtual void reboot() = 0;
    /// Asks the desktop session to log the user off; returns at once.
    virtual void logOff() = 0;
    /// Asks the system to hibernate. Throws std::runtime_error, whose what() describes the
    /// failure, when the request cannot be made at all (no system bus, no power service), and
    /// PowerRefused when the system refuses it.
    virtual void hibernate() = 0;
};

} // namespace platform
