#pragma once

#include "core/task_editors.h"
#include "core/task_kind.h"
#include "core/window_blocking.h"

#include <windows.h>

namespace win32 {

/// How one window of the Windows shell reaches the others. The main window's launcher
/// implements it: it makes each window on first use, keeps it while it is open, and deletes a
/// closed one later (from a posted message, never inside that window's own handler).
class ProgramWindows {
public:
    virtual ~ProgramWindows() = default;
    /// The About window, modeless, made when it is not open, brought forward when it is.
    virtual void openAbout() = 0;
    /// The editor of a kind (Alert, Run Program, Visit Website) shown above owner without
    /// waiting for it; an open one comes forward as it stands. Nothing for other kinds.
    virtual void openTaskEditor(core::TaskKind kind, HWND owner) = 0;
    /// A window's handle, or null; with createMissing a missing one is made, loaded and hidden.
    virtual HWND find(core::Window window, bool createMissing) = 0;
    /// The windows' blocking, as the editors and the About window ask for it.
    virtual core::WindowBlocker& blocker() = 0;
    /// What the task editors touch beside their own window.
    virtual core::EditorContext editorContext() = 0;
    /// A window closed: the launcher forgets it and deletes it soon after.
    virtual void closed(core::Window window) = 0;
};

} // namespace win32
