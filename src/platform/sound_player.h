#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

/// A wave-file player that plays without blocking the window and reports the end of playback.
/// Each window that plays a sound has its own player.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    /// Opens the file for playback. Throws std::runtime_error, whose what() describes the failure,
    /// when the file is missing or unreadable or there is no audio output.
    virtual void open(const std::string& path) = 0;
    /// Starts playback from the beginning and returns at once. Throws std::runtime_error on failure.
    virtual void play() = 0;
    /// Stops playback; harmless when nothing plays.
    virtual void stop() = 0;
    /// Releases the file; the next playback opens it afresh.
    virtual void close() = 0;
    /// Called on the window's thread when a playback has ended, or failed after it started.
    virtual void setOnFinished(std::function<void()> onFinished) = 0;
};

/// Makes players.
class SoundPlayers {
public:
    virtual ~SoundPlayers() = default;
    virtual std::unique_ptr<SoundPlayer> create() = 0;
};

} // namespace platform
