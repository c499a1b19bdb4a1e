#pragma once

#include "core/timer.h"

#include <QTimer>

namespace qtshell {

/// The core's timers as QTimers of the window's thread.
class QtTimer final : public core::Timer {
public:
    QtTimer(std::chrono::milliseconds interval, std::function<void()> onTick,
            core::TimerAccuracy accuracy = core::TimerAccuracy::Coarse);

    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }
    int remainingMs() const override { return m_timer.remainingTime(); }
    std::chrono::milliseconds interval() const override { return m_timer.intervalAsDuration(); }

private:
    QTimer m_timer;
};

/// Makes QtTimers.
class QtTimerFactory final : public core::TimerFactory {
public:
    std::unique_ptr<core::Timer> makeTimer(std::chrono::milliseconds interval, std::function<void()> onTick,
                                           core::TimerAccuracy accuracy) override;
};

/// Waits the given time in a nested event loop: timers and window events go on meanwhile.
void waitWithEvents(std::chrono::milliseconds time);

} // namespace qtshell
