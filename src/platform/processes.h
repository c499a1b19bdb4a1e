#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

/// The running processes, as the instance check sees them.
class Processes {
public:
    virtual ~Processes() = default;
    /// Identifiers of all running processes in the order the system reports them.
    /// Throws std::runtime_error, whose what() describes the failure, when the list cannot be read.
    virtual std::vector<std::uint32_t> processIds() = 0;
    /// Full path of a process's executable, or nothing when the process cannot be opened.
    virtual std::optional<std::string> executablePath(std::uint32_t pid) = 0;
    /// The path a copy of this program has when it runs from this program's folder under the
    /// program's fixed file name: this program's folder, the separator and that name.
    virtual std::string instanceExecutablePath() = 0;
    /// The full path of this program's executable as the system reports it, as the log-on list
    /// records it.
    virtual std::string ownExecutablePath() = 0;
};

} // namespace platform
