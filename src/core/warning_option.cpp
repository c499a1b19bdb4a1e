#include "core/warning_option.h"

#include <cstdint>
#include <string>

namespace core {

namespace {

const std::string kOptionsKey = "SOFTWARE\\Pellorin\\Corvane\\4.0";

} // namespace

bool readWarningOption(platform::Registry& registry) {
    platform::RegKey key = 0;
    if (registry.openKey(platform::kHkeyCurrentUser, kOptionsKey, 0, platform::kKeyRead, key) !=
        platform::kErrorSuccess) {
        return true;
    }
    std::uint8_t data[4] = {1, 0, 0, 0};
    std::uint32_t type = 0;
    std::uint32_t size = sizeof data;
    const long result = registry.queryValue(key, kWarningOptionName, type, data, size);
    registry.closeKey(key);
    const bool zero = data[0] == 0 && data[1] == 0 && data[2] == 0 && data[3] == 0;
    return !(result == platform::kErrorSuccess && type == platform::kRegDword && size == 4 && zero);
}

bool storeWarningOption(platform::Registry& registry, bool on) {
    platform::RegKey key = 0;
    if (registry.openKey(platform::kHkeyCurrentUser, kOptionsKey, 0, platform::kKeyWrite, key) !=
        platform::kErrorSuccess) {
        return false;
    }
    const std::uint8_t data[4] = {static_cast<std::uint8_t>(on ? 1 : 0), 0, 0, 0};
    const long result = registry.setValue(key, kWarningOptionName, platform::kRegDword, data, 4);
    registry.closeKey(key);
    return result == platform::kErrorSuccess;
}

} // namespace core
