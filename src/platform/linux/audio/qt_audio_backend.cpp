#include "platform/linux/audio/qt_audio.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QThread>

#include <future>
#include <thread>

namespace platform::qtaudio {

namespace {

constexpr std::chrono::milliseconds kExitSettle{300};
// The tone thread's own watchdog ends a hung tone; this one is for a thread stuck in the device.
constexpr std::chrono::milliseconds kToneThreadGrace{2000};

} // namespace

void ActivityClock::settle(std::chrono::milliseconds settle) const {
    if (m_last != std::chrono::steady_clock::time_point{}) {
        std::this_thread::sleep_until(m_last + settle);
    }
}

QtAudioBackend::QtAudioBackend() {
    // The multimedia back end is set up here, on the main thread, before the tone thread uses it.
    (void)QMediaDevices::audioOutputs();
}

QtAudioBackend::~QtAudioBackend() {
    if (m_toneThread != nullptr) {
        m_toneThread->quit();
        if (m_toneThread->wait(QDeadlineTimer(kToneThreadGrace))) {
            delete m_toneThread;
        } // else a thread stuck in the device is left behind rather than waited for
    }
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    m_activity.settle(kExitSettle);
}

bool QtAudioBackend::playTone(std::uint32_t frequencyHz, std::uint32_t durationMs) {
    if (m_toneHung) {
        return false;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return false;
    }
    if (m_toneThread == nullptr) {
        m_toneThread = new QThread;
        m_toneThread->setObjectName(QStringLiteral("corvane-tone"));
        m_toneContext = new QObject;
        m_toneContext->moveToThread(m_toneThread);
        QObject::connect(m_toneThread, &QThread::finished, m_toneContext, &QObject::deleteLater);
        m_toneThread->start();
    }
    auto result = std::make_shared<std::promise<ToneResult>>();
    std::future<ToneResult> done = result->get_future();
    QMetaObject::invokeMethod(
        m_toneContext,
        [result, device, frequencyHz, durationMs] {
            result->set_value(playToneOnSink(device, frequencyHz, durationMs));
        },
        Qt::QueuedConnection);
    const auto limit =
        std::chrono::milliseconds(durationMs) + std::chrono::milliseconds(500) + kToneThreadGrace;
    if (done.wait_for(limit) != std::future_status::ready) {
        qWarning("The tone thread does not answer; tones are silent from now on.");
        m_toneHung = true;
        return false;
    }
    m_activity.touch();
    const ToneResult r = done.get();
    if (r == ToneResult::Hung) {
        qWarning("The audio device did not play a tone; tones are silent from now on.");
        m_toneHung = true;
    }
    return r == ToneResult::Played;
}

std::unique_ptr<SoundPlayer> QtAudioBackend::createPlayer() {
    return std::make_unique<EffectSoundPlayer>(m_activity);
}

} // namespace platform::qtaudio

// The module's entry point, looked up by name when the program first needs a sound.
extern "C" Q_DECL_EXPORT platform::AudioBackend*
corvane_make_audio_backend() { // NOLINT(readability-identifier-naming)
    return new platform::qtaudio::QtAudioBackend();
}
