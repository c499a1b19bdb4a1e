#include "platform/linux/audio/qt_audio.h"

#include "platform/audio/wave_file.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>

#include <stdexcept>

namespace platform::qtaudio {

namespace {

// Without a working device QSoundEffect may report Ready and play for ever: a playback that
// has not ended this long after the sound's own length is taken as failed.
constexpr double kWatchdogMarginMs = 2000.0;

} // namespace

EffectSoundPlayer::EffectSoundPlayer(ActivityClock& activity) : m_activity(activity) {
    m_watchdog.setSingleShot(true);
    QObject::connect(&m_watchdog, &QTimer::timeout, &m_context, [this] {
        if (m_active) {
            qWarning("The notification sound did not end; it is stopped.");
            end();
            if (m_effect) {
                m_effect->stop();
            }
        }
    });
}

EffectSoundPlayer::~EffectSoundPlayer() {
    close();
}

void EffectSoundPlayer::open(const std::string& path) {
    const audio::WaveInfo info = audio::checkWaveFile(path);
    if (QMediaDevices::audioOutputs().isEmpty()) {
        throw std::runtime_error("There is no audio output device.");
    }
    close();
    m_source = QUrl::fromLocalFile(QString::fromStdString(path));
    m_durationMs = info.durationMs();
    makeEffect();
    if (m_effect->status() == QSoundEffect::Error) {
        close();
        throw std::runtime_error("The sound file " + path + " cannot be played.");
    }
}

void EffectSoundPlayer::play() {
    if (!m_effect) {
        throw std::runtime_error("No sound file is open.");
    }
    if (m_effect->status() == QSoundEffect::Error) {
        throw std::runtime_error("The sound file cannot be played.");
    }
    stop();
    if (m_played) {
        // Stopping a QSoundEffect and playing it again resumes late, after a tail of the old
        // sound: a fresh one starts the sound from the beginning at once.
        makeEffect();
    }
    m_played = true;
    m_active = true;
    m_started = false;
    m_activity.touch();
    m_watchdog.start(static_cast<int>(m_durationMs + kWatchdogMarginMs));
    if (m_effect->status() == QSoundEffect::Ready) {
        m_effect->play();
    } else {
        m_playWhenReady = true; // still loading: onStatusChanged starts it
    }
}

void EffectSoundPlayer::stop() {
    ++m_generation;
    m_active = false;
    m_playWhenReady = false;
    m_watchdog.stop();
    if (m_effect && m_effect->isPlaying()) {
        m_effect->stop();
        m_activity.touch();
    }
}

void EffectSoundPlayer::close() {
    stop();
    releaseEffect();
    m_source.clear();
}

void EffectSoundPlayer::makeEffect() {
    releaseEffect();
    m_effect = std::make_unique<QSoundEffect>();
    QObject::connect(m_effect.get(), &QSoundEffect::playingChanged, &m_context,
                     [this] { onPlayingChanged(); });
    QObject::connect(m_effect.get(), &QSoundEffect::statusChanged, &m_context, [this] { onStatusChanged(); });
    m_effect->setSource(m_source);
    m_played = false;
}

void EffectSoundPlayer::releaseEffect() {
    if (m_effect) {
        QObject::disconnect(m_effect.get(), nullptr, &m_context, nullptr);
        m_effect->stop();
        // Deleted from the event loop: this may run while the effect is still inside a call.
        m_effect.release()->deleteLater();
        m_activity.touch();
    }
}

void EffectSoundPlayer::onPlayingChanged() {
    if (!m_active) {
        return;
    }
    if (m_effect->isPlaying()) {
        m_started = true;
    } else if (m_started) {
        end();
    }
}

void EffectSoundPlayer::onStatusChanged() {
    if (!m_active) {
        return;
    }
    if (m_effect->status() == QSoundEffect::Error) {
        end();
    } else if (m_effect->status() == QSoundEffect::Ready && m_playWhenReady) {
        m_playWhenReady = false;
        m_effect->play();
    }
}

void EffectSoundPlayer::end() {
    m_active = false;
    m_playWhenReady = false;
    m_watchdog.stop();
    m_activity.touch();
    const unsigned generation = m_generation;
    QMetaObject::invokeMethod(
        &m_context,
        [this, generation] {
            if (generation == m_generation && m_onFinished) {
                m_onFinished();
            }
        },
        Qt::QueuedConnection);
}

} // namespace platform::qtaudio
