#include "core/schedule_page.h"

#include "core/app_state.h"
#include "core/app_title.h"
#include "core/stored_options.h"
#include "core/task_kind.h"
#include "core/trigger_moment.h"
#include "core/trigger_number.h"

#include <algorithm>
#include <optional>

namespace core {

namespace {

const std::string kHibernateWarning = "Please make sure you have enabled 'Hibernation' in Power option. "
                                      "Otherwise the system may go on a Standby.";
const std::string kSelectTask = "Please Select a Task to Schedule.";
const std::string kSpecifyTime = "Please specify Time.";
const std::string kInvalidTime = "Invalid Time specified. Following are the valid # : Days - Max 31 "
                                 ",Hours - Max 24 ,Minutes - Max 59. ";
const std::string kNotEnabled =
    "Schedule Task is not enabled. To enable check the 'Schedule Task' Check Box .";

constexpr int kBackspace = 8;
constexpr int kPoint = 46;
constexpr int kSlash = 47;
constexpr int kColon = 58;

} // namespace

SchedulePage::SchedulePage(SchedulePageView& view, platform::Services& services, AppState& state)
    : m_view(view), m_services(services), m_state(state) {
    m_listening = m_state.subscribe([this](Change change) {
        if (change == Change::TaskCancelled) {
            m_view.setScheduledChecked(false);
            showScheduleStatus();
        } else if (change == Change::Uptime && m_state.uptime().minutes != m_clockMinute) {
            m_clockMinute = m_state.uptime().minutes;
            showTriggerClock();
        }
    });
}

void SchedulePage::showTriggerClock() {
    std::string text =
        triggerClockText(m_view.triggerText(TriggerBox::Days), m_view.triggerText(TriggerBox::Hours),
                         m_view.triggerText(TriggerBox::Minutes), *m_services.clock);
    if (text != m_triggerClock) {
        m_triggerClock = std::move(text);
        m_view.showTriggerClock(m_triggerClock);
    }
}

int SchedulePage::spinMaximum(TriggerBox box) {
    switch (box) {
    case TriggerBox::Days:
        return 31;
    case TriggerBox::Hours:
        return 24;
    case TriggerBox::Minutes:
        break;
    }
    return 59;
}

int SchedulePage::stepSpin(const std::string& boxText, int lastWritten, int delta, int maximum) {
    // The box's number is read the way a whole number is: blanks around it and a sign allowed.
    const std::optional<long long> typed = wholeNumber(boxText);
    const long long from = typed ? std::clamp<long long>(*typed, -1, maximum + 1) : lastWritten;
    return static_cast<int>(std::clamp<long long>(from + delta, 0, maximum));
}

void SchedulePage::refuse(int& keyAscii) {
    keyAscii = 0;
    if (m_services.tone) {
        m_services.tone->beep(10000, 3);
    }
}

void SchedulePage::filterKindKey(int& keyAscii) {
    if (keyAscii >= 1) {
        refuse(keyAscii);
    }
}

void SchedulePage::filterTriggerKey(TriggerBox box, int& keyAscii) {
    if (keyAscii == kNoCharacter) {
        return;
    }
    // Backspace and ". / 0-9 :"; the minutes take no "/".
    const bool accepted = keyAscii == kBackspace || (keyAscii >= kPoint && keyAscii <= kColon);
    if (!accepted || (box == TriggerBox::Minutes && keyAscii == kSlash)) {
        refuse(keyAscii);
    }
}

void SchedulePage::fillKinds() {
    std::vector<std::string> texts;
    texts.reserve(std::size(kTaskKinds));
    for (TaskKind kind : kTaskKinds) {
        texts.emplace_back(taskKindText(kind));
    }
    m_view.fillKinds(texts, kKindPrompt);
}

void SchedulePage::copyTask() {
    const ScheduledTask& task = m_state.task();
    if (task.scheduled) {
        m_view.setScheduledChecked(true);
        m_view.setTriggerText(TriggerBox::Hours, task.hoursText);
        m_view.setTriggerText(TriggerBox::Minutes, task.minutesText);
        m_view.setTriggerText(TriggerBox::Days, task.daysText);
        const std::optional<TaskKind> kind = taskKindOf(task.kind);
        m_view.showKind(kind ? static_cast<int>(*kind) : -1, task.kind);
    } else {
        m_view.setScheduledChecked(false);
    }
}

void SchedulePage::showScheduleStatus() {
    const ScheduleStatus status = scheduleStatusTexts(m_state.task().scheduled, m_view.kindText());
    m_view.showScheduleStatus(status.scheduled, status.name);
}

void SchedulePage::pickKind() {
    const std::optional<TaskKind> kind = taskKindOf(m_view.kindText());
    if (!kind) {
        return;
    }
    switch (*kind) {
    case TaskKind::Alert:
    case TaskKind::RunProgram:
    case TaskKind::VisitWebsite:
        if (m_openEditor) {
            m_openEditor(*kind);
        }
        break;
    case TaskKind::Hibernate:
        m_services.messages->show(kHibernateWarning, kAppTitle, platform::MessageIcon::Exclamation);
        break;
    default:
        break; // the shutdown kinds need nothing
    }
}

void SchedulePage::warnAndCancel(const std::string& text) {
    m_services.messages->show(text, kAppTitle, platform::MessageIcon::Exclamation);
    cancelSchedule(m_state);
}

void SchedulePage::apply() {
    const bool enabled = m_view.isScheduledChecked();
    const std::optional<TaskKind> kind = taskKindOf(m_view.kindText());
    const std::string daysText = m_view.triggerText(TriggerBox::Days);
    const std::string hoursText = m_view.triggerText(TriggerBox::Hours);
    const std::string minutesText = m_view.triggerText(TriggerBox::Minutes);
    const double hours = readTriggerNumber(hoursText);
    const double minutes = readTriggerNumber(minutesText);
    const double days = readTriggerNumber(daysText);
    // The prompt, or an empty text left by an editor, is no task: scheduling it would show
    // "Task Scheduled : Yes" for a task that can never run.
    if (enabled && !kind) {
        warnAndCancel(kSelectTask);
    } else if (hours == 0 && minutes == 0 && days == 0) {
        warnAndCancel(kSpecifyTime);
    } else if (minutes > 59 || hours > 24 || days > 31) {
        warnAndCancel(kInvalidTime);
    } else if (!enabled) {
        warnAndCancel(kNotEnabled);
    } else {
        m_state.changeTask([&](ScheduledTask& task) {
            task.scheduled = true;
            task.hoursText = hoursText;
            task.minutesText = minutesText;
            task.daysText = daysText;
            task.kind = taskKindText(*kind);
        });
        m_state.setTriggerCheckRunning(true);
    }
    showScheduleStatus();
}

} // namespace core
