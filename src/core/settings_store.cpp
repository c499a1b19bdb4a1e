#include "core/settings_store.h"

#include "core/app_title.h"
#include "core/autostart.h"
#include "core/log.h"

#include <exception>
#include <stdexcept>

namespace core {

namespace {

using platform::kErrorSuccess;
using platform::kHkeyCurrentUser;
using platform::RegKey;

const std::string kInstallationError = "Corvane Installation Error. Please Reinstall the Product.";
const std::string kPermissionError =
    "Unable to create necessary Registry values. You may not have enough permission.";
const std::string kContactError = "Unable to create necessary Registry values. Contact ";
const std::string kSupportAddress = "support@pellorin.example";

// The first run spells the first level "Software", the readers and writers "SOFTWARE": the same
// key, since key names compare without regard to case.
const std::string kSettingsKey = "Software\\Pellorin\\Corvane\\4.0";
const std::string kOptionsKey = "SOFTWARE\\Pellorin\\Corvane\\4.0";

constexpr std::uint32_t kOpenLink = 4; // the options the readers pass

/// A cache's text as a number; a text that is no number is a failure.
long long cacheNumber(const std::string& text) {
    const std::optional<long long> n = wholeNumber(text);
    if (!n) {
        throw std::invalid_argument("type mismatch");
    }
    return *n;
}

} // namespace

SettingsStore::SettingsStore(platform::Services& services, AppState& state)
    : m_services(services), m_state(state) {}

void SettingsStore::end() {
    m_ended = true;
    m_services.process->endImmediately();
}

void SettingsStore::installationError() {
    m_services.messages->show(kInstallationError, kAppTitle, platform::MessageIcon::Critical);
    end();
}

long SettingsStore::probeSettingsKey() {
    RegKey key = 0;
    const long result =
        m_services.registry->openKey(kHkeyCurrentUser, kSettingsKey, 0, platform::kKeyRead, key);
    if (result == kErrorSuccess) {
        m_services.registry->closeKey(key);
    }
    return result;
}

void SettingsStore::runFirstRunSequence(const std::string& programPath) {
    registerAutostart(*m_services.registry, programPath);
    m_services.registry->beginTransaction();
    createKeyLevel("Software", "Pellorin", kPermissionError);
    if (m_ended) {
        return;
    }
    createKeyLevel("Software\\Pellorin", "Corvane", kPermissionError);
    if (m_ended) {
        return;
    }
    createKeyLevel("Software\\Pellorin\\Corvane", "4.0", kContactError + kSupportAddress);
    if (m_ended) {
        return;
    }
    for (const StoredOptionRow& row : kStoredOptions) {
        writeDefaultSetting(std::string(row.name), row.firstRunValue);
    }
    if (m_services.registry->commitTransaction() != kErrorSuccess) {
        logWarning("corvane.settings", "the settings of the first run could not be stored");
    } else if (m_onChange) {
        m_onChange();
    }
}

void SettingsStore::createLevel(const std::string& parent, const std::string& subKey) {
    platform::Registry& registry = *m_services.registry;
    RegKey parentKey = 0;
    if (registry.openKey(kHkeyCurrentUser, parent, 0, platform::kKeyWrite, parentKey) != kErrorSuccess) {
        return;
    }
    RegKey made = 0;
    if (registry.createKey(parentKey, subKey, made) == kErrorSuccess) {
        registry.closeKey(made);
    }
    registry.closeKey(parentKey);
}

void SettingsStore::createKeyLevel(const std::string& parent, const std::string& subKey,
                                   const std::string& message) {
    try {
        createLevel(parent, subKey);
    } catch (const std::exception& failure) {
        m_services.messages->show(message + failure.what(), kAppTitle, platform::MessageIcon::Exclamation);
        end();
    }
}

void SettingsStore::writeDefaultSetting(const std::string& name, std::int32_t value) {
    try {
        platform::Registry& registry = *m_services.registry;
        RegKey key = 0;
        if (registry.openKey(kHkeyCurrentUser, kSettingsKey, 0, platform::kKeyWrite, key) != kErrorSuccess) {
            return;
        }
        const auto n = static_cast<std::uint32_t>(value);
        const std::uint8_t data[4] = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                      static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
        registry.setValue(key, name, platform::kRegDword, data, 4);
        registry.closeKey(key);
    } catch (const std::exception& failure) {
        m_services.messages->show(failure.what(), kAppTitle, platform::MessageIcon::Information);
    }
}

std::optional<std::string> SettingsStore::readText(std::string_view name) {
    platform::Registry& registry = *m_services.registry;
    RegKey key = 0;
    if (registry.openKey(kHkeyCurrentUser, kOptionsKey, kOpenLink, platform::kKeyRead, key) !=
        kErrorSuccess) {
        return std::nullopt;
    }
    std::uint8_t data[4] = {};
    std::uint32_t type = platform::kRegDword;
    std::uint32_t size = 4;
    const long result = registry.queryValue(key, std::string(name), type, data, size);
    registry.closeKey(key);
    if (result != kErrorSuccess) {
        return std::nullopt;
    }
    const auto value = static_cast<std::int32_t>(data[0] | (data[1] << 8) | (data[2] << 16) |
                                                 (static_cast<std::uint32_t>(data[3]) << 24));
    return optionText(value, size);
}

void SettingsStore::loadOption(StoredOption option) {
    const StoredOptionRow& row = storedOptionRow(option);
    try {
        if (std::optional<std::string> text = readText(row.name)) {
            m_state.setOptionCache(option, std::move(*text));
        }
        // A value other than 0 and 1 leaves the timer and the caption as they are.
        const long long cache = cacheNumber(m_state.optionCache(option));
        if (cache == 0) {
            if (option == StoredOption::Figures) {
                m_state.setFiguresRunning(false);
                m_state.setCaption({});
            } else {
                m_state.setHourlyBeepArmed(false);
            }
        } else if (cache == 1) {
            if (option == StoredOption::Figures) {
                m_state.setFiguresRunning(true);
            } else {
                m_state.setHourlyBeepArmed(true);
            }
        }
    } catch (const std::exception&) {
        installationError();
    }
}

std::optional<std::string> SettingsStore::readOption(StoredOption option) {
    try {
        return readText(storedOptionRow(option).name);
    } catch (const std::exception&) {
        installationError();
        return std::nullopt;
    }
}

void SettingsStore::storeOption(StoredOption option, bool on) {
    platform::Registry& registry = *m_services.registry;
    RegKey key = 0;
    if (registry.openKey(kHkeyCurrentUser, kOptionsKey, 0, platform::kKeyWrite, key) != kErrorSuccess) {
        return;
    }
    const std::uint8_t data[4] = {static_cast<std::uint8_t>(on ? 1 : 0), 0, 0, 0};
    registry.setValue(key, std::string(storedOptionRow(option).name), platform::kRegDword, data, 4);
    registry.closeKey(key);
    if (m_onChange) {
        m_onChange();
    }
    if (option == StoredOption::HourlyBeep) {
        m_state.setHourlyBeepArmed(on);
    }
}

} // namespace core
