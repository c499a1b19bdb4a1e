#include "app/second_timers.h"

SecondTimers::SecondTimers(std::array<QTimer*, 7> timers) : m_timers(timers) {
    for (QTimer* timer : m_timers) {
        timer->setInterval(1000);
    }
}

void SecondTimers::startInPhase() {
    // Qt keeps one-second timers on the half-second nearest to where they started: timers
    // started apart would wake the program twice a second for its whole life.
    for (QTimer* timer : m_timers) {
        if (timer->isActive()) {
            timer->start();
        }
    }
}

void SecondTimers::keepInPhase() {
    // Those in phase are due now or have just ticked; the others started between two ticks
    // (an Apply) and join from this tick on, at the cost of one tick later than they would.
    for (QTimer* timer : m_timers) {
        const int left = timer->remainingTime();
        if (timer != m_timers.front() && timer->isActive() && left > 100 && left < 900) {
            timer->start(1000);
        }
    }
}
