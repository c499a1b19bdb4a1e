#include "core/second_timers.h"

namespace core {

void SecondTimers::startInPhase() {
    for (Timer* timer : m_timers) {
        if (timer->isActive()) {
            timer->start();
        }
    }
}

void SecondTimers::keepInPhase() {
    // Those in phase are due now or have just ticked; the others started between two ticks
    // (an Apply) and join from this tick on, at the cost of one tick later than they would.
    for (Timer* timer : m_timers) {
        const int left = timer->remainingMs();
        if (timer != m_timers.front() && timer->isActive() && left > 100 && left < 900) {
            timer->start();
        }
    }
}

} // namespace core
