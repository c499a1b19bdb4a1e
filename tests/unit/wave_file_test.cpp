#include "platform/audio/wave_file.h"

#include "notify_sound.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using platform::audio::checkWaveFile;
using platform::audio::parseWaveHeader;
using platform::audio::WaveInfo;

namespace {

std::string le16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string le32(std::uint32_t v) {
    return le16(static_cast<std::uint16_t>(v & 0xFFFF)) + le16(static_cast<std::uint16_t>(v >> 16));
}

std::string chunk(const std::string& id, const std::string& body) {
    std::string c = id + le32(static_cast<std::uint32_t>(body.size())) + body;
    if (body.size() % 2 == 1) {
        c.push_back('\0');
    }
    return c;
}

std::string format(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    const std::uint16_t block = static_cast<std::uint16_t>(channels * bits / 8);
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * block) + le16(block) + le16(bits);
}

std::string riff(const std::string& chunks) {
    return "RIFF" + le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

struct BadCase {
    const char* name;
    std::string bytes;
    const char* problem;
};

TEST(WaveFile_Header, RefusesWhatAPlainPlayerCannotPlay) {
    const std::string fmt16 = chunk("fmt ", format(1, 1, 44100, 16));
    const std::string data = chunk("data", std::string(100, '\x01'));
    const BadCase cases[] = {
        {"empty", "", "not a wave"},
        {"text", "hello, this is not a sound file", "not a wave"},
        {"RIFF of another kind", "RIFF" + le32(4) + "AVI ", "not a wave"},
        {"no chunks", riff(""), "format chunk is missing"},
        {"samples without format", riff(data), "before their format"},
        {"format only", riff(fmt16), "samples are missing"},
        {"short format", riff(chunk("fmt ", std::string(12, '\0')) + data), "too short"},
        {"format cut off", riff("fmt " + le32(16) + "abc"), "cut short"},
        {"compressed", riff(chunk("fmt ", format(2, 1, 44100, 4)) + data), "cannot be played"},
        {"12-bit", riff(chunk("fmt ", format(1, 1, 44100, 12)) + data), "cannot be played"},
        {"64-bit float", riff(chunk("fmt ", format(3, 1, 44100, 64)) + data), "cannot be played"},
        {"no channels", riff(chunk("fmt ", format(1, 0, 44100, 16)) + data), "out of range"},
        {"rate 0", riff(chunk("fmt ", format(1, 1, 0, 16)) + data), "out of range"},
        {"wrong block size",
         riff(chunk("fmt ", le16(1) + le16(2) + le32(44100) + le32(0) + le16(2) + le16(16)) + data),
         "block size"},
        {"no samples", riff(fmt16 + chunk("data", "")), "holds no sound"},
        {"extensible, too short", riff(chunk("fmt ", format(0xFFFE, 1, 44100, 16) + le16(0)) + data),
         "too short"},
    };
    for (const auto& c : cases) {
        try {
            parseWaveHeader(c.bytes, c.bytes.size());
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.problem), std::string::npos) << c.name << ": " << e.what();
        }
    }
}

TEST(WaveFile_Header, ReadsFormatsAndFindsTheSamplesBehindOtherChunks) {
    // An odd-sized chunk in front of the samples is padded to an even size.
    const std::string list = chunk("LIST", "INFOabc");
    const std::string ext =
        format(0xFFFE, 2, 48000, 24) + le16(22) + le16(24) + le32(0) + le16(1) + std::string(14, 'x');
    struct Case {
        const char* name;
        std::string bytes;
        std::uint64_t fileSize;
        WaveInfo want;
    };
    const std::string s16 =
        riff(chunk("fmt ", format(1, 1, 44100, 16)) + list + chunk("data", std::string(88200, '\0')));
    const std::string f32 =
        riff(chunk("fmt ", format(3, 2, 48000, 32)) + chunk("data", std::string(3840, '\0')));
    const std::string e24 = riff(chunk("fmt ", ext) + chunk("data", std::string(600, '\0')));
    const std::string cut =
        riff(chunk("fmt ", format(1, 1, 8000, 8)) + "data" + le32(8000)) + std::string(400, '\x80');
    const Case cases[] = {
        {"16-bit mono after LIST", s16, s16.size(), {1, 1, 44100, 16, 12 + 24 + 16 + 8, 88200}},
        {"float stereo", f32, f32.size(), {3, 2, 48000, 32, 12 + 24 + 8, 3840}},
        {"extensible 24-bit", e24, e24.size(), {1, 2, 48000, 24, 12 + 48 + 8, 600}},
        // Declares more samples than the file holds: only those present count.
        {"cut short", cut, cut.size(), {1, 1, 8000, 8, 12 + 24 + 8, 400}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const WaveInfo w = parseWaveHeader(c.bytes, c.fileSize);
        EXPECT_EQ(w.format, c.want.format);
        EXPECT_EQ(w.channels, c.want.channels);
        EXPECT_EQ(w.sampleRate, c.want.sampleRate);
        EXPECT_EQ(w.bitsPerSample, c.want.bitsPerSample);
        EXPECT_EQ(w.dataOffset, c.want.dataOffset);
        EXPECT_EQ(w.dataBytes, c.want.dataBytes);
    }
    EXPECT_DOUBLE_EQ(parseWaveHeader(s16, s16.size()).durationMs(), 1000.0);
    EXPECT_DOUBLE_EQ(parseWaveHeader(f32, f32.size()).durationMs(), 10.0);
    EXPECT_DOUBLE_EQ(parseWaveHeader(cut, cut.size()).durationMs(), 50.0);
}

TEST(WaveFile_Check, NamesTheFileAndTheProblem) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string root = dir.path().toStdString();
    const std::string good = root + "/good.wav";
    const std::string junk = root + "/junk.wav";
    {
        std::ofstream(good, std::ios::binary)
            << notify_sound::waveFile(std::vector<std::int16_t>(441, 5), 44100);
        std::ofstream(junk, std::ios::binary) << "not a sound";
    }
    EXPECT_DOUBLE_EQ(checkWaveFile(good).durationMs(), 10.0);
    const std::pair<std::string, const char*> bad[] = {
        {root + "/missing.wav", "does not exist"},
        {root, "is not a file"},
        {junk, "cannot be played. It is not a wave"},
    };
    for (const auto& [path, problem] : bad) {
        try {
            checkWaveFile(path);
            ADD_FAILURE() << path << " accepted";
        } catch (const std::runtime_error& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find(path), std::string::npos) << what;
            EXPECT_NE(what.find(problem), std::string::npos) << what;
        }
    }
}

} // namespace
