#pragma once

#include "platform/process_control.h"
#include "platform/processes.h"

#include <cstdint>
#include <vector>

namespace core {

/// The process identifiers the instance check examines.
struct ProcessIdList {
    std::vector<std::uint32_t> ids; ///< at most 1001, in the system's order
    std::uint32_t count = 0;        ///< N: how many the system reported
};

/// The most identifiers the instance check examines.
inline constexpr std::size_t kMaxListedProcesses = 1001;

/// Collects the process identifiers, growing the buffer until the system's list fits.
/// Throws std::runtime_error when the list cannot be read.
ProcessIdList listProcessIds(platform::Processes& processes);

/// Counts the running copies of this program (same folder, fixed file name) among the listed
/// processes. Returns true, after ending the program at once, when a second copy is found.
bool checkSecondInstance(platform::Processes& processes, platform::ProcessControl& process,
                         const ProcessIdList& list);

} // namespace core
