#include "notify_sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace notify_sound {

namespace {

struct Note {
    double startMs;
    double frequencyHz;
};

// A5 then E6, a rising fifth.
constexpr Note kNotes[] = {{0.0, 880.0}, {140.0, 1318.51}};
constexpr double kNoteMs = 520.0;
constexpr double kAttackMs = 4.0;
constexpr double kReleaseMs = 60.0; // the ring fades to exactly zero at the note's end
constexpr double kDecaySeconds = 0.16;

// A bell-like note: the fundamental and two weaker overtones that die away sooner.
double noteAt(double frequencyHz, double t) {
    const double w = 2.0 * std::numbers::pi * frequencyHz * t;
    return std::exp(-t / kDecaySeconds) * std::sin(w) +
           0.25 * std::exp(-2.0 * t / kDecaySeconds) * std::sin(2.0 * w) +
           0.08 * std::exp(-3.0 * t / kDecaySeconds) * std::sin(3.0 * w);
}

double envelope(double ms) {
    if (ms < kAttackMs) {
        return 0.5 - 0.5 * std::cos(std::numbers::pi * ms / kAttackMs);
    }
    if (ms > kNoteMs - kReleaseMs) {
        return 0.5 + 0.5 * std::cos(std::numbers::pi * (ms - (kNoteMs - kReleaseMs)) / kReleaseMs);
    }
    return 1.0;
}

void put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

} // namespace

std::vector<std::int16_t> chimeSamples() {
    const std::size_t soundFrames = std::size_t{kSoundMs} * kSampleRate / 1000;
    const std::size_t totalFrames = std::size_t{kSoundMs + kTrailingSilenceMs} * kSampleRate / 1000;
    std::vector<double> mix(soundFrames, 0.0);
    for (const Note& note : kNotes) {
        const auto first = static_cast<std::size_t>(note.startMs * kSampleRate / 1000.0);
        for (std::size_t i = first; i < soundFrames; ++i) {
            const double t = static_cast<double>(i - first) / kSampleRate;
            if (t * 1000.0 >= kNoteMs) {
                break;
            }
            mix[i] += envelope(t * 1000.0) * noteAt(note.frequencyHz, t);
        }
    }
    double peak = 0.0;
    for (double v : mix) {
        peak = std::max(peak, std::abs(v));
    }
    std::vector<std::int16_t> samples(totalFrames, 0);
    for (std::size_t i = 0; i < soundFrames; ++i) {
        samples[i] = static_cast<std::int16_t>(std::lround(mix[i] / peak * kPeakLevel * 32767.0));
    }
    return samples;
}

std::string waveFile(const std::vector<std::int16_t>& samples, std::uint32_t sampleRate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1); // integer PCM
    put16(out, 1); // mono
    put32(out, sampleRate);
    put32(out, sampleRate * 2); // bytes per second
    put16(out, 2);              // bytes per frame
    put16(out, 16);             // bits per sample
    out += "data";
    put32(out, dataBytes);
    for (std::int16_t s : samples) {
        put16(out, static_cast<std::uint16_t>(s));
    }
    return out;
}

} // namespace notify_sound
