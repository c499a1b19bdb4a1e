// The samples the program makes: the tones of the tone generator and the notification sound.
#include "notify_sound.h"

#include "platform/audio/tone_samples.h"
#include "platform/audio/wave_file.h"
#include "platform/linux/linux_services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>
#include <vector>

using platform::audio::framesFor;
using platform::audio::toneSamples;

namespace {

constexpr std::uint32_t kRate = notify_sound::kSampleRate;

std::size_t frames(double ms) {
    return static_cast<std::size_t>(ms * kRate / 1000.0);
}

int peak(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    int p = 0;
    for (std::size_t i = from; i < std::min(to, s.size()); ++i) {
        p = std::max(p, std::abs(static_cast<int>(s[i])));
    }
    return p;
}

// Frequency from the upward zero crossings, interpolated between samples.
double measuredFrequency(const std::vector<std::int16_t>& s, std::size_t end, std::uint32_t rate) {
    std::vector<double> crossings;
    for (std::size_t i = 1; i < end; ++i) {
        if (s[i - 1] < 0 && s[i] >= 0) {
            crossings.push_back(static_cast<double>(i - 1) + s[i - 1] / static_cast<double>(s[i - 1] - s[i]));
        }
    }
    if (crossings.size() < 2) {
        return 0.0;
    }
    return (crossings.size() - 1) * static_cast<double>(rate) / (crossings.back() - crossings.front());
}

// The strongest of the given frequencies over a stretch of samples (a single-bin DFT each).
double strongest(const std::vector<std::int16_t>& s, double fromMs, double toMs,
                 std::initializer_list<double> candidates) {
    double best = 0.0;
    double bestPower = -1.0;
    for (double f : candidates) {
        double re = 0.0;
        double im = 0.0;
        for (std::size_t i = frames(fromMs); i < frames(toMs); ++i) {
            re += s[i] * std::cos(2.0 * std::numbers::pi * f * i / kRate);
            im += s[i] * std::sin(2.0 * std::numbers::pi * f * i / kRate);
        }
        if (re * re + im * im > bestPower) {
            bestPower = re * re + im * im;
            best = f;
        }
    }
    return best;
}

TEST(NotifySound_Chime, TwoNotesThenAtLeast150msOfSilence) {
    const auto s = notify_sound::chimeSamples();
    ASSERT_EQ(s.size(), frames(notify_sound::kSoundMs + notify_sound::kTrailingSilenceMs));
    const int full = 16384; // soft: half of full scale, never clipped
    EXPECT_EQ(peak(s, 0, s.size()), full);
    EXPECT_LE(std::abs(static_cast<int>(s.front())), full / 50); // no click at the start

    // The last audible sample, then nothing but silence to the end.
    std::size_t last = s.size();
    while (last > 0 && s[last - 1] == 0) {
        --last;
    }
    const double silenceMs = (s.size() - last) * 1000.0 / kRate;
    EXPECT_GE(silenceMs, 150.0);
    EXPECT_GE(last * 1000.0 / kRate, notify_sound::kSoundMs - 5.0);
    EXPECT_LE(peak(s, frames(notify_sound::kSoundMs - 5.0), s.size()), full / 100); // rings out to nothing

    // The lower note first, the higher one once it has come in.
    EXPECT_EQ(strongest(s, 10, 130, {660.0, 880.0, 1046.5, 1318.51}), 880.0);
    EXPECT_EQ(strongest(s, 200, 400, {660.0, 880.0, 1046.5, 1318.51}), 1318.51);
    EXPECT_GE(peak(s, frames(140), frames(200)), full / 2); // the second note is heard
}

TEST(NotifySound_File, HeaderAndSamplesAs16BitMonoPcm) {
    const auto samples = notify_sound::chimeSamples();
    const std::string bytes = notify_sound::waveFile(samples, kRate);
    ASSERT_EQ(bytes.size(), 44 + samples.size() * 2);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(bytes.substr(36, 4), "data");
    const auto u32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) {
            v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
        }
        return v;
    };
    EXPECT_EQ(u32(4), bytes.size() - 8);
    EXPECT_EQ(u32(16), 16u);
    EXPECT_EQ(u32(20), 1u | 1u << 16); // PCM, mono
    EXPECT_EQ(u32(24), kRate);
    EXPECT_EQ(u32(28), kRate * 2);
    EXPECT_EQ(u32(32), 2u | 16u << 16); // 2 bytes a frame, 16 bits
    EXPECT_EQ(u32(40), samples.size() * 2);
    for (std::size_t i : {std::size_t{0}, samples.size() / 3, samples.size() - 1}) {
        const auto lo = static_cast<unsigned char>(bytes[44 + 2 * i]);
        const auto hi = static_cast<unsigned char>(bytes[45 + 2 * i]);
        EXPECT_EQ(static_cast<std::int16_t>(lo | hi << 8), samples[i]) << i;
    }
    const auto info = platform::audio::parseWaveHeader(bytes, bytes.size());
    EXPECT_NEAR(info.durationMs(), notify_sound::kSoundMs + notify_sound::kTrailingSilenceMs, 0.1);
}

TEST(NotifySound_File, TheBuildPutsItInTheDataFolderBesideTheBinaries) {
    // The test binary sits in the build tree's bin/, like the program.
    const std::string folder = platform::LinuxFolders().dataFolder();
    ASSERT_FALSE(folder.empty());
    std::ifstream in(folder + "/Media/notify.wav", std::ios::binary);
    ASSERT_TRUE(in.good()) << folder;
    const std::string built((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(built, notify_sound::waveFile(notify_sound::chimeSamples(), kRate));
}

struct ToneCase {
    std::uint32_t hz, ms, rate, silenceMs;
};

TEST(ToneSamples_Tone, LengthPitchLevelAndSilence) {
    const ToneCase cases[] = {
        {500, 50, 44100, 60}, {440, 1000, 48000, 0}, {10000, 3, 48000, 60},
        {1000, 7, 8000, 10},  {37, 200, 44100, 60},
    };
    const int full = static_cast<int>(std::lround(platform::audio::kToneLevel * 32767.0));
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.hz) + " Hz " + std::to_string(c.ms) + " ms at " +
                     std::to_string(c.rate));
        const auto s = toneSamples(c.hz, c.ms, c.rate, c.silenceMs);
        const std::size_t tone = framesFor(c.ms, c.rate);
        ASSERT_EQ(s.size(), tone + framesFor(c.silenceMs, c.rate));
        // Reaches (nearly) its level, never more, and is silence after the tone.
        EXPECT_LE(peak(s, 0, tone), full);
        if (c.ms >= 7) {
            EXPECT_GE(peak(s, 0, tone), full * 9 / 10);
        }
        EXPECT_EQ(peak(s, tone, s.size()), 0);
        // Starts and ends softly: no click at either edge.
        EXPECT_LE(std::abs(static_cast<int>(s.front())), full / 20);
        EXPECT_LE(std::abs(static_cast<int>(s[tone - 1])), full / 5);
        if (c.ms >= 50) {
            EXPECT_NEAR(measuredFrequency(s, tone, c.rate), c.hz, c.hz * 0.002 + 0.5);
        }
    }
}

TEST(ToneSamples_Tone, ToneTheRateCannotCarryIsSilenceOfTheSameLength) {
    for (const auto& [hz, rate] : {std::pair{0u, 44100u}, {22050u, 44100u}, {30000u, 44100u}, {500u, 0u}}) {
        const auto s = toneSamples(hz, 50, rate, 10);
        EXPECT_EQ(s.size(), framesFor(60, rate)) << hz << " Hz at " << rate;
        EXPECT_EQ(peak(s, 0, s.size()), 0) << hz << " Hz at " << rate;
    }
}

TEST(ToneSamples_Frames, RoundsToTheNearestFrame) {
    EXPECT_EQ(framesFor(50, 44100), 2205u);
    EXPECT_EQ(framesFor(3, 44100), 132u); // 132.3
    EXPECT_EQ(framesFor(7, 44100), 309u); // 308.7
    EXPECT_EQ(framesFor(0, 48000), 0u);
    EXPECT_EQ(framesFor(4'294'967'295u, 48000), 206'158'430'160u); // no overflow
}

} // namespace
