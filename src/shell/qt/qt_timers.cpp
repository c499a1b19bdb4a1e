#include "shell/qt/qt_timers.h"

#include <QEventLoop>

namespace qtshell {

QtTimer::QtTimer(std::chrono::milliseconds interval, std::function<void()> onTick,
                 core::TimerAccuracy accuracy) {
    m_timer.setInterval(interval);
    // Coarse is Qt's own choice for long intervals, which keeps one-second timers in one phase.
    m_timer.setTimerType(accuracy == core::TimerAccuracy::Precise ? Qt::PreciseTimer : Qt::CoarseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, std::move(onTick));
}

std::unique_ptr<core::Timer> QtTimerFactory::makeTimer(std::chrono::milliseconds interval,
                                                       std::function<void()> onTick,
                                                       core::TimerAccuracy accuracy) {
    return std::make_unique<QtTimer>(interval, std::move(onTick), accuracy);
}

void waitWithEvents(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace qtshell
