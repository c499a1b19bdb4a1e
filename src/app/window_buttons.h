#pragma once

#include "common/picture_button.h"
#include "platform/services.h"
#include "core/settings_store.h"

#include <QString>
#include <QWidget>

#include <optional>
#include <string>

/// The main window's four picture buttons (more or less information, always on top, minimize,
/// half transparent) and what the on-top and transparency buttons do to the window and its
/// stored settings. MainWindow owns it; the more/less button's click stays with MainWindow,
/// which changes the window's height with it.
class WindowButtons final {
public:
    WindowButtons(QWidget& window, platform::Services& services, core::SettingsStore& settings);

    /// Always on top or back in the normal band; stores Ontop. Does nothing on the design picture.
    void toggleOnTop();
    /// Half transparent or opaque; stores tpme. Does nothing on the design picture.
    void toggleTransparency();
    /// The start-up rule for the stored Ontop text: 1 on top, 0 normal, anything else nothing.
    void applyStoredOnTop(const std::optional<std::string>& stored);
    /// The start-up rule for the stored tpme text: 1 transparent, 0 opaque, anything else nothing.
    void applyStoredTransparency(const std::optional<std::string>& stored);
    /// Moves the more/less button down (or up, for a negative step) by the given twips.
    void moveMoreLess(double downTwips);

    // Pictures: the more/less and on-top list (moreLessButton, onTopButton); the transparency
    // list (transparencyButton).
    PictureButton* moreLessButton = nullptr;
    PictureButton* onTopButton = nullptr;
    PictureButton* minimizeButton = nullptr;
    PictureButton* transparencyButton = nullptr;

private:
    /// Moves the on-top button by the given twips from where it is.
    void moveOnTopButton(double rightTwips, double downTwips);

    QWidget& m_window;
    platform::Services& m_services;
    core::SettingsStore& m_settings;
    double m_tppX = 15.0;
    double m_tppY = 15.0;
    double m_moreLessTopTwips = 656;
    double m_onTopLeftTwips = 350;
    double m_onTopTopTwips = 656;
};
