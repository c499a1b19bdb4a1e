#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// This process: the operating-system check, the start-up lock and the two ways to end.
class ProcessControl {
public:
    virtual ~ProcessControl() = default;
    /// The operating system's platform identifier; 2 means a supported system.
    virtual int platformId() = 0;
    /// Creates the start-up lock of the given name and holds it until the process ends.
    virtual void createInstanceLock(const std::string& name) = 0;
    /// The exit code the system reports for this process while it runs (259, still active).
    virtual std::uint32_t currentExitCode() = 0;
    /// Ends the process at once with the code: no destructors, no unload, no clean-up.
    /// A test double records the code and returns; callers return right after.
    virtual void terminateCurrentProcess(std::uint32_t code) = 0;
    /// Ends the program at once without running any unload handler (exit status 0).
    /// A test double records the call and returns; callers return right after.
    virtual void endImmediately() = 0;
};

} // namespace platform
