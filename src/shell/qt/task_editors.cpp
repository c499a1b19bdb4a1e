#include "shell/qt/task_editors.h"

#include "shell/qt/alert_editor.h"
#include "shell/qt/program_editor.h"
#include "shell/qt/web_address_editor.h"

#include <QApplication>
#include <QWindow>

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

EditorWindow* loadTaskEditor(const QString& kind, const core::EditorContext& context) {
    if (EditorWindow* open = findTaskEditor(kind)) {
        return open;
    }
    if (kind == QLatin1String("Alert")) {
        return new AlertEditor(context);
    }
    if (kind == QLatin1String("Run Program")) {
        return new ProgramEditor(context);
    }
    if (kind == QLatin1String("Visit Website")) {
        return new WebAddressEditor(context);
    }
    return nullptr;
}

EditorWindow* findTaskEditor(const QString& kind) {
    if (kind == QLatin1String("Alert")) {
        return findOpen<AlertEditor>();
    }
    if (kind == QLatin1String("Run Program")) {
        return findOpen<ProgramEditor>();
    }
    if (kind == QLatin1String("Visit Website")) {
        return findOpen<WebAddressEditor>();
    }
    return nullptr;
}

EditorWindow* openTaskEditor(const QString& kind, const core::EditorContext& context, QWidget* owner) {
    EditorWindow* editor = loadTaskEditor(kind, context);
    return editor == nullptr ? nullptr : showEditor(editor, owner);
}
