#include "platform/linux/linux_services.h"

#include <chrono>
#include <thread>

namespace platform {

void LinuxToneGenerator::beep(std::uint32_t frequencyHz, std::uint32_t durationMs) {
    const auto start = std::chrono::steady_clock::now();
    AudioBackend* backend = m_audio->backend();
    if (backend != nullptr && backend->playTone(frequencyHz, durationMs)) {
        return;
    }
    // As the system's beep does without a speaker: the caller still waits the tone's time.
    std::this_thread::sleep_until(start + std::chrono::milliseconds(durationMs));
}

} // namespace platform
