#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace core {

/// A repeating timer of the window's thread, made by the shell: a QTimer in the Qt shell, a
/// window timer (SetTimer) in the Win32 shell, a timer fired by hand in the tests. Its ticks
/// arrive on the thread that made it, one at a time, never during another handler.
class Timer {
public:
    virtual ~Timer() = default;
    /// Starts the timer, or starts it afresh when it runs: the next tick is one interval away.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    /// Milliseconds until the next tick of a running timer.
    virtual int remainingMs() const = 0;
    virtual std::chrono::milliseconds interval() const = 0;
};

/// How exactly a timer keeps its interval.
enum class TimerAccuracy {
    /// The system may move a tick a little, so that timers of one interval wake the program
    /// together (the one-second timers).
    Coarse,
    /// Each tick as close to its time as the system can (the slide's 10 ms steps).
    Precise,
};

/// Makes timers; a shell implements it.
class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    /// A stopped timer that calls onTick at each tick once started.
    virtual std::unique_ptr<Timer> makeTimer(std::chrono::milliseconds interval, std::function<void()> onTick,
                                             TimerAccuracy accuracy = TimerAccuracy::Coarse) = 0;
};

} // namespace core
