#pragma once

#include <cstdint>

namespace platform {

/// Plays plain tones, standing in for the system's Beep.
class ToneGenerator {
public:
    virtual ~ToneGenerator() = default;
    /// Plays a sine tone of the frequency for the duration and returns when it has been played.
    /// Without an audio output it waits the same time in silence.
    virtual void beep(std::uint32_t frequencyHz, std::uint32_t durationMs) = 0;
};

} // namespace platform
