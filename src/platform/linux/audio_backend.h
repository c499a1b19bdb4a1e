#pragma once

// The audio back end on Qt Multimedia lives in a module of its own (corvane-audio.so) that the
// program loads the first time a sound is needed, so start-up and the idle program carry none
// of Qt Multimedia and the sound server's client libraries. This is what the module gives.

#include "platform/sound_player.h"

#include <cstdint>
#include <memory>

namespace platform {

class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    /// Plays a sine tone and returns when it has been played; false when it could not be played
    /// (no output device, the device failed or hung), in which case it returns at once.
    virtual bool playTone(std::uint32_t frequencyHz, std::uint32_t durationMs) = 0;
    /// A wave-file player; open() also fails when there is no audio output device.
    virtual std::unique_ptr<SoundPlayer> createPlayer() = 0;
};

/// The module's entry point: makes the back end. Called on the program's main thread.
using MakeAudioBackend = AudioBackend* (*)();
inline constexpr const char* kMakeAudioBackendSymbol = "corvane_make_audio_backend";

} // namespace platform
