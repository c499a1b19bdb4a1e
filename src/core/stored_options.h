#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

/// The five options of the settings key, in the order the first run writes them.
enum class StoredOption { Autostart, HourlyBeep, OnTop, Figures, Transparency };

/// How start-up reads an option back.
enum class OptionReading {
    /// Never read: the log-on entry itself is the autostart state.
    None,
    /// Read into its cache in AppState; 0 and 1 switch the option's timer (loadOption).
    Switch,
    /// Read as text for a start-up rule (readOption); a missing value is no error.
    Text,
};

/// One stored option: its value name, what the first run writes, how it is read. Each is
/// written as a REG_DWORD of 1 (on) or 0 (off) by SettingsStore::storeOption.
struct StoredOptionRow {
    StoredOption option;
    std::string_view name;
    std::int32_t firstRunValue;
    OptionReading reading;
};

inline constexpr std::array<StoredOptionRow, 5> kStoredOptions = {{
    {StoredOption::Autostart, "autoaddstp", 1, OptionReading::None},
    {StoredOption::HourlyBeep, "hrbeep", 1, OptionReading::Switch},
    {StoredOption::OnTop, "Ontop", 0, OptionReading::Text},
    {StoredOption::Figures, "ShowMemCpu", 1, OptionReading::Switch},
    {StoredOption::Transparency, "tpme", 0, OptionReading::Text},
}};

/// The row of an option.
constexpr const StoredOptionRow& storedOptionRow(StoredOption option) {
    return kStoredOptions[static_cast<std::size_t>(option)];
}

/// The text form of a stored number: its signed decimal text, cut to as many characters as the
/// value had bytes (1 -> "1", -1 -> "-1", 123456 in 4 bytes -> "1234").
std::string optionText(std::int32_t value, std::uint32_t size);

/// A text as a whole number the way option texts are read: blanks around it allowed, an
/// optional sign, decimal digits; nothing for anything else (an empty text, "MemCpustat").
std::optional<long long> wholeNumber(std::string_view text);

/// A stored option's text as the start-up rules read it: true for 1, false for 0, nothing for
/// any other text or none.
std::optional<bool> storedSwitch(const std::optional<std::string>& text);

} // namespace core
