#include "editors/task_editors.h"

#include "editors/alert_editor.h"
#include "editors/program_editor.h"
#include "editors/web_address_editor.h"

#include <QApplication>
#include <QWindow>

namespace {

/// The open editor of a kind, as there is at most one of each. A closed one waiting to be
/// deleted does not count.
template <typename Editor> Editor* findOpen() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* editor = qobject_cast<Editor*>(window);
        if (editor != nullptr && editor->isVisible()) {
            return editor;
        }
    }
    return nullptr;
}

template <typename Editor> EditorWindow* showEditor(Editor* editor, QWidget* owner) {
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

EditorWindow* openTaskEditor(const QString& kind, const EditorContext& context) {
    if (kind == QLatin1String("Alert")) {
        AlertEditor* editor = findOpen<AlertEditor>();
        if (editor == nullptr) {
            editor = new AlertEditor(context.services, context.task, context.soundFolder,
                                     {context.mainWindow, context.optionsWindow}, context.kindBox);
        }
        return showEditor(editor, context.optionsWindow);
    }
    if (kind == QLatin1String("Run Program")) {
        ProgramEditor* editor = findOpen<ProgramEditor>();
        if (editor == nullptr) {
            editor = new ProgramEditor(
                context.services, context.task,
                {context.mainWindow, context.optionsWindow, findOpen<AlertEditor>(), context.aboutWindow},
                context.kindBox);
        }
        return showEditor(editor, context.optionsWindow);
    }
    if (kind == QLatin1String("Visit Website")) {
        WebAddressEditor* editor = findOpen<WebAddressEditor>();
        if (editor == nullptr) {
            editor = new WebAddressEditor(context.services, context.task,
                                          {context.mainWindow, context.optionsWindow, findOpen<AlertEditor>(),
                                           context.aboutWindow, findOpen<ProgramEditor>()},
                                          context.kindBox);
        }
        return showEditor(editor, context.optionsWindow);
    }
    return nullptr;
}
