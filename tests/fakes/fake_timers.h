#pragma once

#include "core/timer.h"

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace fakes {

/// A timer that ticks only when the test fires it.
class FakeTimer final : public core::Timer {
public:
    FakeTimer(std::chrono::milliseconds every, std::function<void()> onTick, core::TimerAccuracy kind)
        : period(every), accuracy(kind), m_onTick(std::move(onTick)) {}

    void start() override {
        active = true;
        remaining = static_cast<int>(period.count());
        ++starts;
    }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    int remainingMs() const override { return active ? remaining : -1; }
    std::chrono::milliseconds interval() const override { return period; }

    /// One tick, as the shell would deliver it to a running timer; a stopped timer does not tick.
    void fire() {
        if (active) {
            remaining = static_cast<int>(period.count());
            m_onTick();
        }
    }

    std::chrono::milliseconds period;
    core::TimerAccuracy accuracy;
    bool active = false;
    /// Milliseconds to the next tick, as the test sets it.
    int remaining = 0;
    /// How often start() was called.
    int starts = 0;

private:
    std::function<void()> m_onTick;
};

/// Makes FakeTimers and keeps them, in the order they were made.
class FakeTimerFactory final : public core::TimerFactory {
public:
    std::unique_ptr<core::Timer> makeTimer(std::chrono::milliseconds interval, std::function<void()> onTick,
                                           core::TimerAccuracy accuracy) override {
        auto timer = std::make_unique<FakeTimer>(interval, std::move(onTick), accuracy);
        made.push_back(timer.get());
        return timer;
    }

    /// The fake behind a timer this factory made.
    static FakeTimer& fake(core::Timer& timer) { return static_cast<FakeTimer&>(timer); }

    std::vector<FakeTimer*> made;
};

} // namespace fakes
