// The Linux folder and audio services where no sound server is involved.
#include "platform/linux/linux_services.h"

#include "notify_sound.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

long long msSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST(LinuxFolders_DataFolder, ShareCorvaneBesideTheBinFolderOrEmpty) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const fs::path root = dir.path().toStdString();
    fs::create_directories(root / "prefix/bin");
    fs::create_directories(root / "prefix/share/corvane/Media");
    fs::create_directories(root / "bare/bin");
    fs::create_directories(root / "file/bin");
    fs::create_directories(root / "file/share");
    std::ofstream(root / "file/share/corvane") << "not a folder";

    EXPECT_EQ(platform::LinuxFolders((root / "prefix/bin").string()).dataFolder(),
              (root / "prefix/share/corvane").string());
    EXPECT_EQ(platform::LinuxFolders((root / "prefix/bin/").string()).dataFolder(),
              (root / "prefix/share/corvane").string());
    EXPECT_EQ(platform::LinuxFolders((root / "bare/bin").string()).dataFolder(), "");
    EXPECT_EQ(platform::LinuxFolders((root / "file/bin").string()).dataFolder(), "");
    EXPECT_EQ(platform::LinuxFolders().separator(), "/");
}

class NoAudioModule : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_wav = m_dir.path().toStdString() + "/notify.wav";
        std::ofstream(m_wav, std::ios::binary)
            << notify_sound::waveFile(notify_sound::chimeSamples(), notify_sound::kSampleRate);
    }
    QTemporaryDir m_dir;
    std::string m_wav;
    std::shared_ptr<platform::AudioModule> m_audio =
        std::make_shared<platform::AudioModule>("/nonexistent/corvane-audio.so");
};

TEST_F(NoAudioModule, ToneWaitsItsTimeInSilence) {
    platform::LinuxToneGenerator tone(m_audio);
    for (std::uint32_t ms : {0u, 30u, 80u}) {
        const auto start = Clock::now();
        tone.beep(440, ms);
        const long long took = msSince(start);
        EXPECT_GE(took, ms);
        EXPECT_LT(took, ms + 150) << ms;
    }
}

TEST_F(NoAudioModule, PlayerFailsAtOpenAndDoesNotHang) {
    platform::LinuxSoundPlayers players(m_audio);
    auto player = players.create();
    bool finished = false;
    player->setOnFinished([&] { finished = true; });
    for (const std::string& path : {m_wav, m_dir.path().toStdString() + "/missing.wav"}) {
        const auto start = Clock::now();
        EXPECT_THROW(player->open(path), std::runtime_error) << path;
        EXPECT_LT(msSince(start), 100);
    }
    EXPECT_THROW(player->play(), std::runtime_error);
    player->stop();
    player->close();
    EXPECT_FALSE(finished);
}

} // namespace
