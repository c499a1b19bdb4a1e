#include "core/autostart.h"

#include "core/app_title.h"

#include <exception>

namespace core {

namespace {

const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

} // namespace

void registerAutostart(platform::Registry& registry, const std::string& programPath) {
    platform::RegKey key = 0;
    if (registry.openKey(platform::kHkeyLocalMachine, kRunKey, 0, platform::kKeyWrite, key) !=
        platform::kErrorSuccess) {
        return;
    }
    registry.setValue(key, kAppTitle, platform::kRegSz,
                      reinterpret_cast<const std::uint8_t*>(programPath.c_str()),
                      static_cast<std::uint32_t>(programPath.size() + 1));
    registry.closeKey(key);
}

void unregisterAutostart(platform::Registry& registry, platform::MessageBoxes& messages) {
    try {
        platform::RegKey key = 0;
        if (registry.openKey(platform::kHkeyLocalMachine, kRunKey, 0, platform::kKeyWrite, key) !=
            platform::kErrorSuccess) {
            return;
        }
        registry.deleteValue(key, kAppTitle); // a value that is not there is no error
        registry.closeKey(key);
    } catch (const std::exception&) {
        messages.show("Unable to schedule the Task. Access Denied.", kAppTitle,
                      platform::MessageIcon::Critical);
    }
}

std::optional<bool> readAutostartCheck(platform::Registry& registry) {
    platform::RegKey key = 0;
    if (registry.openKey(platform::kHkeyLocalMachine, kRunKey, 0, platform::kKeyRead, key) !=
        platform::kErrorSuccess) {
        return std::nullopt;
    }
    std::uint8_t buffer[255] = {};
    std::uint32_t type = platform::kRegSz;
    std::uint32_t size = sizeof buffer;
    // Any value of that name counts, wherever it points.
    const long result = registry.queryValue(key, kAppTitle, type, buffer, size);
    registry.closeKey(key);
    return result == platform::kErrorSuccess;
}

} // namespace core
