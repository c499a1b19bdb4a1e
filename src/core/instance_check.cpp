#include "core/instance_check.h"

#include <algorithm>

namespace core {

ProcessIdList listProcessIds(platform::Processes& processes) {
    // The system hands back as many identifiers as fit into the buffer; the buffer doubles
    // until it is no longer filled. The list is read once and cut to each buffer size.
    const std::vector<std::uint32_t> all = processes.processIds();
    std::uint64_t bufferBytes = 8;
    std::uint64_t returnedBytes = 96;
    std::vector<std::uint32_t> slots;
    while (bufferBytes <= returnedBytes) {
        bufferBytes *= 2;
        slots.assign(bufferBytes / 4 + 1, 0);
        returnedBytes = std::min<std::uint64_t>(bufferBytes, all.size() * 4u);
        std::copy_n(all.begin(), returnedBytes / 4, slots.begin());
    }

    ProcessIdList list;
    list.count = static_cast<std::uint32_t>(returnedBytes / 4);
    list.ids.push_back(slots[0]);
    for (std::size_t i = 1; i < slots.size() && i < kMaxListedProcesses; ++i) {
        if (slots[i] == 0) {
            break;
        }
        list.ids.push_back(slots[i]);
    }
    return list;
}

bool checkSecondInstance(platform::Processes& processes, platform::ProcessControl& process,
                         const ProcessIdList& list) {
    const std::string ownPath = processes.instanceExecutablePath();
    int copies = 0;
    for (std::size_t i = 0; i <= list.count && i < list.ids.size(); ++i) {
        const std::uint32_t pid = list.ids[i];
        if (pid == 0) {
            continue;
        }
        const auto path = processes.executablePath(pid);
        if (!path || *path != ownPath) {
            continue;
        }
        // The running program is one of the copies.
        if (++copies >= 2) {
            process.endImmediately();
            return true;
        }
    }
    return false;
}

} // namespace core
