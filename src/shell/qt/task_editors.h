#pragma once

// Opening the task editors from the Schedule Task page.
//
// The page's kind box calls openTaskEditor from pickKind with the kind just picked; the
// launcher of the windows fills the context (the services, the shared state, the blocker of
// the windows and the clearing of the kind box) and names the window the editor stays above.
// It returns at once. The editor writes its parameter into the task record when the user
// accepts it, and empties the kind box when the user leaves it without one.

#include "core/task_editors.h"
#include "core/task_kind.h"
#include "shell/qt/editor_window.h"

#include <QWidget>

namespace qtshell {

/// Shows the editor of a task kind without waiting for it: AlertEditor for an alert, ProgramEditor
/// for Run Program, WebAddressEditor for Visit Website, kept above owner. An editor that is already
/// open is brought to the front as it stands. Returns the editor shown, or nullptr for a kind
/// without one.
EditorWindow* openTaskEditor(core::TaskKind kind, const core::EditorContext& context, QWidget* owner);

/// The editor of a kind as openTaskEditor finds or makes it, loaded but not shown (a window
/// that blocks the editors makes a missing one this way). nullptr for a kind without one.
EditorWindow* loadTaskEditor(core::TaskKind kind, const core::EditorContext& context);

/// The open (shown or loaded) editor of a kind, or nullptr.
EditorWindow* findTaskEditor(core::TaskKind kind);

} // namespace qtshell
