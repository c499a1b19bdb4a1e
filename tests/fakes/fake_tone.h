#pragma once

#include "platform/tone.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace fakes {

/// Records the tones instead of playing them.
class FakeToneGenerator final : public platform::ToneGenerator {
public:
    /// (frequency in hertz, duration in milliseconds), in the order played.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> tones;
    void beep(std::uint32_t frequencyHz, std::uint32_t durationMs) override {
        tones.emplace_back(frequencyHz, durationMs);
    }
};

} // namespace fakes
