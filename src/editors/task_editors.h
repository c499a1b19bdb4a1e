#pragma once

// Opening the task editors from the Schedule Task page.
//
// The page's kind box (Form2's Combo1) calls OpenTaskEditor from Combo1_Click with the kind
// just picked; the main window, which owns the record, fills the context:
//
//     OpenTaskEditor(kind, EditorContext{.services = m_services, .task = scheduledTask,
//                                        .windowsDirectory = Label3, .form1 = this, .form2 = m_form2,
//                                        .form4 = aboutWindowIfOpen, .kindBox = page->Combo1});
//
// It returns at once. The editor writes its parameter into the task record when the user
// accepts it, and empties the text of kindBox when the user leaves it without one.

#include "common/scheduled_task.h"
#include "editors/editor_window.h"
#include "platform/services.h"

#include <QComboBox>
#include <QString>
#include <QWidget>

/// What the editors touch. The services and the record must outlive the editors (they are the
/// main window's); the windows may close meanwhile.
struct EditorContext {
    platform::Services& services;
    ScheduledTask& task;
    QString windowsDirectory;     ///< the main window's Label3, base of the notification sound
    QWidget* form1 = nullptr;     ///< the main window
    QWidget* form2 = nullptr;     ///< the Options and Schedule Task window
    QWidget* form4 = nullptr;     ///< the About window, when it is open
    QComboBox* kindBox = nullptr; ///< Form2's Combo1
};

/// Shows the editor of a task kind without waiting for it: Form3 for "Alert", Form7 for
/// "Run Program", Form6 for "Visit Website" (exact, case-sensitive texts). An editor that is
/// already open is brought to the front as it stands. Returns the editor shown, or nullptr
/// for a kind without one.
EditorWindow* OpenTaskEditor(const QString& kind, const EditorContext& context);

/// The editor of a kind as OpenTaskEditor finds or makes it, loaded but not shown (a window
/// that blocks the editors makes a missing one this way). nullptr for a kind without one.
EditorWindow* LoadTaskEditor(const QString& kind, const EditorContext& context);

/// The open (shown or loaded) editor of a kind, or nullptr.
EditorWindow* FindTaskEditor(const QString& kind);
