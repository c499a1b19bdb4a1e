#include "platform/audio/wave_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace platform::audio {

namespace {

// Enough for the format chunk and the usual metadata chunks in front of the samples.
constexpr std::size_t kHeadBytes = std::size_t{64} * 1024;

std::uint32_t le32(std::string_view b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t le16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}

[[noreturn]] void fail(const std::string& problem) {
    throw std::runtime_error(problem);
}

void readFormat(std::string_view chunk, WaveInfo& info) {
    if (chunk.size() < 16) {
        fail("Its format chunk is too short.");
    }
    info.format = le16(chunk, 0);
    info.channels = le16(chunk, 2);
    info.sampleRate = le32(chunk, 4);
    const std::uint16_t blockAlign = le16(chunk, 12);
    info.bitsPerSample = le16(chunk, 14);
    if (info.format == 0xFFFE) { // extensible: the real format is the start of the sub-format
        if (chunk.size() < 26) {
            fail("Its extensible format chunk is too short.");
        }
        info.format = le16(chunk, 24);
    }
    const bool pcm = info.format == 1 && (info.bitsPerSample == 8 || info.bitsPerSample == 16 ||
                                          info.bitsPerSample == 24 || info.bitsPerSample == 32);
    const bool floating = info.format == 3 && info.bitsPerSample == 32;
    if (!pcm && !floating) {
        fail("Its sample format (" + std::to_string(info.format) + ", " + std::to_string(info.bitsPerSample) +
             " bits) cannot be played.");
    }
    if (info.channels == 0 || info.channels > 8 || info.sampleRate < 1000 || info.sampleRate > 384000) {
        fail("Its channel count or sample rate is out of range.");
    }
    if (blockAlign != info.channels * info.bitsPerSample / 8) {
        fail("Its block size does not match its sample format.");
    }
}

} // namespace

double WaveInfo::durationMs() const {
    const std::uint64_t frameBytes = std::uint64_t{channels} * bitsPerSample / 8;
    if (frameBytes == 0 || sampleRate == 0) {
        return 0.0;
    }
    const std::uint64_t wholeFrames = dataBytes / frameBytes;
    return static_cast<double>(wholeFrames) * 1000.0 / sampleRate;
}

WaveInfo parseWaveHeader(std::string_view head, std::uint64_t fileSize) {
    if (head.size() < 12 || head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "WAVE") {
        fail("It is not a wave (RIFF/WAVE) file.");
    }
    WaveInfo info;
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= head.size()) {
        const std::string_view id = head.substr(at, 4);
        const std::uint64_t size = le32(head, at + 4);
        const std::size_t body = at + 8;
        if (id == "fmt ") {
            if (body + size > head.size()) {
                fail("Its format chunk is cut short.");
            }
            readFormat(head.substr(body, static_cast<std::size_t>(size)), info);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) {
                fail("Its samples come before their format.");
            }
            info.dataOffset = body;
            info.dataBytes = std::min<std::uint64_t>(size, fileSize > body ? fileSize - body : 0);
            const std::uint64_t frameBytes = std::uint64_t{info.channels} * info.bitsPerSample / 8;
            if (info.dataBytes < frameBytes) {
                fail("It holds no sound.");
            }
            return info;
        }
        at = body + static_cast<std::size_t>(size) + (size & 1); // chunks are padded to even sizes
    }
    fail(haveFormat ? "Its samples are missing." : "Its format chunk is missing.");
}

WaveInfo checkWaveFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (!fs::exists(status)) {
        throw std::runtime_error("The sound file " + path + " does not exist.");
    }
    if (!fs::is_regular_file(status)) {
        throw std::runtime_error("The sound file " + path + " is not a file.");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("The sound file " + path + " cannot be read: " + std::strerror(errno) + ".");
    }
    std::string head(kHeadBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        throw std::runtime_error("The sound file " + path + " cannot be read.");
    }
    try {
        return parseWaveHeader(head, fs::file_size(path, ec));
    } catch (const std::runtime_error& e) {
        throw std::runtime_error("The sound file " + path + " cannot be played. " + e.what());
    }
}

} // namespace platform::audio
