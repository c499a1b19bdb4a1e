#pragma once

#include "common/scheduled_task.h"
#include "core/app_state.h"
#include "editors/editor_window.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

/// The program editor: the name or path of the program a Run Program task starts, typed in or
/// chosen with Browse.
class ProgramEditor final : public EditorWindow {
    Q_OBJECT

public:
    /// windowsToDisable: the main window, the Options and Schedule Task window, the alert editor
    /// and the About window (those not open may be left out); kindBox: the task-kind box.
    ProgramEditor(platform::Services& services, core::AppState& state, const QList<QWidget*>& windowsToDisable,
                  QComboBox* kindBox);

    void load();
    void activate() override;
    void unload() override;
    /// Browse: the file-open dialog; its file name replaces the path.
    void browse();
    /// OK: accepts a non-empty path.
    void accept();
    /// The mouse moved over the frame: OK shows its normal picture.
    void restoreOk();

    /// The two entries of the dialog's filter: programs first, shell scripts second.
    static QStringList browseFilters();

    QGroupBox* pathFrame = nullptr;
    QLineEdit* pathBox = nullptr;
    QPushButton* browseButton = nullptr;

private:
    core::AppState& m_state;
    /// The dialog's last file name, kept for the life of the window: a cancel hands it back.
    QString m_dialogFileName;
};
