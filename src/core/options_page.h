#pragma once

#include "platform/services.h"

namespace core {

class SettingsStore;
class AppState;

/// The three check boxes of the Options page.
enum class OptionBox { Autostart, HourlyBeep, Figures };

/// The Options page as its rules see it.
class OptionsPageView {
public:
    virtual ~OptionsPageView() = default;
    virtual bool isChecked(OptionBox box) const = 0;
    virtual void setChecked(OptionBox box, bool checked) = 0;
};

/// The Options page: loading at start-up and the hourly beep (with its Test) under one Apply,
/// the memory and processor figures under another. Nothing is stored until an Apply.
class OptionsPage final {
public:
    OptionsPage(OptionsPageView& view, platform::Services& services, SettingsStore& settings,
                AppState& state);

    /// Sets the autostart box from the autostart entry (left as it is when the list cannot be read).
    void loadAutostartCheck();
    /// The beep and figures boxes from the option caches; anything but 1 and 0 leaves a box.
    void loadOptionCaches();
    /// Apply for autostart and the hourly beep: both every time, the beep read back.
    void applyAutostartAndBeep();
    /// Apply for the memory and processor figures, read back.
    void applyFigures();
    /// The Test link: the tone sweep of the hourly beep; touches no timer and no setting.
    void testBeep();

private:
    OptionsPageView& m_view;
    platform::Services& m_services;
    SettingsStore& m_settings;
    AppState& m_state;
};

} // namespace core
