#include "core/settings_wait_notice.h"

#include "core/log.h"

#include <string>

namespace core {

namespace {
constexpr const char* kLogCategory = "corvane.settings";
} // namespace

SettingsWaitNotice::SettingsWaitNotice(platform::Registry& registry, TimerFactory& timers,
                                       MainWindowView& view)
    : m_registry(registry), m_view(view),
      m_timer(timers.makeTimer(std::chrono::milliseconds(kTellAfterMs), [this] { tick(); })) {}

void SettingsWaitNotice::watch() {
    if (m_watching) {
        return;
    }
    m_watching = true;
    m_timer->start();
    // Answered at once when nothing waits; the answer may outlive this object.
    m_registry.whenStored([self = std::weak_ptr<SettingsWaitNotice*>(m_self)](bool ok) {
        if (const auto alive = self.lock()) {
            (*alive)->stored(ok);
        }
    });
}

void SettingsWaitNotice::stored(bool ok) {
    m_watching = false;
    m_timer->stop();
    if (!m_told) {
        return;
    }
    m_told = false;
    // A change given up for another reason is in the log; the notice of the wait goes.
    m_view.showSettingsNotice(ok ? kStored : "");
    if (ok) {
        logWarning(kLogCategory, std::string("told the user: ") + kStored);
    }
    if (ok) {
        m_timer->start();
    }
}

void SettingsWaitNotice::tick() {
    m_timer->stop();
    if (m_watching) {
        m_told = true;
        m_view.showSettingsNotice(kWaiting);
        logWarning(kLogCategory, std::string("told the user: ") + kWaiting);
    } else {
        m_view.showSettingsNotice("");
    }
}

} // namespace core
