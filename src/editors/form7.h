#pragma once

#include "common/scheduled_task.h"
#include "editors/editor_window.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

/// The program editor: the name or path of the program a Run Program task starts, typed in or
/// chosen with Browse.
class Form7 final : public EditorWindow {
    Q_OBJECT

public:
    /// windowsToDisable: the main window, the Options and Schedule Task window, the alert editor
    /// and the About window (those not open may be left out); kindBox: the task-kind box.
    Form7(platform::Services& services, ScheduledTask& task, const QList<QWidget*>& windowsToDisable,
          QComboBox* kindBox);

    void Form_Load();
    void Form_Activate() override;
    void Form_Unload() override;
    /// Browse: the file-open dialog; its file name replaces the path.
    void Command1_Click();
    /// OK: accepts a non-empty path.
    void Image9_Click();
    /// The mouse moved over the frame: OK shows its normal picture.
    void Frame1_MouseMove();

    /// The two entries of the dialog's filter: programs first, shell scripts second.
    static QStringList BrowseFilters();

    QGroupBox* Frame1 = nullptr;
    QLineEdit* txtpath = nullptr;
    QPushButton* Command1 = nullptr;

private:
    ScheduledTask& m_task;
    /// The dialog's last file name, kept for the life of the window: a cancel hands it back.
    QString Cdg1_FileName;
};
