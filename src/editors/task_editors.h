#pragma once

// Opening the task editors from the Schedule Task page.
//
// The page's kind box (OptionsWindow's kindBox) calls openTaskEditor from pickKind with the kind
// just picked; the main window, which owns the record, fills the context:
//
//     openTaskEditor(kind, EditorContext{.services = m_services, .state = state,
//                                        .soundFolder = soundFolder, .mainWindow = this, .optionsWindow =
//                                        m_optionsWindow, .aboutWindow = aboutWindowIfOpen, .kindBox =
//                                        page->kindBox});
//
// It returns at once. The editor writes its parameter into the task record when the user
// accepts it, and empties the text of kindBox when the user leaves it without one.

#include "common/scheduled_task.h"
#include "core/app_state.h"
#include "editors/editor_window.h"
#include "platform/services.h"

#include <QComboBox>
#include <QString>
#include <QWidget>

/// What the editors touch. The services and the record must outlive the editors (they are the
/// main window's); the windows may close meanwhile.
struct EditorContext {
    platform::Services& services;
    core::AppState& state;            ///< holds the task record the editors write
    QString soundFolder;              ///< the main window's soundFolder, base of the notification sound
    QWidget* mainWindow = nullptr;    ///< the main window
    QWidget* optionsWindow = nullptr; ///< the Options and Schedule Task window
    QWidget* aboutWindow = nullptr;   ///< the About window, when it is open
    QComboBox* kindBox = nullptr;     ///< OptionsWindow's kindBox
};

/// Shows the editor of a task kind without waiting for it: AlertEditor for "Alert", ProgramEditor for
/// "Run Program", WebAddressEditor for "Visit Website" (exact, case-sensitive texts). An editor that is
/// already open is brought to the front as it stands. Returns the editor shown, or nullptr
/// for a kind without one.
EditorWindow* openTaskEditor(const QString& kind, const EditorContext& context);

/// The editor of a kind as openTaskEditor finds or makes it, loaded but not shown (a window
/// that blocks the editors makes a missing one this way). nullptr for a kind without one.
EditorWindow* loadTaskEditor(const QString& kind, const EditorContext& context);

/// The open (shown or loaded) editor of a kind, or nullptr.
EditorWindow* findTaskEditor(const QString& kind);
