#pragma once

#include "core/app_state.h"
#include "core/task_kind.h"
#include "core/task_notice_view.h"
#include "platform/services.h"

#include <cstdint>
#include <optional>
#include <string>

namespace core {

/// The tray tip's title; the tip holds only this while no task is armed.
inline constexpr const char* kTrayTipTitle = "Corvane 4.0";
/// The most characters a tray tip holds (the Windows tray's limit, its closing NUL not counted).
inline constexpr std::size_t kTrayTipLimit = 127;

/// The armed task at a glance: "Turn Off Computer at up time 3 d 04:10 (in 2 h 05 min)"; the
/// parenthesis says "now" in the trigger minute, "already passed" after it and "never reached"
/// for a trigger the up time never shows.
std::string glanceLine(const ScheduledTask& task, std::uint64_t tickMs);

/// The tip as one text: the title, and the line on a second line, cut to kTrayTipLimit bytes
/// without splitting a character.
std::string trayTipText(const std::string& line);

/// The warning for a kind with seconds left ("Corvane will turn off the computer in 60 seconds.");
/// nothing for the kinds that get no warning (Alert, Run Program, Visit Website).
std::optional<std::string> warningText(TaskKind kind, int secondsLeft);

/// Keeps the tray tip and the warning in step with the armed task. It follows the shared state:
/// the task, the trigger check and the up-time refresh (once a second, from the main window's
/// one-second timers); the tip changes at most once a minute. The warning comes 60 seconds
/// before the trigger minute (at once, with the seconds left, when the task is armed later than
/// that) when the option is on (readWarningOption), once per arming.
class TaskNotice final {
public:
    /// The view must outlive this object; the state too.
    TaskNotice(AppState& state, platform::Services& services, TaskNoticeView& view);

    /// The user's Cancel in the warning: the task is disarmed as clearing "Enable / Disable
    /// Schedule Task" and Apply would (not scheduled, the trigger check stopped), and an open
    /// Schedule Task page hears of it. Nothing when no task is armed.
    void cancelTask();
    /// The warning went without Cancel (closed, timed out): it is not shown again for this task.
    void warningClosed() { m_warningShown = false; }

    const std::string& tipLine() const { return m_line; }
    bool warningShown() const { return m_warningShown; }

private:
    void follow();
    bool armed() const;
    void withdraw();
    void warnIfDue(std::uint64_t tickMs);

    AppState& m_state;
    platform::Services& m_services;
    TaskNoticeView& m_view;
    AppState::Subscription m_listening;
    /// The armed task's kind and trigger as one text; empty while none is armed.
    std::string m_armedTask;
    std::string m_line;
    std::uint64_t m_lineMinute = 0;
    bool m_warned = false;
    bool m_warningShown = false;
};

} // namespace core
