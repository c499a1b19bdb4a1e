#pragma once

#include "core/scheduled_task.h"
#include "core/stored_options.h"

#include <functional>
#include <map>
#include <string>

namespace core {

/// The up time of the latest refresh, as the trigger check and the hourly beep read it; all 0
/// until the first refresh.
struct Uptime {
    int days = 0;          ///< whole days, 0 to 31
    int hours = 0;         ///< 0 to 23 on the first day, then 1 to 24
    int minutes = 0;       ///< 0 to 59
    std::string hoursText; ///< the hours as plain decimal text, empty until the first refresh
};

/// What changed in AppState.
enum class Change {
    Uptime,
    OptionCaches,
    Task,
    SoundFolder,
    CpuText,
    Caption,
    TriggerCheck,
    HourlyBeep,
    Figures,
    /// The user cancelled the task from its warning (the task and the trigger check changed first).
    TaskCancelled,
};

/// What the windows share, owned in one place: the latest up time, the option caches, the one
/// scheduled task, the folder of the notification sound, the processor text and the main
/// window's caption, and whether the trigger check, the hourly beep and the figures run. A
/// window reads it and changes it through its setters; every reader subscribed hears of each
/// change, after it is made. Lives for the whole run; subscriptions must end before it does.
class AppState final {
public:
    using Reader = std::function<void(Change)>;

    /// A subscription; it ends when this object goes.
    class Subscription final {
    public:
        Subscription() = default;
        Subscription(AppState* state, int id) : m_state(state), m_id(id) {}
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        ~Subscription();
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;

    private:
        AppState* m_state = nullptr;
        int m_id = 0;
    };

    AppState() = default;
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    /// The reader hears of every change from now until the subscription ends. Readers hear in
    /// the order they subscribed; one may end its own or another's subscription meanwhile.
    [[nodiscard]] Subscription subscribe(Reader reader);

    const Uptime& uptime() const { return m_uptime; }
    void setUptime(Uptime uptime);

    /// The last text read of a switch option (hrbeep, ShowMemCpu): a placeholder that is no
    /// number until the settings are read, then what was read ("1", "0", or another number).
    const std::string& optionCache(StoredOption option) const;
    void setOptionCache(StoredOption option, std::string text);

    const ScheduledTask& task() const { return m_task; }
    /// Changes the task record in one step; readers hear once.
    void changeTask(const std::function<void(ScheduledTask&)>& change);

    /// The folder below which the notification sound lies, filled at start-up.
    const std::string& soundFolder() const { return m_soundFolder; }
    void setSoundFolder(std::string folder);

    /// The processor text of the latest sample ("CPU 5%"), empty until the first.
    const std::string& cpuText() const { return m_cpuText; }
    void setCpuText(std::string text);

    /// The main window's caption: the figures while they are shown, else empty.
    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);

    /// Whether the trigger check runs each second.
    bool triggerCheckRunning() const { return m_triggerCheck; }
    void setTriggerCheckRunning(bool running);
    /// Whether the hourly beep is armed (its timer runs).
    bool hourlyBeepArmed() const { return m_hourlyBeep; }
    void setHourlyBeepArmed(bool armed);
    /// Whether the figures in the caption are refreshed each second.
    bool figuresRunning() const { return m_figures; }
    void setFiguresRunning(bool running);
    /// Tells the readers that the user cancelled the task from its warning.
    void announceTaskCancelled() { tell(Change::TaskCancelled); }

private:
    void tell(Change change);
    void unsubscribe(int id);

    std::map<int, Reader> m_readers;
    int m_lastId = 0;

    Uptime m_uptime;
    std::string m_hourlyBeepCache = "hrbeepstatus";
    std::string m_figuresCache = "MemCpustat";
    std::string m_noCache;
    ScheduledTask m_task;
    std::string m_soundFolder = "Windri";
    std::string m_cpuText;
    std::string m_caption;
    // The hourly beep and the figures run from the start, as designed; the trigger check
    // starts with start-up.
    bool m_triggerCheck = false;
    bool m_hourlyBeep = true;
    bool m_figures = true;
};

} // namespace core
