#pragma once

#include "core/main_window_controller.h"
#include "core/main_window_view.h"
#include "platform/services.h"
#include "shell/qt/options_window.h"
#include "shell/qt/qt_timers.h"
#include "shell/qt/tray_menu.h"
#include "shell/qt/tray_notice.h"
#include "shell/qt/uptime_display.h"
#include "shell/qt/window_buttons.h"
#include "shell/qt/window_launcher.h"

#include <QSystemTrayIcon>
#include <QWidget>

#include <memory>

namespace qtshell {

/// The main window's parts, in the order they are built: a private base of the window, as a form
/// class of Qt Designer is. The window keeps them to itself; the tests find their controls by name.
struct MainWindowParts {
    MainWindowParts(QWidget& window, double twipsPerPixelX, double twipsPerPixelY)
        : display(&window, twipsPerPixelX, twipsPerPixelY), buttons(window, twipsPerPixelX, twipsPerPixelY),
          menu(&window) {}

    /// The labels: up time, start date and time, the time now, the task indicator.
    UptimeDisplay display;
    /// More or less information, always on top, minimize, half transparent.
    WindowButtons buttons;
    /// The tray icon and its menu.
    TrayMenu menu;
};

/// The main window of the Qt shell: the up-time display, the picture buttons, the tray menu,
/// drawn as the core's MainWindowController says, and the user's clicks handed to it. It owns
/// the controller and the windows the menu opens. main() makes one; the tests make it on fakes.
class MainWindow final : public QWidget, public core::MainWindowView, private MainWindowParts {
    Q_OBJECT

public:
    explicit MainWindow(platform::Services& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    /// The instance check; ends the program silently when another copy runs from this folder.
    void checkInstance() { m_core->checkInstance(); }
    /// The start-up sequence (the core's), in the window's colours.
    void load();
    /// Closing the window: removes the tray icon and ends the program.
    void unload() { m_core->unload(); }

    /// Menu "About": the About window, modeless.
    void openAbout();
    /// Menu "Options ": OptionsWindow on its Options page, created when it is not open.
    void openOptions();
    /// Menu "Schedule Task": OptionsWindow on its Schedule Task page, created when it is not open.
    void openScheduleTask();

    /// The rules the window follows: its timers, the user's actions and what the windows share.
    core::MainWindowController& core() { return *m_core; }
    QSystemTrayIcon* trayIcon() const { return menu.icon(); }
    /// The hidden window that the tray menu activates, or null before it is made.
    TrayMenuOwner* menuOwner() const { return menu.owner(); }
    /// The open Options and Schedule Task window, or null.
    OptionsWindow* optionsWindow() const { return m_windows->optionsWindow(); }
    /// The open About window, or null.
    AboutWindow* aboutWindow() const { return m_windows->aboutWindow(); }

    // core::MainWindowView
    void showDays(const std::string& text) override;
    void showHours(const std::string& text) override;
    void showMinutes(const std::string& text) override;
    void showSpokenUptime(const std::string& phrase) override;
    void showSeparators(bool shown) override;
    void showSystemStart(const std::string& date, const std::string& time) override;
    void showTimeNow(const std::string& time) override;
    void showTaskIndicator(bool shown) override;
    void showCaption(const std::string& caption) override;
    void placeWindow(int x, int y) override { move(x, y); }
    void showWindow() override { show(); }
    void showHeightTwips(float twips) override;
    void setMinimized(bool minimized) override;
    void setOnTop(bool onTop) override;
    void setOpacity(core::WindowOpacity opacity) override;
    void showMoreLessPicture(core::MoreLess offer) override;
    void moveMoreLessButton(double topTwips) override { buttons.moveMoreLess(topTwips); }
    void showOnTopPicture(core::ToggleLook look) override;
    void moveOnTopButton(double leftTwips, double topTwips) override {
        buttons.moveOnTop(leftTwips, topTwips);
    }
    void showTransparencyPicture(core::ToggleLook look) override;
    void showTrayIcon() override;
    void hideTrayIcon() override { menu.hideIcon(); }
    bool hasTray() const override { return menu.hasTray(); }
    void makeMenuOwner() override { menu.makeOwner(); }
    void activateMenuOwner() override { menu.activateOwner(); }
    bool menuShown() const override { return menu.menu->isVisible(); }
    void popUpMenu() override { menu.popUp(); }
    void setMinimizeItemText(const std::string& text) override;
    void showSettingsNotice(const std::string& text) override {
        menu.setNotice(QString::fromStdString(text));
    }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    /// The keyboard's menu key (or Shift+F10) opens the tray menu at the window.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    platform::Services& m_services;
    double m_tppX = 15.0;
    double m_tppY = 15.0;
    QtTimerFactory m_timerFactory;

    std::unique_ptr<core::MainWindowController> m_core;
    /// The native window whose property notices were stopped for the caption.
    WId m_quietWindow = 0;
    /// The Options and Schedule Task window and the About window, made on first use. Declared
    /// last, so that these windows go first when the main window goes.
    std::unique_ptr<WindowLauncher> m_windows;
    /// The armed task in the tray's tool tip and the warning before it.
    std::unique_ptr<TrayNotice> m_trayNotice;

public:
    TrayNotice& trayNotice() { return *m_trayNotice; }
};

} // namespace qtshell
