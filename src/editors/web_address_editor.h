#pragma once

#include "common/scheduled_task.h"
#include "core/app_state.h"
#include "editors/editor_window.h"

#include <QGroupBox>
#include <QLineEdit>

/// The web-address editor: the address a Visit Website task opens.
class WebAddressEditor final : public EditorWindow {
    Q_OBJECT

public:
    /// windowsToDisable: the main window, the Options and Schedule Task window, the alert
    /// editor, the About window and the program editor (those not open may be left out).
    WebAddressEditor(platform::Services& services, core::AppState& state,
                     const QList<QWidget*>& windowsToDisable, QComboBox* kindBox);

    void load();
    void activate() override;
    void unload() override;
    /// OK: accepts any text but the bare prefix, the empty text included.
    void accept();
    /// The mouse moved over the frame: OK shows its normal picture.
    void restoreOk();

    QGroupBox* addressFrame = nullptr;
    QLineEdit* addressBox = nullptr;

private:
    core::AppState& m_state;
};
