#include "platform/linux/audio/qt_audio.h"

#include "platform/audio/tone_samples.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace platform::qtaudio {

namespace {

// Silence after the tone keeps the stream fed while the tone's last samples reach the device;
// the sink is stopped as soon as the tone itself has played, so the silence is never heard.
constexpr std::uint32_t kTrailingSilenceMs = 60;
// A tone that has not played this long after its own length means a hung device.
constexpr qint64 kWatchdogMs = 500;

} // namespace

ToneResult playToneOnSink(const QAudioDevice& device, std::uint32_t frequencyHz, std::uint32_t durationMs) {
    QAudioFormat format;
    const int preferredRate = device.preferredFormat().sampleRate();
    format.setSampleRate(preferredRate > 0 ? preferredRate : 48000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) {
        format.setChannelCount(std::max(1, device.preferredFormat().channelCount()));
        if (!device.isFormatSupported(format)) {
            return ToneResult::Failed;
        }
    }
    const std::vector<std::int16_t> mono = audio::toneSamples(
        frequencyHz, durationMs, static_cast<std::uint32_t>(format.sampleRate()), kTrailingSilenceMs);
    const int channels = format.channelCount();
    QByteArray bytes(static_cast<qsizetype>(mono.size() * channels * sizeof(std::int16_t)),
                     Qt::Uninitialized);
    auto* out = reinterpret_cast<std::int16_t*>(bytes.data());
    for (std::int16_t s : mono) {
        for (int c = 0; c < channels; ++c) {
            *out++ = s;
        }
    }

    // A fresh sink in push mode for every tone: a sink fed from a buffer, or one long stream,
    // loses short tones.
    QAudioSink sink(device, format);
    QIODevice* io = sink.start();
    if (io == nullptr || sink.error() != QAudio::NoError) {
        return ToneResult::Failed;
    }
    // PulseAudio starts a stream only once its buffer has been filled: more silence up to that.
    const qsizetype frameBytes = format.bytesPerFrame();
    const qsizetype fill = (sink.bufferSize() + frameBytes - 1) / frameBytes * frameBytes;
    if (bytes.size() < fill) {
        bytes.append(QByteArray(fill - bytes.size(), '\0'));
    }
    const qint64 toneUsecs = qint64{durationMs} * 1000;
    qint64 written = 0;
    QElapsedTimer elapsed;
    elapsed.start();
    while (true) {
        if (written < bytes.size()) {
            const qint64 n = io->write(bytes.constData() + written, bytes.size() - written);
            written += std::max<qint64>(n, 0);
        }
        if (sink.processedUSecs() >= toneUsecs) {
            break;
        }
        if (sink.state() == QAudio::StoppedState) {
            return ToneResult::Failed;
        }
        if (elapsed.elapsed() > qint64{durationMs} + kWatchdogMs) {
            sink.stop();
            return ToneResult::Hung;
        }
        QCoreApplication::processEvents();
        QThread::usleep(1000);
    }
    sink.stop();
    return ToneResult::Played;
}

} // namespace platform::qtaudio
