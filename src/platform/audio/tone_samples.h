#pragma once

#include <cstdint>
#include <vector>

namespace platform::audio {

/// Peak level of a tone, as a share of full scale.
inline constexpr double kToneLevel = 0.4;
/// Length of the fade at each end of a tone, so that it starts and stops without a click.
inline constexpr double kToneFadeMs = 2.0;

/// Mono 16-bit samples of a sine tone of frequencyHz lasting durationMs at sampleRate, faded in
/// and out, followed by silenceMs of silence. A tone the rate cannot carry (0 Hz, or at or above
/// half the rate) is silence of the same length.
std::vector<std::int16_t> toneSamples(std::uint32_t frequencyHz, std::uint32_t durationMs,
                                      std::uint32_t sampleRate, std::uint32_t silenceMs);

/// The number of frames that last durationMs at sampleRate, rounded to the nearest frame.
std::size_t framesFor(std::uint32_t durationMs, std::uint32_t sampleRate);

} // namespace platform::audio
