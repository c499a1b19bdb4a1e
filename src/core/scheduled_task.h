#pragma once

#include <string>

namespace core {

/// The one scheduled task. AppState holds it for the life of the process; it is never stored.
/// Texts are UTF-8.
struct ScheduledTask {
    bool scheduled = false;
    std::string daysText;            ///< trigger days, as typed
    std::string hoursText;           ///< trigger hours, as typed
    std::string minutesText;         ///< trigger minutes, as typed
    std::string kind = "task";       ///< the kind box's text at Apply (see taskKindOf)
    std::string message = "message"; ///< the alert text
    bool playSound = false;          ///< the alert plays the notification sound first
    std::string program = "lblexe";  ///< the program to run, with its arguments
    std::string webAddress = "URL";  ///< the web address to open
};

/// Marks the task as run: not scheduled, the hour and minute texts emptied, so the trigger
/// cannot match again. The days, the kind and the parameters stay.
void disarmTask(ScheduledTask& task);

class AppState;

/// Drops the scheduled task: not scheduled, and the trigger check stops. The trigger, the kind
/// and the parameters keep their values.
void cancelSchedule(AppState& state);

/// The texts of the status bar's first two panels for a scheduled flag and a kind text.
struct ScheduleStatus {
    std::string scheduled;
    std::string name;
};
ScheduleStatus scheduleStatusTexts(bool scheduled, const std::string& kindText);

} // namespace core
