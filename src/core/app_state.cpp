#include "core/app_state.h"

#include <utility>
#include <vector>

namespace core {

AppState::Subscription::Subscription(Subscription&& other) noexcept
    : m_state(std::exchange(other.m_state, nullptr)), m_id(other.m_id) {}

AppState::Subscription& AppState::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        if (m_state != nullptr) {
            m_state->unsubscribe(m_id);
        }
        m_state = std::exchange(other.m_state, nullptr);
        m_id = other.m_id;
    }
    return *this;
}

AppState::Subscription::~Subscription() {
    if (m_state != nullptr) {
        m_state->unsubscribe(m_id);
    }
}

AppState::Subscription AppState::subscribe(Reader reader) {
    m_readers.emplace(++m_lastId, std::move(reader));
    return Subscription(this, m_lastId);
}

void AppState::unsubscribe(int id) {
    m_readers.erase(id);
}

void AppState::tell(Change change) {
    // A reader may end subscriptions (a window that closes): each is looked up as its turn comes.
    std::vector<int> ids;
    ids.reserve(m_readers.size());
    for (const auto& entry : m_readers) {
        ids.push_back(entry.first);
    }
    for (const int id : ids) {
        const auto it = m_readers.find(id);
        if (it != m_readers.end()) {
            // A copy: the reader may end its own subscription while it runs.
            const Reader reader = it->second;
            reader(change);
        }
    }
}

void AppState::setUptime(Uptime uptime) {
    m_uptime = std::move(uptime);
    tell(Change::Uptime);
}

const std::string& AppState::optionCache(StoredOption option) const {
    switch (option) {
    case StoredOption::HourlyBeep:
        return m_hourlyBeepCache;
    case StoredOption::Figures:
        return m_figuresCache;
    default:
        return m_noCache;
    }
}

void AppState::setOptionCache(StoredOption option, std::string text) {
    switch (option) {
    case StoredOption::HourlyBeep:
        m_hourlyBeepCache = std::move(text);
        break;
    case StoredOption::Figures:
        m_figuresCache = std::move(text);
        break;
    default:
        return; // only the switch options have a cache
    }
    tell(Change::OptionCaches);
}

void AppState::changeTask(const std::function<void(ScheduledTask&)>& change) {
    change(m_task);
    tell(Change::Task);
}

void AppState::setSoundFolder(std::string folder) {
    m_soundFolder = std::move(folder);
    tell(Change::SoundFolder);
}

void AppState::setCpuText(std::string text) {
    m_cpuText = std::move(text);
    tell(Change::CpuText);
}

void AppState::setCaption(std::string caption) {
    m_caption = std::move(caption);
    tell(Change::Caption);
}

void AppState::setTriggerCheckRunning(bool running) {
    if (m_triggerCheck != running) {
        m_triggerCheck = running;
        tell(Change::TriggerCheck);
    }
}

void AppState::setHourlyBeepArmed(bool armed) {
    if (m_hourlyBeep != armed) {
        m_hourlyBeep = armed;
        tell(Change::HourlyBeep);
    }
}

void AppState::setFiguresRunning(bool running) {
    if (m_figures != running) {
        m_figures = running;
        tell(Change::Figures);
    }
}

} // namespace core
