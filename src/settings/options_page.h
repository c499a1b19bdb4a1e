#pragma once

#include "common/accessibility.h"
#include "common/picture_button.h"
#include "platform/services.h"
#include "settings/options_look.h"
#include "core/app_state.h"
#include "core/settings_store.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>

/// The Options page of the Options and Schedule Task window: loading at start-up and the hourly
/// beep (with its Test link) under one Apply, the memory and processor figures under another.
/// OptionsWindow makes it and shows it when its Options tab is selected.
class OptionsPage final : public Panel {
    Q_OBJECT

public:
    OptionsPage(platform::Services& services, core::SettingsStore& settings, core::AppState& state, TwipsScale twips,
                QWidget* parent);

    /// Sets autostartCheck from the autostart entry.
    void loadAutostartCheck();
    /// The beep and figures boxes from the option caches; anything but 1 and 0 leaves a box.
    void loadOptionCaches();

    /// Apply for autostart and the hourly beep.
    void applyAutostartAndBeep();
    /// Apply for the memory and processor figures.
    void applyFigures() { applyFiguresOption(); }
    void applyFiguresOption();
    /// The Test link: the tone sweep of the hourly beep.
    void testBeep();
    /// Hover pictures: the mouse over an Apply button lights it; over the page, both of its
    /// Apply buttons go back to normal (applyAutostartButton first).
    void highlightApplyAutostart();
    void highlightApplyFigures();
    void restoreApplyButtons();

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

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    platform::Services& m_services;
    core::SettingsStore& m_settings;
    core::AppState& m_state;
};
