#pragma once

#include "core/design/main_window_design.h"
#include "core/main_window_view.h"
#include "core/settings_store.h"
#include "platform/services.h"

#include <optional>
#include <string>

namespace core {

/// Always on top and half transparent: the state of the main window's two toggling buttons,
/// which each records only in the look it shows (its design picture until start-up applied a
/// stored state, then off or on), what a click does to the window and the stored
/// setting, and the start-up rules for the stored values.
class WindowAppearance final {
public:
    WindowAppearance(platform::Services& services, SettingsStore& settings, MainWindowView& view);

    /// Always on top or back in the normal band; stores Ontop. Does nothing on the design picture.
    void toggleOnTop();
    /// Half transparent or opaque; stores tpme. Does nothing on the design picture.
    void toggleTransparency();
    /// The start-up rule for the stored Ontop text: 1 on top, 0 normal, anything else nothing.
    void applyStoredOnTop(const std::optional<std::string>& stored);
    /// The start-up rule for the stored tpme text: 1 transparent, 0 opaque, anything else nothing.
    void applyStoredTransparency(const std::optional<std::string>& stored);
    /// Shows the transparency-off picture whatever the window's transparency (the small window).
    void showTransparencyOffPicture();

    /// Transparent or opaque, the window stays layered: opaque only sets full opacity.
    static WindowOpacity opacityFor(bool transparent);

    ToggleLook onTopPicture() const { return m_onTopPicture; }
    ToggleLook transparencyPicture() const { return m_transparencyPicture; }

private:
    /// Moves the on-top button by the given twips from where it is.
    void moveOnTopButton(double rightTwips, double downTwips);
    /// Draws the window transparent or opaque; false when the window system cannot.
    bool setTransparent(bool transparent);

    platform::Services& m_services;
    SettingsStore& m_settings;
    MainWindowView& m_view;
    ToggleLook m_onTopPicture = ToggleLook::Design;
    ToggleLook m_transparencyPicture = ToggleLook::Design;
    double m_onTopLeftTwips = design::main_window::kOnTop.place.left;
    double m_onTopTopTwips = design::main_window::kOnTop.place.top;
};

} // namespace core
