#pragma once

// The task editors' windows (alert, program, web address) as the launcher of the windows sees
// them: each made loaded and hidden, shown above the window it was opened from.

#include "core/task_kind.h"
#include "core/window_blocking.h"
#include "shell/win32/dialog_window.h"
#include "shell/win32/program_windows.h"

#include <memory>

namespace win32 {

class TaskEditorWindow : public DialogWindow {
public:
    /// Shows the editor kept above owner (its owner window) and makes it the active window; an
    /// open one comes forward as it stands.
    virtual void showAbove(HWND owner) = 0;

protected:
    using DialogWindow::DialogWindow;
};

/// The editor of a kind, made, loaded and hidden; nullptr for a kind without an editor (or
/// when the system refuses the window).
std::unique_ptr<TaskEditorWindow> makeTaskEditor(core::TaskKind kind, ProgramWindows& windows);

} // namespace win32
