#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::audio {

/// What a wave file's header says about its sound.
struct WaveInfo {
    std::uint16_t format = 0; ///< 1 integer PCM, 3 floating point
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint64_t dataOffset = 0; ///< where the samples start in the file
    std::uint64_t dataBytes = 0;  ///< sample bytes present in the file

    /// The playing time of the samples, in milliseconds.
    double durationMs() const;
};

/// Reads the header of a RIFF/WAVE file from its first bytes (head) and the whole file's size.
/// Throws std::runtime_error with the problem in words when it is not a wave file that a plain
/// player can play (integer PCM of 8 to 32 bits or 32-bit floating point, with samples).
WaveInfo parseWaveHeader(std::string_view head, std::uint64_t fileSize);

/// Checks that the file exists, can be read and is a playable wave file, and returns its header.
/// Throws std::runtime_error naming the file and the problem otherwise.
WaveInfo checkWaveFile(const std::string& path);

} // namespace platform::audio
