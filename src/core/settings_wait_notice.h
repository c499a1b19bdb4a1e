#pragma once

#include "core/main_window_view.h"
#include "core/timer.h"
#include "platform/registry.h"

#include <memory>

namespace core {

/// Tells the user, without a box, when changes of the settings wait long for another program
/// that holds the settings, and again once they are stored. The registry keeps them waiting as
/// long as this program runs.
class SettingsWaitNotice final {
public:
    static constexpr int kTellAfterMs = 10000;
    static constexpr const char* kWaiting = "Settings not saved yet: another program holds them";
    static constexpr const char* kStored = "Settings saved";

    SettingsWaitNotice(platform::Registry& registry, TimerFactory& timers, MainWindowView& view);
    SettingsWaitNotice(const SettingsWaitNotice&) = delete;
    SettingsWaitNotice& operator=(const SettingsWaitNotice&) = delete;

    /// After a change: watches for its storing, once however many changes wait.
    void watch();

private:
    void stored(bool stored);
    void tick();

    platform::Registry& m_registry;
    MainWindowView& m_view;
    std::unique_ptr<Timer> m_timer; ///< the wait before telling; then how long "saved" shows
    bool m_watching = false;
    bool m_told = false;
    std::shared_ptr<SettingsWaitNotice*> m_self = std::make_shared<SettingsWaitNotice*>(this);
};

} // namespace core
