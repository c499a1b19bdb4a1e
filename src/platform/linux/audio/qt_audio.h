#pragma once

// The audio back end on Qt Multimedia, inside the lazily loaded module: tones through
// QAudioSink on a worker thread, wave files through QSoundEffect on the main thread.

#include "platform/linux/audio_backend.h"

#include <QObject>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>

class QAudioDevice;
class QSoundEffect;
class QThread;

namespace platform::qtaudio {

/// When sound objects were last in use. Qt's audio clean-up at process exit can race the
/// sound server's thread; leaving a moment between the last release and the exit avoids it.
class ActivityClock final {
public:
    void touch() { m_last = std::chrono::steady_clock::now(); }
    /// Waits until at least settle has passed since the last use; at once when never used.
    void settle(std::chrono::milliseconds settle) const;

private:
    std::chrono::steady_clock::time_point m_last{};
};

enum class ToneResult { Played, Failed, Hung };

/// Plays one tone on a fresh sink in push mode and returns when the device has played it.
/// Runs on the tone thread.
ToneResult playToneOnSink(const QAudioDevice& device, std::uint32_t frequencyHz, std::uint32_t durationMs);

/// A wave-file player on QSoundEffect. Every end and failure after play() is reported once,
/// from the event loop, never from inside a call of the window.
class EffectSoundPlayer final : public SoundPlayer {
public:
    explicit EffectSoundPlayer(ActivityClock& activity);
    ~EffectSoundPlayer() override;
    void open(const std::string& path) override;
    void play() override;
    void stop() override;
    void close() override;
    void setOnFinished(std::function<void()> onFinished) override { m_onFinished = std::move(onFinished); }

private:
    void makeEffect();
    void releaseEffect();
    void onPlayingChanged();
    void onStatusChanged();
    void end();

    ActivityClock& m_activity;
    QObject m_context; // receives the effect's signals and the queued end reports
    std::unique_ptr<QSoundEffect> m_effect;
    QUrl m_source;
    QTimer m_watchdog;
    double m_durationMs = 0.0;
    bool m_active = false;  // a playback was asked for and has not ended
    bool m_started = false; // the effect reported that it plays
    bool m_playWhenReady = false;
    bool m_played = false;     // the effect has been played once: the next play makes a fresh one
    unsigned m_generation = 0; // an end report from an earlier playback is dropped
    std::function<void()> m_onFinished;
};

class QtAudioBackend final : public AudioBackend {
public:
    QtAudioBackend();
    ~QtAudioBackend() override;
    bool playTone(std::uint32_t frequencyHz, std::uint32_t durationMs) override;
    std::unique_ptr<SoundPlayer> createPlayer() override;

private:
    ActivityClock m_activity;
    QThread* m_toneThread = nullptr;
    QObject* m_toneContext = nullptr; // lives on the tone thread
    bool m_toneHung = false;
};

} // namespace platform::qtaudio
