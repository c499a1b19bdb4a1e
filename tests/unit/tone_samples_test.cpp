#include "platform/audio/tone_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

using platform::audio::framesFor;
using platform::audio::toneSamples;

namespace {

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

int peak(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    int p = 0;
    for (std::size_t i = from; i < to; ++i) {
        p = std::max(p, std::abs(static_cast<int>(s[i])));
    }
    return p;
}

struct ToneCase {
    std::uint32_t hz, ms, rate, silenceMs;
};

TEST(ToneSamples_Tone, LengthPitchLevelAndSilence) {
    const ToneCase cases[] = {
        {500, 50, 44100, 60}, {300, 50, 44100, 60}, {440, 1000, 48000, 0},
        {10000, 3, 48000, 60}, {1000, 7, 8000, 10}, {37, 200, 44100, 60},
    };
    const int full = static_cast<int>(std::lround(platform::audio::kToneLevel * 32767.0));
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.hz) + " Hz " + std::to_string(c.ms) + " ms at " + std::to_string(c.rate));
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
    EXPECT_EQ(framesFor(1, 44100), 44u);  // 44.1
    EXPECT_EQ(framesFor(1, 22050), 22u);  // 22.05
    EXPECT_EQ(framesFor(0, 48000), 0u);
    EXPECT_EQ(framesFor(4'294'967'295u, 48000), 206'158'430'160u); // no overflow
}

} // namespace
