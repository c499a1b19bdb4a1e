#pragma once

#include "core/app_state.h"
#include "core/task_kind.h"
#include "platform/services.h"

#include <chrono>
#include <functional>
#include <string>

namespace core {

/// The trigger check and the seven actions, run on each tick of the main window's trigger
/// check. It compares the task in AppState with the latest up time there.
class TaskExecutor final {
public:
    /// A wait during which the windows stay responsive (the shell runs its events meanwhile).
    using Wait = std::function<void(std::chrono::milliseconds)>;
    /// What the executor needs of the main window.
    struct MainWindowHooks {
        /// The window's own player for the notification sound, made on first use.
        std::function<platform::SoundPlayer&()> notificationPlayer;
        /// Stops the up-time refresh (Turn Off stops it before the end).
        std::function<void()> stopRefresh;
        Wait wait;
    };

    /// How long the alert waits after starting the sound before its box opens.
    static constexpr std::chrono::milliseconds kAlertSoundLead{500};

    TaskExecutor(AppState& state, platform::Services& services, MainWindowHooks hooks);

    /// Compares the trigger with the latest up time and runs the task on a match. Ticks that
    /// arrive while an action is still in progress (the alert's wait and box run the shell's
    /// events; a power request waits for the system's answer) are ignored, so one trigger runs
    /// its task once.
    void checkTrigger();
    /// Puts the computer into hibernation; when the request cannot be made at all, shows why.
    void hibernateComputer();
    bool running() const { return m_running; }
    /// Replaces the alert's wait.
    void setWait(Wait wait) { m_hooks.wait = std::move(wait); }

private:
    void runTask(TaskKind kind);
    void alert();
    /// Ends the action in progress: the task is disarmed.
    void finish();
    /// Ends the action in progress as failed: the failure message, the reason in the log, and
    /// the task disarmed.
    void fail(const std::string& reason);
    /// Runs then() when the power request was accepted; otherwise fails with its reason.
    platform::PowerAnswered whenAccepted(std::function<void()> then);

    AppState& m_state;
    platform::Services& m_services;
    MainWindowHooks m_hooks;
    bool m_running = false;
    std::string m_runningKind; ///< the kind of the action in progress, for the log
};

} // namespace core
