#pragma once

#include "app/monitor_caption.h"
#include "app/qt_timers.h"
#include "app/slide_in.h"
#include "app/tray_menu.h"
#include "app/uptime_display.h"
#include "app/window_buttons.h"
#include "app/window_launcher.h"
#include "core/app_state.h"
#include "core/second_timers.h"
#include "core/settings_store.h"
#include "core/task_executor.h"
#include "platform/services.h"
#include "settings/options_window.h"

#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>

/// The main window: it composes the up-time display, the picture buttons, the tray menu, the
/// slide into view and the figures in the caption, and owns the one-second timers that drive
/// them, the task record and the Options window. main() makes one; the tests make it on fakes.
class MainWindow final : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(platform::Services& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    /// The instance check; ends the program silently when another copy runs from this folder.
    void checkInstance();
    /// The start-up sequence: placement, timers, tray icon, start date and time. When the first
    /// run's settings wait for a lock another process holds, the window is shown and runs, and
    /// the stored options are read once they are stored or given up.
    void load();
    /// Closing the window: removes the tray icon and ends the program.
    void unload();

    /// The up-time refresh: the labels, the shared values, the hourly beep's arming, the limit.
    void refreshUptime();
    /// The trigger check of the scheduled task.
    void checkTrigger();
    /// The task indicator: blinks while a task is scheduled.
    void blinkIndicator();
    /// The hourly beep: the tone sweep at a full hour of up time other than 0:00, then disarms.
    void beepOnFullHour();
    /// The time of day in the display.
    void showTimeNow();
    /// Sets the start date and time labels; returns the start instant (ms since the epoch).
    std::int64_t showSystemStart();

    /// More or less information: the button's picture and place, the window's height, the clock.
    void toggleMoreInformation();
    void minimize();
    /// Menu "Minimize"/"Maximize": the window minimized or back, the item's text swapped.
    void toggleMinimized();
    /// Menu "About": the About window, modeless.
    void openAbout();
    /// Menu "Options ": OptionsWindow on its Options page, created when it is not open.
    void openOptions();
    /// Menu "Schedule Task": OptionsWindow on its Schedule Task page, created when it is not open.
    void openScheduleTask();
    void exitProgram();
    /// A mouse press on the window or a tray callback; x in twips carries the tray's mouse message.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
    /// A tray icon callback with the mouse message that happened over the icon (516: right press).
    void trayCallback(int mouseMessage);

    /// The window's height in twips, caption and borders included, as the more/less rule reads it.
    float heightTwips() const { return m_height; }
    void setHeightTwips(float twips);

    /// What the windows share: the latest up time, the option caches, the scheduled task, the
    /// sound folder, the figures; and whether the trigger check, the beep and the figures run.
    core::AppState& state() { return m_state; }
    const core::ScheduledTask& scheduledTask() const { return m_state.task(); }

    // The parts below are declared in the order they are built: each takes what comes before it.
private:
    platform::Services& m_services;
    core::AppState m_state;

public:
    QtTimer uptimeTimer;
    QtTimer triggerTimer;
    QtTimer indicatorTimer;
    QtTimer hourlyBeepTimer;
    QtTimer captionTimer;
    QtTimer clockTimer;
    QtTimer cpuSampleTimer;

private:
    double m_twipsPerPixelX = 15.0;
    double m_twipsPerPixelY = 15.0;

public:
    /// The figures in the caption, run by captionTimer and cpuSampleTimer.
    MonitorCaption caption;

private:
    std::unique_ptr<core::SettingsStore> m_settings;

public:
    /// The labels: up time, start date and time, the time now, the task indicator.
    UptimeDisplay display;
    /// More or less information, always on top, minimize, half transparent.
    WindowButtons buttons;
    /// The tray icon and its menu.
    TrayMenu menu;
    /// The slide into view at start-up.
    SlideIn slide;

private:
    core::SecondTimers m_secondTimers;

public:
    /// The options store; it writes the option caches and switches the beep and the figures.
    core::SettingsStore& settings() { return *m_settings; }
    QSystemTrayIcon* trayIcon() const { return menu.icon(); }
    /// The open Options and Schedule Task window, or null.
    OptionsWindow* optionsWindow() const { return windows.optionsWindow(); }
    /// The open About window, or null.
    AboutWindow* aboutWindow() const { return windows.aboutWindow(); }
    /// The window's own player for the notification sound, made when first needed so the
    /// sound back end is not loaded at start-up.
    platform::SoundPlayer& notificationPlayer();
    core::TaskExecutor& executor() { return *m_executor; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    /// The keyboard's menu key (or Shift+F10) opens the tray menu at the window.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    double tppX() const { return m_twipsPerPixelX; }
    double tppY() const { return m_twipsPerPixelY; }
    void showMessage(const QString& text, platform::MessageIcon icon);
    /// The rest of the start-up from the first reader of the stored options on.
    void loadStoredOptions();

    float m_height = 0.0f;
    int m_workAreaRight = 0;
    int m_workAreaBottom = 0;
    int m_workAreaTop = 0;
    bool m_ending = false;
    std::unique_ptr<platform::SoundPlayer> m_notificationPlayer;
    std::unique_ptr<core::TaskExecutor> m_executor;
    /// Keeps the timers and the caption in step with the shared state.
    core::AppState::Subscription m_mirror;

public:
    /// The Options and Schedule Task window and the About window, made on first use. Declared
    /// last, so that these windows go first when the main window goes.
    WindowLauncher windows;
};
