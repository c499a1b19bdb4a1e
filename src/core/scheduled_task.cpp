#include "core/scheduled_task.h"

#include "core/app_state.h"

namespace core {

void disarmTask(ScheduledTask& task) {
    task.scheduled = false;
    task.hoursText.clear();
    task.minutesText.clear();
}

void cancelSchedule(AppState& state) {
    state.changeTask([](ScheduledTask& task) { task.scheduled = false; });
    state.setTriggerCheckRunning(false);
}

ScheduleStatus scheduleStatusTexts(bool scheduled, const std::string& kindText) {
    if (scheduled) {
        return {"Task Scheduled : Yes", "Task Name : " + kindText};
    }
    return {"Task Scheduled : No", "Task Name : Non"};
}

} // namespace core
