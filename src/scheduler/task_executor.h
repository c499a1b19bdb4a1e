#pragma once

#include "common/scheduled_task.h"
#include "platform/services.h"

#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>

/// The trigger check and the seven actions, run on each tick of the main window's triggerTimer.
/// What it reads and acts on belongs to the main window, which owns the executor.
class TaskExecutor final {
public:
    /// The parts of the main window the executor uses.
    struct MainWindowParts {
        ScheduledTask& record;
        QTimer& uptimeTimer;
        QTimer& triggerTimer;
        const int& uptimeDays;
        const int& uptimeHours;
        const int& uptimeMinutes;
        const QString& soundFolder; ///< the folder of the notification sound
        std::function<platform::SoundPlayer&()>
            notificationPlayer; ///< the window's own player, made on first use
    };
    /// A wait during which the window stays responsive.
    using Wait = std::function<void(std::chrono::milliseconds)>;

    /// How long the alert waits after starting the sound before its box opens.
    static constexpr std::chrono::milliseconds kAlertSoundLead{500};

    TaskExecutor(MainWindowParts window, platform::Services& services);

    /// Compares the trigger with the latest up time and runs the task on a match. Ticks that
    /// arrive while an action is still in progress (the alert's wait and box run a nested event
    /// loop; a power request waits for the system's answer) are ignored, so one trigger runs its
    /// task once.
    void checkTrigger();
    /// Puts the computer into hibernation; when the request cannot be made at all, shows why.
    void hibernateComputer();
    bool running() const { return m_running; }
    /// Replaces the alert's wait.
    void setWait(Wait wait) { m_wait = std::move(wait); }

private:
    void runTask(int kind);
    void alert();
    /// Ends the action in progress: the task is disarmed.
    void finish();
    /// Ends the action in progress as failed: the failure message, the reason in the log, and
    /// the task disarmed.
    void fail(const std::string& reason);
    /// Runs then() when the power request was accepted; otherwise fails with its reason.
    platform::PowerAnswered whenAccepted(std::function<void()> then);

    MainWindowParts m_window;
    platform::Services& m_services;
    Wait m_wait;
    bool m_running = false;
    QString m_runningKind; ///< the kind of the action in progress, for the log
};

/// Waits the given time in a nested event loop: timers and window events go on meanwhile.
void waitWithEvents(std::chrono::milliseconds time);
