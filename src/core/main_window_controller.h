#pragma once

#include "core/app_state.h"
#include "core/design/main_window_design.h"
#include "core/main_window_view.h"
#include "core/second_timers.h"
#include "core/settings_store.h"
#include "core/settings_wait_notice.h"
#include "core/slide_in.h"
#include "core/task_executor.h"
#include "core/timer.h"
#include "core/window_appearance.h"
#include "platform/services.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace core {

/// A mouse message a tray icon reports; Other stands for the rest (a button released, a double
/// click of another button), which bring the menu's owner forward as every message does.
enum class TrayMouse { Move, LeftDown, LeftDoubleClick, RightDown, MiddleDown, Other };

/// Everything the main window decides: the start-up sequence and the instance check, the
/// up-time refresh and the 31-day end, the one-second timers in one phase, the trigger check,
/// the task indicator, the hourly beep, the time now, the figures in the caption, more or less
/// information, minimizing, the tray's mouse messages, the slide into view, and (through
/// WindowAppearance) on top and transparency. It owns what the windows share (AppState) and the
/// settings store. A shell's window implements MainWindowView and hands it the user's actions.
class MainWindowController final {
public:
    /// The view must outlive the controller; it is not called before load().
    MainWindowController(platform::Services& services, TimerFactory& timers, MainWindowView& view);
    ~MainWindowController();
    MainWindowController(const MainWindowController&) = delete;
    MainWindowController& operator=(const MainWindowController&) = delete;

    /// The instance check; ends the program silently when another copy runs from this folder.
    void checkInstance();
    /// The start-up sequence: placement, timers, tray icon, start date and time. When the first
    /// run's settings wait for a lock another process holds, the window is shown and runs, and
    /// the stored options are read once they are stored or given up.
    void load();
    /// Closing the window: removes the tray icon and ends the program.
    void unload();
    /// Menu "Exit Corvane": ends the program, the tray icon left to the system.
    void exitProgram();

    // The ticks of the one-second timers.
    void refreshUptime();
    void checkTrigger() { m_executor->checkTrigger(); }
    /// The task indicator blinks while a task is scheduled and stays shown otherwise.
    void blinkIndicator();
    /// The tone sweep at a full hour of up time other than 0:00, then the beep disarms.
    void beepOnFullHour();
    void showTimeNow();
    /// Samples processor 0's usage into the shared processor text.
    void sampleCpu();
    /// The figures in the caption: the memory read now and the latest processor text.
    void showFigures();
    /// The start date and time; returns the start instant (ms since the epoch).
    std::int64_t showSystemStart();

    // The user's actions.
    /// More or less information: the button's picture and place, the window's height, the clock.
    void toggleMoreInformation();
    void minimize();
    /// Menu "Minimize"/"Maximize": the window minimized or back, the item's text swapped.
    void toggleMinimized();
    /// A mouse message of the tray icon: the menu's owner comes forward; a right press opens the menu.
    void trayMouse(TrayMouse message);
    /// A press on the window's surface: the menu's owner comes forward; without a tray the right
    /// button opens the menu, which would be out of reach otherwise.
    void windowPressed(bool rightButton);
    void toggleOnTop() { m_appearance.toggleOnTop(); }
    void toggleTransparency() { m_appearance.toggleTransparency(); }

    /// The window's height in twips, caption and borders included, as the more/less rule reads it.
    float heightTwips() const { return m_height; }
    void setHeightTwips(float twips);

    AppState& state() { return m_state; }
    SettingsStore& settings() { return m_settings; }
    TaskExecutor& executor() { return *m_executor; }
    WindowAppearance& appearance() { return m_appearance; }
    SlideIn& slide() { return m_slide; }
    /// What the more/less button offers; nothing before start-up.
    std::optional<MoreLess> moreLessPicture() const { return m_moreLessPicture; }
    const std::string& minimizeItemText() const { return m_minimizeItemText; }

    Timer& uptimeTimer() { return *m_uptimeTimer; }
    Timer& triggerTimer() { return *m_triggerTimer; }
    Timer& indicatorTimer() { return *m_indicatorTimer; }
    Timer& hourlyBeepTimer() { return *m_hourlyBeepTimer; }
    Timer& captionTimer() { return *m_captionTimer; }
    Timer& clockTimer() { return *m_clockTimer; }
    Timer& cpuSampleTimer() { return *m_cpuSampleTimer; }

private:
    /// The rest of the start-up from the first reader of the stored options on.
    void loadStoredOptions();
    /// A figure that cannot be read: the message, no figures in the caption, no more samples.
    void figuresFailed();
    /// Shows the message and ends the program, once: the box lets further ticks run meanwhile.
    void endWithMessage(const std::string& message);

    platform::Services& m_services;
    MainWindowView& m_view;
    AppState m_state;
    SettingsStore m_settings;
    SettingsWaitNotice m_waitNotice;
    WindowAppearance m_appearance;
    SlideIn m_slide;
    std::unique_ptr<Timer> m_uptimeTimer;
    std::unique_ptr<Timer> m_triggerTimer;
    std::unique_ptr<Timer> m_indicatorTimer;
    std::unique_ptr<Timer> m_hourlyBeepTimer;
    std::unique_ptr<Timer> m_captionTimer;
    std::unique_ptr<Timer> m_clockTimer;
    std::unique_ptr<Timer> m_cpuSampleTimer;
    SecondTimers m_secondTimers;
    std::unique_ptr<platform::SoundPlayer> m_notificationPlayer;
    std::unique_ptr<TaskExecutor> m_executor;
    AppState::Subscription m_switches;
    /// Shared with a pending answer of the settings store, which must not reach a controller gone.
    std::shared_ptr<MainWindowController*> m_self;

    float m_height = 0.0f;
    std::optional<MoreLess> m_moreLessPicture;
    double m_moreLessTopTwips = design::main_window::kMoreLess.place.top;
    std::string m_minimizeItemText = "Minimize";
    bool m_separatorsShown = true;
    bool m_indicatorShown = true;
    /// The up time (in minutes) that the spoken phrase says.
    std::uint64_t m_spokenUptime = 0;
    bool m_ending = false;
};

} // namespace core
