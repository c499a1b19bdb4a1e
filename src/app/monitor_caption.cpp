#include "app/monitor_caption.h"

#include "common/app_title.h"
#include "monitor/cpu_memory_monitor.h"
#include "monitor/empty_title.h"

#include <exception>

namespace {

const QString kMonitorMessage =
    QStringLiteral("CPU Usage and available Memory status are cannot be displayed. May be OS not supported.");

} // namespace

MonitorCaption::MonitorCaption(QWidget& window, platform::Services& services, QTimer& captionTimer,
                               QTimer& sampleTimer)
    : m_window(window), m_services(services), m_captionTimer(captionTimer), m_sampleTimer(sampleTimer) {}

void MonitorCaption::showFigures() {
    try {
        m_window.setWindowTitle(composeMonitorText(*m_services.figures, cpuText));
    } catch (const std::exception&) {
        failed();
        return;
    }
    // A caption of each second must not wake the program again through its notices. Once for
    // each native window (changing the on-top band makes a new one).
    if (const WId shown = EmptyTitleGuard::nativeWindowId(m_window); shown != m_quietWindow) {
        m_quietWindow = shown;
        m_services.screen->quietPropertyNotices(m_quietWindow);
    }
}

void MonitorCaption::sampleCpu() {
    try {
        sampleCpuUsage(*m_services.figures, cpuText);
    } catch (const std::exception&) {
        failed();
    }
}

void MonitorCaption::failed() {
    // Sampling stops first, so that the message is shown once, not at every tick; a new
    // start of the program tries again.
    m_sampleTimer.stop();
    m_captionTimer.stop();
    m_services.messages->show(kMonitorMessage.toStdString(), kAppTitle.toStdString(),
                              platform::MessageIcon::Critical);
    m_window.setWindowTitle(QString());
}
