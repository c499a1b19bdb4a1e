#include "editors/task_editors.h"

#include "editors/form3.h"
#include "editors/form6.h"
#include "editors/form7.h"

#include <QApplication>
#include <QWindow>

namespace {

/// The open editor of a kind (shown, or loaded hidden), as there is at most one of each. A
/// closed one waiting to be deleted does not count.
template <typename Editor> Editor* FindOpen() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* editor = qobject_cast<Editor*>(window);
        if (editor != nullptr && !editor->isClosed()) {
            return editor;
        }
    }
    return nullptr;
}

EditorWindow* ShowEditor(EditorWindow* editor, QWidget* owner) {
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

EditorWindow* LoadTaskEditor(const QString& kind, const EditorContext& context) {
    if (EditorWindow* open = FindTaskEditor(kind)) {
        return open;
    }
    if (kind == QLatin1String("Alert")) {
        return new Form3(context.services, context.task, context.windowsDirectory,
                         {context.form1, context.form2}, context.kindBox);
    }
    if (kind == QLatin1String("Run Program")) {
        return new Form7(context.services, context.task,
                         {context.form1, context.form2, FindOpen<Form3>(), context.form4}, context.kindBox);
    }
    if (kind == QLatin1String("Visit Website")) {
        return new Form6(context.services, context.task,
                         {context.form1, context.form2, FindOpen<Form3>(), context.form4, FindOpen<Form7>()},
                         context.kindBox);
    }
    return nullptr;
}

EditorWindow* FindTaskEditor(const QString& kind) {
    if (kind == QLatin1String("Alert")) {
        return FindOpen<Form3>();
    }
    if (kind == QLatin1String("Run Program")) {
        return FindOpen<Form7>();
    }
    if (kind == QLatin1String("Visit Website")) {
        return FindOpen<Form6>();
    }
    return nullptr;
}

EditorWindow* OpenTaskEditor(const QString& kind, const EditorContext& context) {
    EditorWindow* editor = LoadTaskEditor(kind, context);
    return editor == nullptr ? nullptr : ShowEditor(editor, context.form2);
}
