#pragma once

#include <string>

namespace platform {

/// Where the program's own files are.
class Folders {
public:
    virtual ~Folders() = default;
    /// The data folder, holding Media/notify.wav and the help page, without a trailing
    /// separator; empty when it cannot be found.
    virtual std::string dataFolder() = 0;
    /// The folder below which the notification sound lies (Media, then notify.wav), without a
    /// trailing separator: the data folder unless the system has its own.
    virtual std::string soundFolder() { return dataFolder(); }
    /// The separator of paths on this system ("/" on Linux).
    virtual std::string separator() = 0;
};

} // namespace platform
