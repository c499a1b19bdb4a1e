#pragma once

#include "common/picture_button.h"
#include "common/scheduled_task.h"
#include "platform/services.h"
#include "scheduler/task_executor.h"
#include "settings/options_window.h"
#include "settings/settings_store.h"

#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

/// The hidden window that lends itself to the tray menu as the foreground window.
class TrayMenuOwner final : public QWidget {
    Q_OBJECT

public:
    TrayMenuOwner() = default;
};

/// The main window: the up-time display, the tray icon and its menu, the slide into view.
class MainWindow final : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(platform::Services& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    /// The instance check; ends the program silently when another copy runs from this folder.
    void checkInstance();
    /// The start-up sequence: placement, timers, tray icon, start date and time.
    void load();
    /// Closing the window: removes the tray icon and ends the program.
    void unload();

    void refreshUptime();
    /// The trigger check of the scheduled task.
    void checkTrigger();
    /// The task indicator: blinks while a task is scheduled.
    void blinkIndicator();
    /// The hourly beep: the tone sweep at a full hour of up time other than 0:00, then disarms.
    void beepOnFullHour();
    /// The monitor figures in the caption.
    void showFiguresInCaption();
    void showTimeNow();
    /// Samples processor 0's usage into cpuText.
    void sampleCpu();
    void slideStep();
    /// Sets the start date and time labels; returns the start instant (ms since the epoch).
    std::int64_t showSystemStart();

    void toggleMoreInformation();
    void minimize();
    /// Always on top or back in the normal band; stores Ontop. Does nothing on the design picture.
    void toggleOnTop();
    /// Half transparent or opaque; stores tpme. Does nothing on the design picture.
    void toggleTransparency();
    /// The start-up rule for the stored Ontop text: 1 on top, 0 normal, anything else nothing.
    void applyStoredOnTop(const std::optional<QString>& stored);
    /// The start-up rule for the stored tpme text: 1 transparent, 0 opaque, anything else nothing.
    void applyStoredTransparency(const std::optional<QString>& stored);
    void toggleMinimized();
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

    // Shared up-time values of the latest refresh.
    int uptimeDays = 0;
    int uptimeHours = 0;
    int uptimeMinutes = 0;
    QString hoursText;
    /// Option cache of the hourly beep: a placeholder text until the settings are read, then "1" or "0".
    QString hourlyBeepOption = QStringLiteral("hrbeepstatus");
    /// Option cache of the memory and processor figures: a placeholder text until the settings are read.
    QString figuresOption = QStringLiteral("MemCpustat");
    /// The processor text of the latest sample ("CPU 5%"), empty until the first.
    QString cpuText;
    /// The one scheduled task.
    ScheduledTask scheduledTask;
    /// The folder of the notification sound, filled at start-up.
    QString soundFolder = QStringLiteral("Windri");

    // Display controls.
    QLabel* daysLabel = nullptr;
    QLabel* daysSeparator = nullptr;
    QLabel* hoursLabel = nullptr;
    QLabel* hoursSeparator = nullptr;
    QLabel* minutesLabel = nullptr;
    QLabel* startupHeading = nullptr;
    QLabel* startDateCaption = nullptr;
    QLabel* startDateLabel = nullptr;
    QLabel* startTimeCaption = nullptr;
    QLabel* startTimeLabel = nullptr;
    QLabel* nowCaption = nullptr;
    QLabel* nowLabel = nullptr;
    /// The task indicator.
    QLabel* taskIndicator = nullptr;

    // Picture buttons; pictures of the more/less and on-top pictures (moreLessButton, onTopButton) and
    // transparencyPictures (transparencyButton).
    PictureButton* moreLessButton = nullptr;
    PictureButton* onTopButton = nullptr;
    PictureButton* minimizeButton = nullptr;
    PictureButton* transparencyButton = nullptr;

    QTimer uptimeTimer;
    QTimer triggerTimer;
    QTimer indicatorTimer;
    QTimer hourlyBeepTimer;
    QTimer captionTimer;
    QTimer clockTimer;
    QTimer cpuSampleTimer;
    QTimer slideTimer;

    /// The popup menu shown from the tray icon and its items.
    struct MenuItems {
        QMenu* menu = nullptr;
        QAction* about = nullptr;
        QAction* aboutSeparator = nullptr;
        QAction* options = nullptr;
        QAction* scheduleTask = nullptr;
        QAction* exitSeparator = nullptr;
        QAction* minimize = nullptr;
        QAction* exit = nullptr;
    } menu;

    /// The options store; it switches hourlyBeepTimer, captionTimer, the caption and the two caches.
    SettingsStore& settings() { return *m_settings; }
    QSystemTrayIcon* trayIcon() const { return m_tray; }
    /// The open Options and Schedule Task window, or null.
    OptionsWindow* optionsWindow() const { return m_optionsWindow; }
    /// The window's own player for the notification sound, made when first needed so the
    /// sound back end is not loaded at start-up.
    platform::SoundPlayer& notificationPlayer();
    TaskExecutor& executor() { return *m_executor; }
    TrayMenuOwner* trayMenuOwner() const { return m_trayMenuOwner.get(); }
    /// The slide's current and end rows, in pixels.
    int currentRow() const { return m_currentRow; }
    int endRow() const { return m_endRow; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildDisplay();
    void buildPictureButtons();
    void buildMenu();
    QLabel* makeLabel(const QString& text, int leftTwips, int topTwips, int widthTwips, int heightTwips,
                      const QColor& colour, double pointSize, bool underline = false,
                      Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool preshaped = false);
    double tppX() const { return m_twipsPerPixelX; }
    double tppY() const { return m_twipsPerPixelY; }
    void showMessage(const QString& text, platform::MessageIcon icon);
    /// The one-second timers in the order they tick within a second.
    std::array<QTimer*, 7> secondTimers();
    /// Restarts the running one-second timers together, so they all tick in one wake-up.
    void startSecondTimersInPhase();
    /// Within uptimeTimer's tick: restarts a one-second timer started between two ticks.
    void keepSecondTimersInPhase();
    /// A figure that cannot be read: the message, no figures in the caption, no more samples.
    void monitorFailed();
    /// Moves onTopButton by the given twips from where it is.
    void moveOnTopButton(double rightTwips, double downTwips);
    /// The open OptionsWindow, or a new one, loaded.
    OptionsWindow& openOptionsWindow();

    platform::Services& m_services;
    double m_twipsPerPixelX = 15.0;
    double m_twipsPerPixelY = 15.0;
    float m_height = 0.0f;
    int m_workAreaRight = 0;
    int m_workAreaBottom = 0;
    int m_currentRow = 0;
    int m_endRow = 0;
    double m_moreLessTopTwips = 656;
    double m_onTopLeftTwips = 350;
    double m_onTopTopTwips = 656;
    bool m_ending = false;
    /// The native window whose property notices were stopped for the caption.
    WId m_quietWindow = 0;
    QSystemTrayIcon* m_tray = nullptr;
    std::unique_ptr<TrayMenuOwner> m_trayMenuOwner;
    std::unique_ptr<SettingsStore> m_settings;
    /// Closing the window destroys it; the next menu choice makes it anew.
    QPointer<OptionsWindow> m_optionsWindow;
    std::unique_ptr<platform::SoundPlayer> m_notificationPlayer;
    std::unique_ptr<TaskExecutor> m_executor;
};
