#pragma once

namespace platform {

/// The system's shutdown and power services. The requests return at once; what the system
/// does with them (it may ask the user or refuse) is not reported.
class Power {
public:
    virtual ~Power() = default;
    /// Asks the system to turn off. The request has reached the system when the call returns
    /// (it waits a moment, never long, for the answer), so the caller may end the program right after.
    virtual void powerOff() = 0;
    /// Asks the system to restart; the request has reached the system when the call returns.
    virtual void reboot() = 0;
    /// Asks the desktop session to log the user off; returns at once.
    virtual void logOff() = 0;
    /// Asks the system to hibernate. Throws std::runtime_error, whose what() describes the
    /// failure, only when the request cannot be made at all (no system bus, no power service).
    virtual void hibernate() = 0;
};

} // namespace platform
