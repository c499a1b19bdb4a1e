#include "core/task_executor.h"

#include "core/app_title.h"
#include "core/log.h"
#include "core/notify_sound.h"
#include "core/trigger_number.h"
#include "core/web_address.h"

#include <exception>
#include <string_view>

namespace core {

namespace {

const std::string kFailureMessage =
    "Corvane was unable to execute the task you scheduled. See the Help for trouble shooting.";

} // namespace

TaskExecutor::TaskExecutor(AppState& state, platform::Services& services, MainWindowHooks hooks)
    : m_state(state), m_services(services), m_hooks(std::move(hooks)) {}

void TaskExecutor::checkTrigger() {
    if (m_running) {
        return;
    }
    const ScheduledTask& task = m_state.task();
    const Uptime& up = m_state.uptime();
    const double days = readTriggerNumber(task.daysText);
    const double hours = readTriggerNumber(task.hoursText);
    const double minutes = readTriggerNumber(task.minutesText);
    if (hours != up.hours || minutes != up.minutes || days != up.days) {
        return;
    }
    const std::optional<TaskKind> kind = taskKindOf(task.kind);
    if (!kind) {
        return; // no such kind: nothing happens and the record stays as it is
    }
    m_running = true;
    m_runningKind = task.kind;
    try {
        runTask(*kind);
    } catch (const std::exception& failure) {
        fail(failure.what());
    } catch (...) {
        fail("an unknown failure");
    }
}

void TaskExecutor::finish() {
    m_state.changeTask(disarmTask);
    m_running = false;
}

void TaskExecutor::fail(const std::string& reason) {
    // The box says that it failed; the log says why.
    logWarning("corvane.task", "the scheduled task " + m_runningKind + " failed: " + reason);
    m_services.messages->show(kFailureMessage, kAppTitle, platform::MessageIcon::Critical);
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

void TaskExecutor::runTask(TaskKind kind) {
    // The power service asks its own policy: no shutdown privilege of the process is needed.
    switch (kind) {
    case TaskKind::TurnOff:
        m_services.power->powerOff(whenAccepted([this] {
            m_state.setTriggerCheckRunning(false);
            m_hooks.stopRefresh();
            m_running = false;
            m_services.process->endImmediately();
        }));
        return;
    case TaskKind::LogOff:
        m_services.power->logOff(whenAccepted([this] { finish(); }));
        return;
    case TaskKind::Restart:
        m_services.power->reboot(whenAccepted([this] {
            finish();
            m_services.process->endImmediately();
        }));
        return;
    case TaskKind::Hibernate:
        hibernateComputer();
        return;
    case TaskKind::Alert:
        alert();
        finish();
        return;
    case TaskKind::RunProgram:
        m_services.launcher->runProgram(m_state.task().program);
        finish();
        return;
    case TaskKind::VisitWebsite:
        // An address left empty in its editor opens a new, blank browser window.
        if (const std::optional<std::string> address = webAddressToOpen(m_state.task().webAddress)) {
            m_services.launcher->openUrl(*address);
            finish();
        } else {
            fail("\"" + m_state.task().webAddress + "\" is no web address");
        }
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
            m_services.messages->show(answer.reason, kAppTitle, platform::MessageIcon::Exclamation);
            finish();
            return;
        }
    });
}

void TaskExecutor::alert() {
    if (m_state.task().playSound) {
        // Returns at once; the sound plays on while the box is up.
        startNotifySound(m_hooks.notificationPlayer(),
                         notifySoundPath(m_state.soundFolder(), m_services.folders->separator()));
        m_hooks.wait(kAlertSoundLead);
    }
    // A copy: the record may change while the box is up.
    const std::string message = m_state.task().message;
    m_services.messages->show(message, kAppTitle, platform::MessageIcon::Information);
}

} // namespace core
