#pragma once

#include "platform/sound_player.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace fakes {

/// A player that records every call; the test scripts failures and reports the end itself.
class FakeSoundPlayer final : public platform::SoundPlayer {
public:
    std::vector<std::string>* log =
        nullptr; ///< shared with the maker: "open <path>", "play", "stop", "close"
    bool failOpen = false;
    bool failPlay = false;
    bool playing = false;
    std::function<void()> onFinished;

    ~FakeSoundPlayer() override {
        if (log != nullptr) {
            log->push_back("destroy");
        }
    }
    void open(const std::string& path) override {
        log->push_back("open " + path);
        if (failOpen) {
            throw std::runtime_error("cannot open " + path);
        }
    }
    void play() override {
        log->push_back("play");
        if (failPlay) {
            throw std::runtime_error("no audio output");
        }
        playing = true;
    }
    void stop() override {
        log->push_back("stop");
        playing = false;
    }
    void close() override { log->push_back("close"); }
    void setOnFinished(std::function<void()> callback) override { onFinished = std::move(callback); }

    /// The end of playback, as the audio back end reports it.
    void finish() {
        playing = false;
        if (onFinished) {
            onFinished();
        }
    }
};

/// Makes recording players; `players` keeps a pointer to each one made (valid while it lives).
class FakeSoundPlayers final : public platform::SoundPlayers {
public:
    std::vector<std::string> log;
    std::vector<FakeSoundPlayer*> players;
    bool failOpen = false; ///< applies to the players made from now on
    bool failPlay = false;

    std::unique_ptr<platform::SoundPlayer> create() override {
        auto player = std::make_unique<FakeSoundPlayer>();
        player->log = &log;
        player->failOpen = failOpen;
        player->failPlay = failPlay;
        players.push_back(player.get());
        log.push_back("create");
        return player;
    }
};

} // namespace fakes
