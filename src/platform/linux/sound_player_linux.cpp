#include "platform/linux/linux_services.h"

#include "platform/audio/wave_file.h"

#include <stdexcept>

namespace platform {

namespace {

// Checks the file before the audio back end is loaded, so a missing or broken file fails at
// once and costs nothing; the back end's player is made on the first open.
class LinuxSoundPlayer final : public SoundPlayer {
public:
    explicit LinuxSoundPlayer(std::shared_ptr<AudioModule> audio) : m_audio(std::move(audio)) {}

    void open(const std::string& path) override {
        audio::checkWaveFile(path);
        if (!m_player) {
            AudioBackend* backend = m_audio->backend();
            if (backend == nullptr) {
                throw std::runtime_error("There is no audio output: the sound module cannot be loaded.");
            }
            m_player = backend->createPlayer();
            m_player->setOnFinished(m_onFinished);
        }
        m_player->open(path);
    }
    void play() override {
        if (!m_player) {
            throw std::runtime_error("No sound file is open.");
        }
        m_player->play();
    }
    void stop() override {
        if (m_player) {
            m_player->stop();
        }
    }
    void close() override {
        if (m_player) {
            m_player->close();
        }
    }
    void setOnFinished(std::function<void()> onFinished) override {
        m_onFinished = std::move(onFinished);
        if (m_player) {
            m_player->setOnFinished(m_onFinished);
        }
    }

private:
    std::shared_ptr<AudioModule> m_audio; // keeps the back end alive as long as the player
    std::unique_ptr<SoundPlayer> m_player;
    std::function<void()> m_onFinished;
};

} // namespace

std::unique_ptr<SoundPlayer> LinuxSoundPlayers::create() {
    return std::make_unique<LinuxSoundPlayer>(m_audio);
}

} // namespace platform
