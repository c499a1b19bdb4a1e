#pragma once

#include "core/app_state.h"
#include "core/stored_options.h"
#include "platform/services.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace core {

/// The five options in the current user's key Software\Pellorin\Corvane\4.0 (kStoredOptions):
/// the first run that makes them, the readers that put them into AppState, the writers.
class SettingsStore final {
public:
    SettingsStore(platform::Services& services, AppState& state);

    /// True once a failure has ended the program; the caller returns at once.
    bool ended() const { return m_ended; }

    /// The result of opening the settings key for reading: 0 when it exists.
    long probeSettingsKey();
    /// Registers autostart for the program at programPath, then makes the key and writes the
    /// five defaults. The key and its values are stored in one write, so a first run cut short
    /// leaves either no key (the next start runs this again) or the key with all five values.
    void runFirstRunSequence(const std::string& programPath);

    /// Reads a switch option (hrbeep, ShowMemCpu) into its cache in AppState. A cache of 0 then
    /// stops its timer (the figures: and empties the caption), 1 starts it, another number leaves
    /// both. A cache that is no number is the installation error: the message, and the end.
    void loadOption(StoredOption option);
    /// The text form of an option (Ontop, tpme), or nothing when it cannot be read.
    std::optional<std::string> readOption(StoredOption option);
    /// Stores 1 (on) or 0 (off). The hourly beep then arms or disarms itself; nothing happens
    /// when the key cannot be opened for writing.
    void storeOption(StoredOption option, bool on);
    /// Called after each change is handed to the registry (a write, the first run's values).
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

private:
    void createLevel(const std::string& parent, const std::string& subKey);
    void createKeyLevel(const std::string& parent, const std::string& subKey, const std::string& message);
    void writeDefaultSetting(const std::string& name, std::int32_t value);
    std::optional<std::string> readText(std::string_view name);
    void installationError();
    void end();

    platform::Services& m_services;
    AppState& m_state;
    bool m_ended = false;
    std::function<void()> m_onChange;
};

} // namespace core
