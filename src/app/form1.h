#pragma once

#include "about/form4.h"
#include "common/accessibility.h"
#include "common/picture_button.h"
#include "common/scheduled_task.h"
#include "editors/task_editors.h"
#include "platform/services.h"
#include "scheduler/task_executor.h"
#include "settings/form2.h"
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
class Form5 final : public QWidget {
    Q_OBJECT

public:
    Form5() = default;
};

/// The main window: the up-time display, the tray icon and its menu, the slide into view.
class Form1 final : public QWidget {
    Q_OBJECT

public:
    explicit Form1(platform::Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    /// The instance check; ends the program silently when another copy runs from this folder.
    void Form_Initialize();
    /// The start-up sequence: placement, timers, tray icon, start date and time.
    void Form_Load();
    /// Closing the window: removes the tray icon and ends the program.
    void Form_Unload();

    void Timer1_Timer();
    /// The trigger check of the scheduled task.
    void Timer2_Timer();
    /// The task indicator: blinks while a task is scheduled.
    void Timer3_Timer();
    /// The hourly beep: the tone sweep at a full hour of up time other than 0:00, then disarms.
    void Timer4_Timer();
    /// The monitor figures in the caption.
    void Timer5_Timer();
    void Timer6_Timer();
    /// Samples processor 0's usage into lblcpusage.
    void cpuTimer6_Timer();
    void tmrmvdown_Timer();
    /// Sets the start date and time labels; returns the start instant (ms since the epoch).
    std::int64_t SystemStartTimeDate();

    void Image3_Click();
    void Image4_Click();
    /// Always on top or back in the normal band; stores Ontop. Does nothing on the design picture.
    void Image6_Click();
    /// Half transparent or opaque; stores tpme. Does nothing on the design picture.
    void Image10_Click();
    /// The start-up rule for the stored Ontop text: 1 on top, 0 normal, anything else nothing.
    void ApplyStoredOntop(const std::optional<QString>& stored);
    /// The start-up rule for the stored tpme text: 1 transparent, 0 opaque, anything else nothing.
    void ApplyStoredTpme(const std::optional<QString>& stored);
    void mn_Click();
    /// Menu "About": the About window, modeless.
    void about_Click();
    /// Menu "Options ": Form2 on its Options page, created when it is not open.
    void Options_Click();
    /// Menu "Schedule Task": Form2 on its Schedule Task page, created when it is not open.
    void shtask_Click();
    void close_Click();
    /// A mouse press on the window or a tray callback; x in twips carries the tray's mouse message.
    void Form_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
    /// A tray icon callback with the mouse message that happened over the icon (516: right press).
    void TrayCallback(int mouseMessage);

    /// The window's height in twips, caption and borders included, as the more/less rule reads it.
    float Height() const { return m_height; }
    void SetHeight(float twips);

    // Shared up-time values of the latest refresh.
    int UptimeDays = 0;
    int UptimeHours = 0;
    int UptimeMinutes = 0;
    QString lhhtxt;
    /// Option cache of the hourly beep: "hrbeepstatus" until the settings are read, then "1" or "0".
    QString hrbeepstatus = QStringLiteral("hrbeepstatus");
    /// Option cache of the memory and processor figures: "MemCpustat" until the settings are read.
    QString MemCpustat = QStringLiteral("MemCpustat");
    /// The processor text of the latest sample ("CPU 5%"), empty until the first.
    QString lblcpusage;
    /// The one scheduled task.
    ScheduledTask scheduledTask;
    /// The folder of the notification sound, filled at start-up.
    QString Label3 = QStringLiteral("Windri");

    // Display controls. The up time's labels lie in a group that reads as one phrase.
    PhraseGroup* uptimeDisplay = nullptr;
    QLabel* ldd = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* lhh = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lmm = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    /// The task indicator.
    QLabel* Image1 = nullptr;

    // Picture buttons; pictures of ImageList1 (Image3, Image6) and imglist2 (Image10).
    PictureButton* Image3 = nullptr;
    PictureButton* Image6 = nullptr;
    PictureButton* Image4 = nullptr;
    PictureButton* Image10 = nullptr;

    QTimer Timer1;
    QTimer Timer2;
    QTimer Timer3;
    QTimer Timer4;
    QTimer Timer5;
    QTimer Timer6;
    QTimer cpuTimer6;
    QTimer tmrmvdown;

    /// The popup menu shown from the tray icon and its items.
    struct MenuItems {
        QMenu* menu = nullptr;
        QAction* about = nullptr;
        QAction* upline = nullptr;
        QAction* Options = nullptr;
        QAction* shtask = nullptr;
        QAction* line = nullptr;
        QAction* mn = nullptr;
        QAction* close = nullptr;
    } menu;

    /// The options store; it switches Timer4, Timer5, the caption and the two caches.
    SettingsStore& settings() { return *m_settings; }
    QSystemTrayIcon* trayIcon() const { return m_tray; }
    /// The open Options and Schedule Task window, or null.
    Form2* form2() const { return m_form2; }
    /// The open About window, or null.
    Form4* form4() const { return m_form4; }
    /// The window's own player for the notification sound, made when first needed so the
    /// sound back end is not loaded at start-up.
    platform::SoundPlayer& MMC1();
    TaskExecutor& executor() { return *m_executor; }
    Form5* form5() const { return m_form5.get(); }
    /// The slide's current and end rows, in pixels.
    int currentRow() const { return m_currentRow; }
    int endRow() const { return m_endRow; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    /// The keyboard's menu key (or Shift+F10) opens the tray menu at the window.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildDisplay();
    void buildPictureButtons();
    void buildMenu();
    QLabel* makeLabel(const QString& text, int leftTwips, int topTwips, int widthTwips, int heightTwips,
                      const QColor& colour, double pointSize, bool underline = false,
                      Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool preshaped = false,
                      QWidget* parent = nullptr);
    double tppX() const { return m_twipsPerPixelX; }
    double tppY() const { return m_twipsPerPixelY; }
    void showMessage(const QString& text, platform::MessageIcon icon);
    /// The one-second timers in the order they tick within a second.
    std::array<QTimer*, 7> secondTimers();
    /// Restarts the running one-second timers together, so they all tick in one wake-up.
    void startSecondTimersInPhase();
    /// Within Timer1's tick: restarts a one-second timer started between two ticks.
    void keepSecondTimersInPhase();
    /// A figure that cannot be read: the message, no figures in the caption, no more samples.
    void monitorFailed();
    /// Moves Image6 by the given twips from where it is.
    void moveImage6(double rightTwips, double downTwips);
    /// The open Form2, or a new one, loaded.
    Form2& openForm2();
    /// What the task editors opened from the Schedule Task page touch.
    EditorContext editorContext();

    platform::Services& m_services;
    double m_twipsPerPixelX = 15.0;
    double m_twipsPerPixelY = 15.0;
    float m_height = 0.0f;
    int m_workAreaRight = 0;
    int m_workAreaBottom = 0;
    int m_currentRow = 0;
    int m_endRow = 0;
    double m_image3TopTwips = 656;
    double m_image6LeftTwips = 350;
    double m_image6TopTwips = 656;
    bool m_ending = false;
    /// The up time (in minutes) that the display's spoken phrase says.
    std::uint64_t m_spokenUptime = 0;
    /// The native window whose property notices were stopped for the caption.
    WId m_quietWindow = 0;
    QSystemTrayIcon* m_tray = nullptr;
    std::unique_ptr<Form5> m_form5;
    std::unique_ptr<SettingsStore> m_settings;
    /// Closing the window destroys it; the next menu choice makes it anew.
    QPointer<Form2> m_form2;
    QPointer<QComboBox> m_kindBox;
    /// Closing the About window destroys it.
    QPointer<Form4> m_form4;
    std::unique_ptr<platform::SoundPlayer> m_MMC1;
    std::unique_ptr<TaskExecutor> m_executor;
};
