#include "editors/task_editors.h"

#include "editors/form3.h"
#include "editors/form6.h"
#include "editors/form7.h"

#include <QApplication>
#include <QWindow>

namespace {

/// The open editor of a kind, as there is at most one of each. A closed one waiting to be
/// deleted does not count.
template <typename Editor> Editor* FindOpen() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* editor = qobject_cast<Editor*>(window);
        if (editor != nullptr && editor->isVisible()) {
            return editor;
        }
    }
    return nullptr;
}

template <typename Editor> EditorWindow* ShowEditor(Editor* editor, QWidget* owner) {
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

EditorWindow* OpenTaskEditor(const QString& kind, const EditorContext& context) {
    if (kind == QLatin1String("Alert")) {
        Form3* editor = FindOpen<Form3>();
        if (editor == nullptr) {
            editor = new Form3(context.services, context.task, context.windowsDirectory,
                               {context.form1, context.form2}, context.kindBox);
        }
        return ShowEditor(editor, context.form2);
    }
    if (kind == QLatin1String("Run Program")) {
        Form7* editor = FindOpen<Form7>();
        if (editor == nullptr) {
            editor =
                new Form7(context.services, context.task,
                          {context.form1, context.form2, FindOpen<Form3>(), context.form4}, context.kindBox);
        }
        return ShowEditor(editor, context.form2);
    }
    if (kind == QLatin1String("Visit Website")) {
        Form6* editor = FindOpen<Form6>();
        if (editor == nullptr) {
            editor =
                new Form6(context.services, context.task,
                          {context.form1, context.form2, FindOpen<Form3>(), context.form4, FindOpen<Form7>()},
                          context.kindBox);
        }
        return ShowEditor(editor, context.form2);
    }
    return nullptr;
}
