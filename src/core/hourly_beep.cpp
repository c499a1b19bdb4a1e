#include "core/hourly_beep.h"

namespace core {

void playToneSweep(platform::ToneGenerator& tone) {
    for (std::uint32_t frequency = 500; frequency >= 300; frequency -= 10) {
        tone.beep(frequency, 50);
    }
}

} // namespace core
