#pragma once

#include <QTimer>

#include <array>

/// The main window's one-second timers kept in one phase, so that all of them tick in one
/// wake-up, in the order the ticks need. MainWindow owns it beside the timers it names.
class SecondTimers final {
public:
    /// The timers in the order they tick within a second; the first is the up-time refresh.
    explicit SecondTimers(std::array<QTimer*, 7> timers);

    /// Restarts the running timers together, so they all tick in one wake-up.
    void startInPhase();
    /// Within the refresh's tick: restarts a timer started between two ticks.
    void keepInPhase();

private:
    std::array<QTimer*, 7> m_timers;
};
