#pragma once

// Parsers of the /proc files behind the processor and memory figures. They take the file's
// text, so they are tested on captured samples.

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

/// The jiffies of one processor since boot: busy ones and all.
struct CpuJiffies {
    std::uint64_t busy = 0;
    std::uint64_t total = 0;
};

/// The line of the processor named (such as "cpu0") in the text of /proc/stat, or nothing.
/// Idle and iowait count as idle; guest time is already inside user time.
std::optional<CpuJiffies> parseCpuLine(std::string_view stat, std::string_view name);

/// The busy share between two readings of one processor, in percent; 0 when no time passed.
double busyPercent(const CpuJiffies& before, const CpuJiffies& after);

/// MemAvailable of the text of /proc/meminfo, in bytes, or nothing.
std::optional<std::uint64_t> parseMemAvailable(std::string_view meminfo);

} // namespace platform
