#pragma once

// Numbers and texts as the registry stores them: a dword in four little-endian bytes, a text
// with its terminating NUL.

#include "platform/registry.h"

#include <cstdint>
#include <string>

namespace regvalues {

inline long setDword(platform::Registry& r, platform::RegKey key, const std::string& name, std::uint32_t n) {
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                               static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
    return r.setValue(key, name, platform::kRegDword, b, 4);
}

inline long setText(platform::Registry& r, platform::RegKey key, const std::string& name,
                    const std::string& text) {
    return r.setValue(key, name, platform::kRegSz, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                      static_cast<std::uint32_t>(text.size() + 1));
}

inline std::uint32_t dword(const std::uint8_t* b) {
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

} // namespace regvalues
