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

// Positions in taskKinds().
enum Kind { kTurnOff, kLogOff, kRestart, kHibernate, kAlert, kRunProgram, kVisitWebsite };

} // namespace

void waitWithEvents(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

TaskExecutor::TaskExecutor(MainWindowParts window, platform::Services& services)
    : m_window(std::move(window)), m_services(services), m_wait(waitWithEvents) {}

void TaskExecutor::checkTrigger() {
    if (m_running) {
        return;
    }
    const ScheduledTask& record = m_window.record;
    const double D = readTriggerNumber(record.daysText);
    const double H = readTriggerNumber(record.hoursText);
    const double M = readTriggerNumber(record.minutesText);
    if (H != m_window.uptimeHours || M != m_window.uptimeMinutes || D != m_window.uptimeDays) {
        return;
    }
    const int kind = static_cast<int>(taskKinds().indexOf(record.kind));
    if (kind < 0) {
        return; // no such kind: nothing happens and the record stays as it is
    }
    m_running = true;
    std::string reason;
    try {
        runTask(kind);
    } catch (const std::exception& failure) {
        reason = failure.what();
    } catch (...) {
        reason = "an unknown failure";
    }
    if (!reason.empty()) {
        // The box says that it failed; the log says why.
        qCWarning(lcTask).noquote() << "the scheduled task" << record.kind
                                    << "failed:" << QString::fromStdString(reason);
        m_services.messages->show(kFailureMessage, kAppTitle, platform::MessageIcon::Critical);
        disarmTask(m_window.record);
    }
    m_running = false;
}

void TaskExecutor::runTask(int kind) {
    ScheduledTask& record = m_window.record;
    // Linux needs no shutdown privilege of the process: the power service asks its own policy.
    switch (kind) {
    case kTurnOff:
        m_services.power->powerOff();
        m_window.triggerTimer.stop();
        m_window.uptimeTimer.stop();
        m_services.process->endImmediately();
        return;
    case kLogOff:
        m_services.power->logOff();
        disarmTask(record);
        return;
    case kRestart:
        m_services.power->reboot();
        disarmTask(record);
        m_services.process->endImmediately();
        return;
    case kHibernate:
        hibernateComputer();
        disarmTask(record);
        return;
    case kAlert:
        alert();
        disarmTask(record);
        return;
    case kRunProgram:
        m_services.launcher->runProgram(record.program.toStdString());
        disarmTask(record);
        return;
    case kVisitWebsite:
        m_services.launcher->openUrl(record.webAddress.toStdString());
        disarmTask(record);
        return;
    default:
        return;
    }
}

void TaskExecutor::hibernateComputer() {
    try {
        m_services.power->hibernate();
    } catch (const platform::PowerRefused&) {
        throw; // refused, not impossible: the failure message
    } catch (const std::exception& failure) {
        m_services.messages->show(QString::fromStdString(failure.what()), kAppTitle,
                                  platform::MessageIcon::Exclamation);
    }
}

void TaskExecutor::alert() {
    const ScheduledTask& record = m_window.record;
    if (record.playSound == 1) {
        // Returns at once; the sound plays on while the box is up.
        startNotifySound(m_window.notificationPlayer(),
                         notifySoundPath(m_window.soundFolder, m_services.folders->separator()));
        m_wait(kAlertSoundLead);
    }
    m_services.messages->show(record.message, kAppTitle, platform::MessageIcon::Information);
}
