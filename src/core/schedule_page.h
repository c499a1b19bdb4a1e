#pragma once

#include "core/app_state.h"
#include "platform/services.h"

#include <functional>
#include <string>
#include <vector>

namespace core {

enum class TaskKind;

/// The three trigger boxes of the Schedule Task page.
enum class TriggerBox { Days, Hours, Minutes };

/// The Schedule Task page as its rules see it.
class SchedulePageView {
public:
    virtual ~SchedulePageView() = default;
    virtual bool isScheduledChecked() const = 0;
    virtual void setScheduledChecked(bool checked) = 0;
    virtual std::string triggerText(TriggerBox box) const = 0;
    virtual void setTriggerText(TriggerBox box, const std::string& text) = 0;
    /// The kind box's text.
    virtual std::string kindText() const = 0;
    /// Fills the kind box's list; its text stays the prompt.
    virtual void fillKinds(const std::vector<std::string>& kinds, const std::string& prompt) = 0;
    /// Shows a kind text as chosen: the item at index of the list given to fillKinds (-1: none).
    virtual void showKind(int index, const std::string& text) = 0;
    /// Empties the kind box: no item chosen, no text.
    virtual void clearKind() = 0;
    /// The first two panels of the window's status bar.
    virtual void showScheduleStatus(const std::string& scheduled, const std::string& name) = 0;
    /// When the three boxes' up time is reached on the clock (triggerClockText), for their tool
    /// tips and accessible descriptions; empty takes it away.
    virtual void showTriggerClock(const std::string& text) { (void)text; }
};

/// The Schedule Task page: its loading steps, the key filters of the kind box and the three
/// trigger boxes, the spin controls' steps, the choice of a kind and Apply. Only Apply writes the
/// task record.
class SchedulePage final {
public:
    /// Shows the editor of a kind with a parameter without waiting for it.
    using OpenEditor = std::function<void(TaskKind kind)>;
    /// The kind box's text until a kind is chosen.
    static constexpr const char* kKindPrompt = "Pick a Task";

    SchedulePage(SchedulePageView& view, platform::Services& services, AppState& state);

    void setOpenEditor(OpenEditor openEditor) { m_openEditor = std::move(openEditor); }

    // Steps of the window's loading, in the order the window calls them.
    /// Fills the kind box with the seven kinds; its text stays "Pick a Task".
    void fillKinds();
    /// Copies the record into the page when a task is scheduled; otherwise leaves the page as
    /// designed, the box unchecked.
    void copyTask();
    /// Panels 1 and 2 from the record's scheduled flag and the kind box's text.
    void showScheduleStatus();

    /// A kind picked from the list (by mouse or arrow keys): opens its editor or warns.
    void pickKind();
    /// Key filters: each gets every key pressed in its box, as the character code it types, and
    /// sets it to 0 to refuse it (with the refusal tone). A key that types no character
    /// (kNoCharacter: the arrows, Delete, Home, End) is not filtered: it does its work in the box.
    static constexpr int kNoCharacter = 0;
    void filterKindKey(int& keyAscii);
    void filterTriggerKey(TriggerBox box, int& keyAscii);
    /// Apply: checks the page and schedules, replaces or cancels the task.
    void apply();
    /// When the boxes' up time is reached on the clock, told to the view when it changes; the
    /// page calls it as a box's text changes, and it follows the up time's minutes by itself.
    void showTriggerClock();

    /// The largest number a box's spin control steps to.
    static int spinMaximum(TriggerBox box);
    /// One step of a spin control: from the box's whole number, or from the last number the
    /// control wrote when the box holds none; within 0 and the maximum.
    static int stepSpin(const std::string& boxText, int lastWritten, int delta, int maximum);

private:
    void refuse(int& keyAscii);
    void warnAndCancel(const std::string& text);

    SchedulePageView& m_view;
    platform::Services& m_services;
    AppState& m_state;
    OpenEditor m_openEditor;
    /// A Cancel from the warning unticks the box and shows the status; the up time's minutes
    /// refresh the trigger's clock time.
    AppState::Subscription m_listening;
    std::string m_triggerClock;
    int m_clockMinute = -1;
};

} // namespace core
