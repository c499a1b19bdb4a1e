#pragma once

#include <cstdint>
#include <optional>

namespace platform {

/// The processor and memory figures of the running system.
class SystemFigures {
public:
    virtual ~SystemFigures() = default;
    /// Opens the query of processor usage; a failure shows at the first collection.
    virtual void openProcessorQuery() = 0;
    /// Adds the usage counter of one processor (0 is the first) to the query.
    virtual void addProcessorCounter(int processor) = 0;
    /// Collects the query: the busy share of the counter's processor since the previous
    /// collection, in percent; 0 at the first; nothing when this collection gives no figure
    /// (the previous one stands). Throws std::runtime_error when it cannot be read at all.
    virtual std::optional<double> collectProcessorUsage() = 0;
    /// The physical memory available to programs without swapping, in bytes.
    /// Throws std::runtime_error when it cannot be read.
    virtual std::uint64_t availableMemoryBytes() = 0;
};

} // namespace platform
