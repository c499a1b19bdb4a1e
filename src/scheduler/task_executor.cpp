#include "scheduler/task_executor.h"

#include "common/app_title.h"
#include "editors/notify_sound.h"
#include "scheduler/schedule.h"
#include "scheduler/trigger_number.h"

#include <QEventLoop>
#include <QLoggingCategory>

#include <exception>

Q_LOGGING_CATEGORY(lcTask, "corvane.task")

namespace {

const QString kFailureMessage = QStringLiteral(
    "Corvane was unable to execute the task you scheduled. See the Help for trouble shooting.");

// Positions in TaskKinds().
enum Kind { kTurnOff, kLogOff, kRestart, kHibernate, kAlert, kRunProgram, kVisitWebsite };

} // namespace

void WaitWithEvents(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

TaskExecutor::TaskExecutor(MainWindow window, platform::Services& services)
    : m_window(std::move(window)), m_services(services), m_wait(WaitWithEvents) {}

void TaskExecutor::Timer2_Timer() {
    if (m_running) {
        return;
    }
    const ScheduledTask& record = m_window.record;
    const double D = ReadTriggerNumber(record.dd);
    const double H = ReadTriggerNumber(record.hr);
    const double M = ReadTriggerNumber(record.mm);
    if (H != m_window.UptimeHours || M != m_window.UptimeMinutes || D != m_window.UptimeDays) {
        return;
    }
    const int kind = static_cast<int>(TaskKinds().indexOf(record.task));
    if (kind < 0) {
        return; // no such kind: nothing happens and the record stays as it is
    }
    m_running = true;
    std::string reason;
    try {
        RunTask(kind);
    } catch (const std::exception& failure) {
        reason = failure.what();
    } catch (...) {
        reason = "an unknown failure";
    }
    if (!reason.empty()) {
        // The box says that it failed; the log says why.
        qCWarning(lcTask).noquote() << "the scheduled task" << record.task
                                    << "failed:" << QString::fromStdString(reason);
        m_services.messages->show(kFailureMessage, kAppTitle, platform::MessageIcon::Critical);
        DisarmTask(m_window.record);
    }
    m_running = false;
}

void TaskExecutor::RunTask(int kind) {
    ScheduledTask& record = m_window.record;
    // Linux needs no shutdown privilege of the process: the power service asks its own policy.
    switch (kind) {
    case kTurnOff:
        m_services.power->powerOff();
        m_window.Timer2.stop();
        m_window.Timer1.stop();
        m_services.process->endImmediately();
        return;
    case kLogOff:
        m_services.power->logOff();
        DisarmTask(record);
        return;
    case kRestart:
        m_services.power->reboot();
        DisarmTask(record);
        m_services.process->endImmediately();
        return;
    case kHibernate:
        HibernateComputer();
        DisarmTask(record);
        return;
    case kAlert:
        Alert();
        DisarmTask(record);
        return;
    case kRunProgram:
        m_services.launcher->runProgram(record.lblexe.toStdString());
        DisarmTask(record);
        return;
    case kVisitWebsite:
        m_services.launcher->openUrl(record.Label8.toStdString());
        DisarmTask(record);
        return;
    default:
        return;
    }
}

void TaskExecutor::HibernateComputer() {
    try {
        m_services.power->hibernate();
    } catch (const platform::PowerRefused&) {
        throw; // refused, not impossible: the failure message
    } catch (const std::exception& failure) {
        m_services.messages->show(QString::fromStdString(failure.what()), kAppTitle,
                                  platform::MessageIcon::Exclamation);
    }
}

void TaskExecutor::Alert() {
    const ScheduledTask& record = m_window.record;
    if (record.soundcheck == 1) {
        // Returns at once; the sound plays on while the box is up.
        StartNotifySound(m_window.MMC1(), NotifySoundPath(m_window.Label3, m_services.folders->separator()));
        m_wait(kAlertSoundLead);
    }
    m_services.messages->show(record.message, kAppTitle, platform::MessageIcon::Information);
}
