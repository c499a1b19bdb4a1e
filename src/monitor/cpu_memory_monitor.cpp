#include "monitor/cpu_memory_monitor.h"

#include <cmath>
#include <limits>
#include <stdexcept>

QString CpuUsageText(double percent) {
    // nearbyint rounds in the default mode, to nearest with halves to even.
    const double whole = std::nearbyint(percent);
    if (!(whole >= std::numeric_limits<std::int32_t>::min() &&
          whole <= std::numeric_limits<std::int32_t>::max())) {
        throw std::range_error("processor usage out of range");
    }
    return QStringLiteral("CPU ") + QString::number(static_cast<std::int32_t>(whole)) + QLatin1Char('%');
}

QString MonitorText(std::uint64_t availableBytes, const QString& lblcpusage) {
    // Whole megabytes in 64 bits: today's memory sizes do not fit the 32-bit field of old.
    const std::uint64_t megabytes = availableBytes / 1024 / 1024;
    // The sign position of a figure that is never negative is a blank.
    return QStringLiteral(" Mem ") + QString::number(megabytes) + QStringLiteral("  ") + lblcpusage;
}

void OpenCpuQuery(platform::SystemFigures& figures) {
    figures.openProcessorQuery();
}

void AddCpuCounter(platform::SystemFigures& figures) {
    figures.addProcessorCounter(0);
}

void SampleCpuUsage(platform::SystemFigures& figures, QString& lblcpusage) {
    lblcpusage = CpuUsageText(figures.collectProcessorUsage());
}

QString ComposeMonitorText(platform::SystemFigures& figures, const QString& lblcpusage) {
    return MonitorText(figures.availableMemoryBytes(), lblcpusage);
}
