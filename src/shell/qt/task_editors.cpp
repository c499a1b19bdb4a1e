#include "shell/qt/task_editors.h"

#include "shell/qt/alert_editor.h"
#include "shell/qt/program_editor.h"
#include "shell/qt/web_address_editor.h"

#include <QApplication>
#include <QWindow>

namespace qtshell {

namespace {

/// The open editor of a kind (shown, or loaded hidden), as there is at most one of each. A
/// closed one waiting to be deleted does not count.
template <typename Editor> Editor* findOpen() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* editor = qobject_cast<Editor*>(window);
        if (editor != nullptr && !editor->isClosed()) {
            return editor;
        }
    }
    return nullptr;
}

EditorWindow* showEditor(EditorWindow* editor, QWidget* owner) {
    if (owner != nullptr && owner->windowHandle() != nullptr) {
        // Kept above the window it was opened from, without being its child.
        editor->winId();
        editor->windowHandle()->setTransientParent(owner->windowHandle());
    }
    editor->show();
    editor->raise();
    editor->activateWindow();
    return editor;
}

} // namespace

EditorWindow* loadTaskEditor(core::TaskKind kind, const core::EditorContext& context) {
    if (EditorWindow* open = findTaskEditor(kind)) {
        return open;
    }
    switch (kind) {
    case core::TaskKind::Alert:
        return new AlertEditor(context);
    case core::TaskKind::RunProgram:
        return new ProgramEditor(context);
    case core::TaskKind::VisitWebsite:
        return new WebAddressEditor(context);
    default:
        return nullptr;
    }
}

EditorWindow* findTaskEditor(core::TaskKind kind) {
    switch (kind) {
    case core::TaskKind::Alert:
        return findOpen<AlertEditor>();
    case core::TaskKind::RunProgram:
        return findOpen<ProgramEditor>();
    case core::TaskKind::VisitWebsite:
        return findOpen<WebAddressEditor>();
    default:
        return nullptr;
    }
}

EditorWindow* openTaskEditor(core::TaskKind kind, const core::EditorContext& context, QWidget* owner) {
    EditorWindow* editor = loadTaskEditor(kind, context);
    return editor == nullptr ? nullptr : showEditor(editor, owner);
}

} // namespace qtshell
