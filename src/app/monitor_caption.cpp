#include "app/monitor_caption.h"

#include "common/app_title.h"
#include "core/figures.h"

#include <exception>

namespace {

const QString kMonitorMessage =
    QStringLiteral("CPU Usage and available Memory status are cannot be displayed. May be OS not supported.");

} // namespace

MonitorCaption::MonitorCaption(QWidget& window, platform::Services& services, core::AppState& state,
                               core::Timer& sampleTimer)
    : m_window(window), m_services(services), m_state(state), m_sampleTimer(sampleTimer) {}

void MonitorCaption::showFigures() {
    try {
        m_state.setCaption(core::composeFiguresText(*m_services.figures, m_state.cpuText()));
    } catch (const std::exception&) {
        failed();
        return;
    }
    // A caption of each second must not wake the program again through its notices. Once for
    // each native window (changing the on-top band makes a new one).
    if (m_window.internalWinId() != m_quietWindow) {
        m_quietWindow = m_window.internalWinId();
        m_services.screen->quietPropertyNotices(m_quietWindow);
    }
}

void MonitorCaption::sampleCpu() {
    try {
        m_state.setCpuText(core::cpuUsageText(m_services.figures->collectProcessorUsage()));
    } catch (const std::exception&) {
        failed();
    }
}

void MonitorCaption::failed() {
    // Sampling stops first, so that the message is shown once, not at every tick; a new
    // start of the program tries again.
    m_sampleTimer.stop();
    m_state.setFiguresRunning(false);
    m_services.messages->show(kMonitorMessage.toStdString(), kAppTitle.toStdString(), platform::MessageIcon::Critical);
    m_state.setCaption({});
}
