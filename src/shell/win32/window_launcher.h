#pragma once

#include "core/app_state.h"
#include "core/settings_store.h"
#include "core/task_kind.h"
#include "core/timer.h"
#include "core/window_blocking.h"
#include "platform/services.h"
#include "shell/win32/program_windows.h"

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

namespace win32 {

class AboutWindow;
class OptionsWindow;
class TaskEditorWindow;

/// Opens the windows the main window leads to: the Options and Schedule Task window (and
/// through it the task editors) and the About window. Each is made on first use and kept while
/// it is open; a closed one is deleted from a message posted to the main window, never inside
/// its own handler. It also blocks and frees the windows as the editors and the About window
/// ask: a blocked window is disabled and refuses to close. The main window owns one.
class WindowLauncher final : public ProgramWindows, private core::WindowBlocker, private core::WindowCloser {
public:
    /// The message the launcher posts to the main window, which calls deleteClosed() for it.
    static constexpr UINT kDeleteClosedMessage = WM_APP + 2;

    /// The main window and what it owns that these windows touch; all outlive the launcher.
    WindowLauncher(HWND mainWindow, platform::Services& services, core::AppState& state,
                   core::SettingsStore& settings, core::TimerFactory& timers);
    /// Deletes the About window, then the editors, then the Options window.
    ~WindowLauncher() override;
    WindowLauncher(const WindowLauncher&) = delete;
    WindowLauncher& operator=(const WindowLauncher&) = delete;

    /// Menu "Options ": the Options window on its Options page, made when it is not open.
    void openOptions();
    /// Menu "Schedule Task": the same window on its Schedule Task page.
    void openScheduleTask();
    /// Deletes the windows that closed since the last call.
    void deleteClosed();

    // ProgramWindows
    void openAbout() override;
    void openTaskEditor(core::TaskKind kind, HWND owner) override;
    HWND find(core::Window window, bool createMissing) override;
    core::WindowBlocker& blocker() override { return *this; }
    core::EditorContext editorContext() override;
    void closed(core::Window window) override;

private:
    // core::WindowBlocker
    void block(core::Window window, core::Window blockedBy, bool createMissing) override;
    void free(core::Window window) override;
    // core::WindowCloser: a window closed so is forgotten and deleted soon after, as closed() does.
    bool isHidden(core::Window window) override;
    void close(core::Window window) override;

    /// The open Options window, or a new one, made but neither loaded nor shown.
    OptionsWindow& optionsWindow();
    /// The open editor of a kind, or a new one, loaded and hidden; null for a kind without one.
    TaskEditorWindow* taskEditor(core::TaskKind kind);
    /// Keeps a closed window until deleteClosed() and asks the main window for that call.
    void retire(std::shared_ptr<void> window);

    HWND m_mainWindow;
    platform::Services& m_services;
    core::AppState& m_state;
    core::SettingsStore& m_settings;
    core::TimerFactory& m_timers;
    std::unique_ptr<OptionsWindow> m_options;
    std::unique_ptr<AboutWindow> m_about;
    std::map<core::Window, std::unique_ptr<TaskEditorWindow>> m_editors;
    /// Closed windows of any type, each deleted as what it is.
    std::vector<std::shared_ptr<void>> m_closed;
};

/// Disables a window and makes it refuse to close until freeWindow; the child that had the
/// keyboard focus gets it back when the window is next active.
void blockWindow(HWND window);
/// Enables a window that blockWindow disabled.
void freeWindow(HWND window);

} // namespace win32
