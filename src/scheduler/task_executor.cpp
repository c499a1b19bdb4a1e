#include "scheduler/task_executor.h"

#include "common/app_title.h"
#include "editors/notify_sound.h"
#include "scheduler/schedule.h"
#include "scheduler/trigger_number.h"

#include <QEventLoop>
#include <QLoggingCategory>

#include <exception>
#include <string_view>

Q_LOGGING_CATEGORY(lcTask, "corvane.task")

namespace {

const QString kFailureMessage = QStringLiteral(
    "Corvane was unable to execute the task you scheduled. See the Help for trouble shooting.");

constexpr std::string_view kEmptyPage = "about:blank";

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
    m_runningKind = record.kind;
    try {
        runTask(kind);
    } catch (const std::exception& failure) {
        fail(failure.what());
    } catch (...) {
        fail("an unknown failure");
    }
}

void TaskExecutor::finish() {
    disarmTask(m_window.record);
    m_running = false;
}

void TaskExecutor::fail(const std::string& reason) {
    // The box says that it failed; the log says why.
    qCWarning(lcTask).noquote() << "the scheduled task" << m_runningKind
                                << "failed:" << QString::fromStdString(reason);
    m_services.messages->show(kFailureMessage.toStdString(), kAppTitle.toStdString(),
                              platform::MessageIcon::Critical);
    finish();
}

platform::PowerAnswered TaskExecutor::whenAccepted(std::function<void()> then) {
    return [this, then = std::move(then)](const platform::PowerAnswer& answer) {
        if (answer.outcome == platform::PowerOutcome::Accepted) {
            then();
        } else {
            fail(answer.reason);
        }
    };
}

void TaskExecutor::runTask(int kind) {
    ScheduledTask& record = m_window.record;
    // Linux needs no shutdown privilege of the process: the power service asks its own policy.
    switch (kind) {
    case kTurnOff:
        m_services.power->powerOff(whenAccepted([this] {
            m_window.triggerTimer.stop();
            m_window.uptimeTimer.stop();
            m_running = false;
            m_services.process->endImmediately();
        }));
        return;
    case kLogOff:
        m_services.power->logOff(whenAccepted([this] { finish(); }));
        return;
    case kRestart:
        m_services.power->reboot(whenAccepted([this] {
            finish();
            m_services.process->endImmediately();
        }));
        return;
    case kHibernate:
        hibernateComputer();
        return;
    case kAlert:
        alert();
        finish();
        return;
    case kRunProgram:
        m_services.launcher->runProgram(record.program.toStdString());
        finish();
        return;
    case kVisitWebsite:
        // An address left empty in its editor opens the browser on an empty page, as a browser
        // told to go nowhere does.
        m_services.launcher->openUrl(record.webAddress.isEmpty() ? std::string(kEmptyPage)
                                                                 : record.webAddress.toStdString());
        finish();
        return;
    default:
        m_running = false;
        return;
    }
}

void TaskExecutor::hibernateComputer() {
    m_services.power->hibernate([this](const platform::PowerAnswer& answer) {
        switch (answer.outcome) {
        case platform::PowerOutcome::Accepted:
            finish();
            return;
        case platform::PowerOutcome::Refused:
            fail(answer.reason); // refused, not impossible: the failure message
            return;
        case platform::PowerOutcome::Unavailable:
            m_services.messages->show(answer.reason, kAppTitle.toStdString(),
                                      platform::MessageIcon::Exclamation);
            finish();
            return;
        }
    });
}

void TaskExecutor::alert() {
    const ScheduledTask& record = m_window.record;
    if (record.playSound == 1) {
        // Returns at once; the sound plays on while the box is up.
        startNotifySound(m_window.notificationPlayer(),
                         notifySoundPath(m_window.soundFolder, m_services.folders->separator()));
        m_wait(kAlertSoundLead);
    }
    m_services.messages->show(record.message.toStdString(), kAppTitle.toStdString(),
                              platform::MessageIcon::Information);
}
