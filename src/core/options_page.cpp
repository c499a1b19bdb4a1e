#include "core/options_page.h"

#include "core/app_state.h"
#include "core/autostart.h"
#include "core/hourly_beep.h"
#include "core/settings_store.h"

#include <optional>
#include <string>
#include <utility>

namespace core {

OptionsPage::OptionsPage(OptionsPageView& view, platform::Services& services, SettingsStore& settings,
                         AppState& state)
    : m_view(view), m_services(services), m_settings(settings), m_state(state) {}

void OptionsPage::loadAutostartCheck() {
    if (const std::optional<bool> check = readAutostartCheck(*m_services.registry)) {
        m_view.setChecked(OptionBox::Autostart, *check);
    }
}

void OptionsPage::loadOptionCaches() {
    // The caches hold what start-up or the last Apply read; anything but 1 and 0 leaves a box.
    const std::pair<OptionBox, std::string> boxes[] = {
        {OptionBox::HourlyBeep, m_state.optionCache(StoredOption::HourlyBeep)},
        {OptionBox::Figures, m_state.optionCache(StoredOption::Figures)}};
    for (const auto& [box, cache] : boxes) {
        if (cache == "1") {
            m_view.setChecked(box, true);
        } else if (cache == "0") {
            m_view.setChecked(box, false);
        }
    }
}

void OptionsPage::applyAutostartAndBeep() {
    if (m_view.isChecked(OptionBox::Autostart)) {
        // This program's executable, as the log-on list records it.
        registerAutostart(*m_services.registry, m_services.processes->ownExecutablePath());
    } else {
        unregisterAutostart(*m_services.registry, *m_services.messages);
    }
    // Both options every time; the read-back makes the cache and the beep follow the registry.
    m_settings.storeOption(StoredOption::HourlyBeep, m_view.isChecked(OptionBox::HourlyBeep));
    m_settings.loadOption(StoredOption::HourlyBeep);
}

void OptionsPage::applyFigures() {
    // Switched at once, then once more to match what the registry holds.
    if (m_view.isChecked(OptionBox::Figures)) {
        m_settings.storeOption(StoredOption::Figures, true);
        m_state.setFiguresRunning(true);
    } else {
        m_settings.storeOption(StoredOption::Figures, false);
        m_state.setCaption({});
        m_state.setFiguresRunning(false);
    }
    m_settings.loadOption(StoredOption::Figures);
}

void OptionsPage::testBeep() {
    // The window does not respond until the last tone ends (about a second).
    if (m_services.tone) {
        playToneSweep(*m_services.tone);
    }
}

} // namespace core
