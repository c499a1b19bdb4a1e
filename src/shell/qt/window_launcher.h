#pragma once

#include "core/app_state.h"
#include "core/settings_store.h"
#include "core/task_editors.h"
#include "platform/services.h"
#include "shell/qt/about_window.h"
#include "shell/qt/options_window.h"
#include "shell/qt/qt_timers.h"
#include "shell/qt/task_editors.h"
#include "shell/qt/window_blocking.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace qtshell {

class SchedulePage;

/// Opens the windows that the main window leads to: the Options and Schedule Task window with
/// its Schedule Task page (and through it the task editors), and the About window. Each is made
/// on first use and kept while it is open. It also finds the windows that the editors and the
/// About window block. MainWindow owns one for its menu's handlers.
class WindowLauncher final {
public:
    /// The main window and what it owns that these windows touch; all outlive the launcher.
    WindowLauncher(QWidget& mainWindow, platform::Services& services, core::SettingsStore& settings,
                   core::AppState& state);
    /// Deletes the About window, then the Options window.
    ~WindowLauncher();
    WindowLauncher(const WindowLauncher&) = delete;
    WindowLauncher& operator=(const WindowLauncher&) = delete;

    /// The open Options and Schedule Task window, or a new one, loaded.
    OptionsWindow& openOptionsWindow();
    /// The About window, modeless, made when it is not open.
    void openAbout();

    /// The open Options and Schedule Task window, or null.
    OptionsWindow* optionsWindow() const { return m_optionsWindow; }
    /// The open About window, or null.
    AboutWindow* aboutWindow() const { return m_aboutWindow; }

private:
    /// What the task editors opened from the Schedule Task page touch.
    core::EditorContext editorContext();

    QWidget& m_mainWindow;
    platform::Services& m_services;
    core::SettingsStore& m_settings;
    core::AppState& m_state;
    /// The timers of the windows it opens.
    QtTimerFactory m_timers;
    /// The windows the editors and the About window block, found when they block them.
    QtWindowBlocker m_blocker;
    /// Closing the window destroys it; the next menu choice makes it anew.
    QPointer<OptionsWindow> m_optionsWindow;
    /// The same window as a plain widget, for blocking: it may be freed while it is being
    /// destroyed (an alert editor loaded hidden for it closes then).
    QPointer<QWidget> m_optionsWidget;
    QPointer<SchedulePage> m_schedulePage;
    /// Closing the About window destroys it.
    QPointer<AboutWindow> m_aboutWindow;
};

} // namespace qtshell
