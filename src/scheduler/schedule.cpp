#include "scheduler/schedule.h"

void CancelSchedule(ScheduledTask& record, QTimer& Timer2) {
    record.Check1 = 0;
    Timer2.stop();
}

void DisarmTask(ScheduledTask& record) {
    record.Check1 = 0;
    record.hr.clear();
    record.mm.clear();
}

ScheduleStatus ScheduleStatusTexts(int Check1, const QString& kindText) {
    if (Check1 == 1) {
        return {QStringLiteral("Task Scheduled : Yes"), QStringLiteral("Task Name : ") + kindText};
    }
    return {QStringLiteral("Task Scheduled : No"), QStringLiteral("Task Name : Non")};
}
