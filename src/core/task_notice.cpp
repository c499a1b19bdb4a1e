#include "core/task_notice.h"

#include "core/trigger_moment.h"
#include "core/trigger_number.h"
#include "core/uptime.h"
#include "core/warning_option.h"

#include <cmath>
#include <exception>
#include <sstream>

namespace core {

namespace {

constexpr std::uint64_t kMinuteMs = 60'000;

/// A trigger number as the glance shows it: whole numbers in two digits, others as read.
std::string triggerNumberText(double value, bool padded) {
    if (value >= 0 && std::floor(value) == value) {
        const auto n = static_cast<std::uint64_t>(value);
        return padded ? twoDigits(n) : std::to_string(n);
    }
    std::ostringstream text;
    text << value;
    return text.str();
}

/// "2 h 05 min", "1 d 0 h 07 min", "5 min".
std::string timeLeftText(std::uint64_t minutes) {
    const std::uint64_t days = minutes / (std::uint64_t{24} * 60);
    const std::uint64_t hours = minutes / 60 % 24;
    const std::uint64_t rest = minutes % 60;
    if (days > 0) {
        return std::to_string(days) + " d " + std::to_string(hours) + " h " + twoDigits(rest) + " min";
    }
    if (hours > 0) {
        return std::to_string(hours) + " h " + twoDigits(rest) + " min";
    }
    return std::to_string(rest) + " min";
}

} // namespace

std::string glanceLine(const ScheduledTask& task, std::uint64_t tickMs) {
    const double days = readTriggerNumber(task.daysText);
    const double hours = readTriggerNumber(task.hoursText);
    const double minutes = readTriggerNumber(task.minutesText);
    std::string line = task.kind + " at up time " + triggerNumberText(days, false) + " d " +
                       triggerNumberText(hours, true) + ":" + triggerNumberText(minutes, true) + " (";
    const std::optional<std::uint64_t> trigger = triggerUptimeMinute(days, hours, minutes);
    const std::uint64_t minuteNow = tickMs / kMinuteMs;
    if (!trigger) {
        line += "never reached";
    } else if (*trigger < minuteNow) {
        line += "already passed";
    } else if (*trigger == minuteNow) {
        line += "now";
    } else {
        // Whole minutes, rounded up: "in 1 min" until the trigger minute begins.
        const std::uint64_t left = (*trigger * kMinuteMs - tickMs + kMinuteMs - 1) / kMinuteMs;
        line += "in " + timeLeftText(left);
    }
    return line + ")";
}

std::string trayTipText(const std::string& line) {
    if (line.empty()) {
        return kTrayTipTitle;
    }
    std::string tip = std::string(kTrayTipTitle) + "\n" + line;
    if (tip.size() > kTrayTipLimit) {
        std::size_t end = kTrayTipLimit;
        // Back to the first byte of a UTF-8 character.
        while (end > 0 && (static_cast<unsigned char>(tip[end]) & 0xC0U) == 0x80U) {
            --end;
        }
        tip.resize(end);
    }
    return tip;
}

std::optional<std::string> warningText(TaskKind kind, int secondsLeft) {
    const char* action = nullptr;
    switch (kind) {
    case TaskKind::TurnOff:
        action = "turn off";
        break;
    case TaskKind::LogOff:
        action = "log off";
        break;
    case TaskKind::Restart:
        action = "restart";
        break;
    case TaskKind::Hibernate:
        action = "hibernate";
        break;
    default:
        return std::nullopt;
    }
    return std::string("Corvane will ") + action + " the computer in " + std::to_string(secondsLeft) +
           (secondsLeft == 1 ? " second." : " seconds.");
}

TaskNotice::TaskNotice(AppState& state, platform::Services& services, TaskNoticeView& view)
    : m_state(state), m_services(services), m_view(view) {
    m_listening = m_state.subscribe([this](Change change) {
        if (change == Change::Uptime || change == Change::Task || change == Change::TriggerCheck) {
            follow();
        }
    });
}

bool TaskNotice::armed() const {
    return m_state.task().scheduled && m_state.triggerCheckRunning();
}

void TaskNotice::cancelTask() {
    if (!armed()) {
        return;
    }
    cancelSchedule(m_state);
    m_state.announceTaskCancelled();
}

void TaskNotice::withdraw() {
    if (m_warningShown) {
        m_warningShown = false;
        m_view.withdrawWarning();
    }
}

void TaskNotice::follow() {
    if (!armed()) {
        m_armedTask.clear();
        withdraw();
        if (!m_line.empty()) {
            m_line.clear();
            m_view.showTrayTip(kTrayTipTitle, m_line);
        }
        return;
    }
    std::uint64_t tick = 0;
    try {
        tick = m_services.clock->tickCount();
    } catch (const std::exception&) {
        return; // the refresh reports a clock that cannot be read
    }
    const ScheduledTask& task = m_state.task();
    const std::string armedTask =
        task.kind + '\n' + task.daysText + '\n' + task.hoursText + '\n' + task.minutesText;
    const bool replaced = armedTask != m_armedTask;
    if (replaced) {
        m_armedTask = armedTask;
        m_warned = false;
        withdraw();
    }
    if (replaced || tick / kMinuteMs != m_lineMinute) {
        m_lineMinute = tick / kMinuteMs;
        std::string line = glanceLine(task, tick);
        if (line != m_line) {
            m_line = std::move(line);
            m_view.showTrayTip(kTrayTipTitle, m_line);
        }
    }
    warnIfDue(tick);
}

void TaskNotice::warnIfDue(std::uint64_t tickMs) {
    if (m_warned) {
        return;
    }
    const ScheduledTask& task = m_state.task();
    const std::optional<TaskKind> kind = taskKindOf(task.kind);
    const std::optional<std::uint64_t> trigger =
        triggerUptimeMinute(task.daysText, task.hoursText, task.minutesText);
    if (!kind || !trigger || !warningText(*kind, 0)) {
        return;
    }
    const std::uint64_t start = *trigger * kMinuteMs;
    if (tickMs >= start || start - tickMs > kMinuteMs) {
        return;
    }
    m_warned = true;
    if (!readWarningOption(*m_services.registry)) {
        return;
    }
    const auto seconds = static_cast<int>((start - tickMs + 999) / 1000);
    m_warningShown = true;
    m_view.showWarning(*warningText(*kind, seconds));
}

} // namespace core
