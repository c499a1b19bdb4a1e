#pragma once

#include "core/main_window_controller.h"
#include "shell/qt/status_notifier_watch.h"
#include "shell/qt/tray_menu_owner.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

#include <functional>
#include <memory>

namespace qtshell {

/// The tray icon and its popup menu (About, Options, Schedule Task, Minimize, Exit). MainWindow
/// owns it, connects the menu's items to its own handlers and hands the icon's mouse messages
/// to the core, which decides when the menu opens.
class TrayMenu final {
public:
    /// Builds the menu on window; the icon comes with showIcon.
    explicit TrayMenu(QWidget* window);
    ~TrayMenu();

    /// Makes the tray icon and shows it; each activation reaches onMouseMessage as the mouse
    /// message it stands for. On Wayland the icon waits for a panel's
    /// StatusNotifierItem host when none is there yet.
    void showIcon(std::function<void(core::TrayMouse message)> onMouseMessage);
    /// Removes the tray icon, if there is one.
    void hideIcon();
    /// The tray icon, or null before it is made.
    QSystemTrayIcon* icon() const { return m_icon; }
    /// Whether a tray shows the icon now.
    bool hasTray() const;
    /// Without a tray the window's tool tip says how to reach the menu; with one it has none.
    void updateNoTrayHint();
    /// The tray icon's tool tip, kept for an icon made later.
    void setTip(const QString& tip);
    /// A notice the tool tip shows before the hint; empty takes it away.
    void setNotice(const QString& notice);
    /// Makes the hidden window that the menu activates before it opens.
    void makeOwner();
    TrayMenuOwner* owner() const { return m_owner.get(); }
    /// Brings the hidden owner forward, once it is made.
    void activateOwner();
    /// Opens the menu at the mouse pointer.
    void popUp();

    QMenu* menu = nullptr;
    QAction* about = nullptr;
    QAction* aboutSeparator = nullptr;
    QAction* options = nullptr;
    QAction* scheduleTask = nullptr;
    QAction* exitSeparator = nullptr;
    QAction* minimize = nullptr;
    QAction* exit = nullptr;

private:
    void makeIcon();

    QWidget* m_window;
    QString m_notice;
    QString m_tip = QStringLiteral("Corvane 4.0");
    std::function<void(core::TrayMouse message)> m_onMouseMessage;
    QSystemTrayIcon* m_icon = nullptr;
    StatusNotifierWatch* m_hostWatch = nullptr;
    std::unique_ptr<TrayMenuOwner> m_owner;
};

} // namespace qtshell
