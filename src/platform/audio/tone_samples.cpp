#include "platform/audio/tone_samples.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform::audio {

std::size_t framesFor(std::uint32_t durationMs, std::uint32_t sampleRate) {
    return static_cast<std::size_t>((std::uint64_t{durationMs} * sampleRate + 500) / 1000);
}

std::vector<std::int16_t> toneSamples(std::uint32_t frequencyHz, std::uint32_t durationMs,
                                      std::uint32_t sampleRate, std::uint32_t silenceMs) {
    const std::size_t toneFrames = framesFor(durationMs, sampleRate);
    std::vector<std::int16_t> samples(toneFrames + framesFor(silenceMs, sampleRate), 0);
    if (frequencyHz == 0 || sampleRate == 0 || 2ULL * frequencyHz >= sampleRate) {
        return samples;
    }
    // Very short tones (a 3 ms tick) keep half of their length at full level.
    const double fadeFrames = std::min(kToneFadeMs * sampleRate / 1000.0, toneFrames / 4.0);
    const double step = 2.0 * std::numbers::pi * frequencyHz / sampleRate;
    for (std::size_t i = 0; i < toneFrames; ++i) {
        const double fromEdge = static_cast<double>(std::min(i, toneFrames - 1 - i));
        double gain = 1.0;
        if (fromEdge < fadeFrames) {
            gain = 0.5 - 0.5 * std::cos(std::numbers::pi * fromEdge / fadeFrames);
        }
        samples[i] = static_cast<std::int16_t>(std::lround(kToneLevel * 32767.0 * gain * std::sin(step * i)));
    }
    return samples;
}

} // namespace platform::audio
