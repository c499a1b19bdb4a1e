#pragma once

#include "core/timer.h"

#include <array>

namespace core {

/// The main window's one-second timers kept in one phase, so that all of them tick in one
/// wake-up, in the order the ticks need: the shell's timers keep the phase they were started
/// in (Qt keeps a coarse one-second timer on the half-second nearest to where it started), and
/// timers started apart would wake the program twice a second for its whole life.
class SecondTimers final {
public:
    /// The timers in the order they tick within a second; the first is the up-time refresh.
    explicit SecondTimers(std::array<Timer*, 7> timers) : m_timers(timers) {}

    /// Restarts the running timers together, so they all tick in one wake-up.
    void startInPhase();
    /// Within the refresh's tick: restarts a timer started between two ticks.
    void keepInPhase();

private:
    std::array<Timer*, 7> m_timers;
};

} // namespace core
