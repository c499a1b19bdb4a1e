#include "core/window_appearance.h"

#include "core/app_title.h"

#include <string>

namespace core {

namespace {

// The on-top button sits this far higher and further left while the window is on top.
constexpr double kOnTopRiseTwips = 40;
constexpr double kOnTopShiftTwips = 10;

constexpr int kTransparentAlpha = 128;
constexpr int kOpaqueAlpha = 255;

} // namespace

WindowAppearance::WindowAppearance(platform::Services& services, SettingsStore& settings,
                                   MainWindowView& view)
    : m_services(services), m_settings(settings), m_view(view) {}

void WindowAppearance::moveOnTopButton(double rightTwips, double downTwips) {
    m_onTopLeftTwips += rightTwips;
    m_onTopTopTwips += downTwips;
    m_view.moveOnTopButton(m_onTopLeftTwips, m_onTopTopTwips);
}

WindowOpacity WindowAppearance::opacityFor(bool transparent) {
    return {.layered = true, .alpha = transparent ? kTransparentAlpha : kOpaqueAlpha};
}

bool WindowAppearance::setTransparent(bool transparent) {
    if (m_services.screen->windowOpacityFailure() != 0) {
        return false;
    }
    m_view.setOpacity(opacityFor(transparent));
    return true;
}

void WindowAppearance::toggleOnTop() {
    // The picture first, the window second, the stored setting last.
    if (m_onTopPicture == ToggleLook::Off) {
        m_onTopPicture = ToggleLook::On;
        m_view.showOnTopPicture(ToggleLook::On);
        moveOnTopButton(-kOnTopShiftTwips, -kOnTopRiseTwips);
        m_view.setOnTop(true);
        m_settings.storeOption(StoredOption::OnTop, true);
    } else if (m_onTopPicture == ToggleLook::On) {
        m_onTopPicture = ToggleLook::Off;
        m_view.showOnTopPicture(ToggleLook::Off);
        moveOnTopButton(kOnTopShiftTwips, kOnTopRiseTwips);
        m_view.setOnTop(false);
        m_settings.storeOption(StoredOption::OnTop, false);
    }
}

void WindowAppearance::toggleTransparency() {
    if (m_transparencyPicture == ToggleLook::Design) {
        return;
    }
    const bool on = m_transparencyPicture == ToggleLook::Off;
    m_transparencyPicture = on ? ToggleLook::On : ToggleLook::Off;
    m_view.showTransparencyPicture(m_transparencyPicture);
    if (!setTransparent(on)) {
        // What was done stays done: the picture has changed, the window and tpme not.
        m_services.messages->show(std::to_string(m_services.screen->windowOpacityFailure()), kAppTitle,
                                  platform::MessageIcon::Exclamation);
        return;
    }
    m_settings.storeOption(StoredOption::Transparency, on);
}

void WindowAppearance::applyStoredOnTop(const std::optional<std::string>& stored) {
    const std::optional<bool> on = storedSwitch(stored);
    if (on == true) {
        m_onTopPicture = ToggleLook::On;
        m_view.showOnTopPicture(ToggleLook::On);
        moveOnTopButton(-kOnTopShiftTwips, -kOnTopRiseTwips);
        m_view.setOnTop(true);
    } else if (on == false) {
        m_onTopPicture = ToggleLook::Off;
        m_view.showOnTopPicture(ToggleLook::Off);
        m_view.setOnTop(false);
    }
}

void WindowAppearance::applyStoredTransparency(const std::optional<std::string>& stored) {
    const std::optional<bool> on = storedSwitch(stored);
    // Without the service the window stays opaque and the button on its design picture.
    if (on.has_value() && setTransparent(*on)) {
        m_transparencyPicture = *on ? ToggleLook::On : ToggleLook::Off;
        m_view.showTransparencyPicture(m_transparencyPicture);
    }
}

void WindowAppearance::showTransparencyOffPicture() {
    m_transparencyPicture = ToggleLook::Off;
    m_view.showTransparencyPicture(ToggleLook::Off);
}

} // namespace core
