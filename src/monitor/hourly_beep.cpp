#include "monitor/hourly_beep.h"

void playToneSweep(platform::ToneGenerator& tone) {
    for (std::uint32_t frequency = 500; frequency >= 300; frequency -= 10) {
        tone.beep(frequency, 50);
    }
}
