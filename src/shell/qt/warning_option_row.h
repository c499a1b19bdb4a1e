#pragma once

#include "platform/registry.h"
#include "shell/qt/options_look.h"
#include "shell/qt/picture_button.h"

#include <QCheckBox>
#include <QLabel>
#include <QObject>

namespace qtshell {

/// The Options page's fourth row: whether the minute's warning before the task turns off, logs
/// off, restarts or hibernates the computer is shown, with an Apply of its own. As on the rest
/// of the page, ticking the box changes nothing until its Apply stores it.
class WarningOptionRow final : public QObject {
    Q_OBJECT

public:
    /// Places the row on page below the three rows there and reads the stored option.
    WarningOptionRow(platform::Registry& registry, TwipsScale twips, QWidget* page);

    /// Stores the box's state, then shows what is stored.
    void apply();

protected:
    /// The mouse over the page puts the Apply picture back to normal.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    platform::Registry& m_registry;
    // Found from outside by their names.
    QCheckBox* m_check = nullptr;
    QLabel* m_label = nullptr;
    PictureButton* m_applyButton = nullptr;
};

} // namespace qtshell
