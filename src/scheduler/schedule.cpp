#include "scheduler/schedule.h"

void cancelSchedule(ScheduledTask& record, QTimer& triggerTimer) {
    record.scheduled = 0;
    triggerTimer.stop();
}

void disarmTask(ScheduledTask& record) {
    record.scheduled = 0;
    record.hoursText.clear();
    record.minutesText.clear();
}

ScheduleStatus scheduleStatusTexts(int scheduled, const QString& kindText) {
    if (scheduled == 1) {
        return {QStringLiteral("Task Scheduled : Yes"), QStringLiteral("Task Name : ") + kindText};
    }
    return {QStringLiteral("Task Scheduled : No"), QStringLiteral("Task Name : Non")};
}
