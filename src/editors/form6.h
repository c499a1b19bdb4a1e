#pragma once

#include "common/scheduled_task.h"
#include "editors/editor_window.h"

#include <QGroupBox>
#include <QLineEdit>

/// The web-address editor: the address a Visit Website task opens.
class Form6 final : public EditorWindow {
    Q_OBJECT

public:
    /// windowsToDisable: the main window, the Options and Schedule Task window, the alert
    /// editor, the About window and the program editor (those not open may be left out).
    Form6(platform::Services& services, ScheduledTask& task, const QList<QWidget*>& windowsToDisable,
          QComboBox* kindBox);

    void Form_Load();
    void Form_Activate() override;
    void Form_Unload() override;
    /// OK: accepts any text but the bare prefix, the empty text included.
    void Image9_Click();
    /// The mouse moved over the frame: OK shows its normal picture.
    void Frame1_MouseMove();

    QGroupBox* Frame1 = nullptr;
    QLineEdit* txtpath = nullptr;

private:
    ScheduledTask& m_task;
};
