#pragma once

#include "core/hover_pictures.h"
#include "core/options_page.h"
#include "platform/services.h"
#include "shell/qt/accessibility.h"
#include "shell/qt/options_look.h"
#include "shell/qt/picture_button.h"
#include "shell/qt/warning_option_row.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>

namespace qtshell {

/// The Options page's controls: a private base of the page, as a form class of Qt Designer is. The page keeps
/// them to itself; the tests find them by their names.
struct OptionsPageControls {
    QCheckBox* autostartCheck = nullptr;
    QLabel* autostartLabel = nullptr;
    QCheckBox* hourlyBeepCheck = nullptr;
    QLabel* hourlyBeepLabel = nullptr;
    PictureButton* testLink = nullptr;
    PictureButton* applyAutostartButton = nullptr;
    QCheckBox* figuresCheck = nullptr;
    QLabel* figuresLabel = nullptr;
    PictureButton* applyFiguresButton = nullptr;
    QLabel* startupPicture = nullptr;
    QLabel* monitorPicture = nullptr;
    /// Whether the warning before the task is shown.
    WarningOptionRow* warningRow = nullptr;
};

/// The Options page of the Options and Schedule Task window: loading at start-up and the hourly
/// beep (with its Test link) under one Apply, the memory and processor figures under another; a
/// view over core::OptionsPage. OptionsWindow makes it and shows it when its Options tab is selected.
class OptionsPage final : public Panel,
                          public core::OptionsPageView,
                          public core::HoverView,
                          private OptionsPageControls {
    Q_OBJECT

public:
    OptionsPage(platform::Services& services, core::SettingsStore& settings, core::AppState& state,
                TwipsScale twips, QWidget* parent);

    /// What the page does, decided by the core.
    core::OptionsPage& rules() { return m_rules; }

    /// Apply for autostart and the hourly beep.
    void applyAutostartAndBeep() { m_rules.applyAutostartAndBeep(); }
    /// Apply for the memory and processor figures.
    void applyFigures() { m_rules.applyFigures(); }
    void applyFiguresOption() { m_rules.applyFigures(); }
    /// The Test link: the tone sweep of the hourly beep.
    void testBeep() { m_rules.testBeep(); }
    /// Hover pictures: the mouse over an Apply button lights it; over the page, both of its
    /// Apply buttons go back to normal (applyAutostartButton first).
    void highlightApplyAutostart();
    void highlightApplyFigures();
    void restoreApplyButtons();

    // core::OptionsPageView
    bool isChecked(core::OptionBox box) const override;
    void setChecked(core::OptionBox box, bool checked) override;
    // core::HoverView
    void showButtonPicture(core::HoverButton button, core::ButtonLook look) override;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QCheckBox* box(core::OptionBox box) const;

    core::OptionsPage m_rules;
};

} // namespace qtshell
