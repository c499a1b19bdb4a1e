#pragma once

#include "common/scheduled_task.h"

#include <QString>
#include <QTimer>

/// Drops the scheduled task: the flag goes to 0 and the trigger check stops. The trigger,
/// kind and parameters keep their values.
void cancelSchedule(ScheduledTask& record, QTimer& triggerTimer);

/// Marks the task as run: the flag goes to 0 and the hour and minute texts are emptied, so the
/// trigger cannot match again. The days, the kind, the parameters and the trigger check stay.
void disarmTask(ScheduledTask& record);

/// The texts of the status bar's first two panels for a scheduled flag and the kind box's text.
struct ScheduleStatus {
    QString scheduled;
    QString name;
};
ScheduleStatus scheduleStatusTexts(int scheduled, const QString& kindText);
