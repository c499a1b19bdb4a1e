#pragma once

// The program's notification sound, made by code: a soft two-note chime.

#include <cstdint>
#include <string>
#include <vector>

namespace notify_sound {

inline constexpr std::uint32_t kSampleRate = 44100;
/// The sounding part: the first note, the second note 140 ms later, each ringing 520 ms.
inline constexpr std::uint32_t kSoundMs = 660;
/// Silence after the chime. Qt 6.4's QSoundEffect cuts the last ~120 ms of a sound.
inline constexpr std::uint32_t kTrailingSilenceMs = 250;
/// Peak level as a share of full scale.
inline constexpr double kPeakLevel = 0.5;

/// The chime as mono 16-bit samples at kSampleRate, trailing silence included.
std::vector<std::int16_t> chimeSamples();

/// A complete RIFF/WAVE file holding mono 16-bit PCM samples.
std::string waveFile(const std::vector<std::int16_t>& samples, std::uint32_t sampleRate);

} // namespace notify_sound
