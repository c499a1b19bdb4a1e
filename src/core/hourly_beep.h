#pragma once

#include "platform/tone.h"

namespace core {

/// The falling sweep of the hourly beep: 21 tones of 50 ms from 500 down to 300 Hz. Returns
/// when the last tone has ended, about a second later.
void playToneSweep(platform::ToneGenerator& tone);

} // namespace core
