#include "platform/windows/windows_services.h"

namespace platform {

void WindowsToneGenerator::beep(std::uint32_t frequencyHz, std::uint32_t durationMs) {
    // Beep takes 37 to 32767 Hz; outside that, or without a sound device, the same time passes
    // in silence so a sweep keeps its rhythm.
    const ULONGLONG start = GetTickCount64();
    if (frequencyHz < 37 || frequencyHz > 32767 || !Beep(frequencyHz, durationMs)) {
        Sleep(durationMs);
        return;
    }
    // Wine's Beep returns at once: the caller relies on the tone's length.
    const ULONGLONG spent = GetTickCount64() - start;
    if (spent < durationMs) {
        Sleep(static_cast<DWORD>(durationMs - spent));
    }
}

} // namespace platform
