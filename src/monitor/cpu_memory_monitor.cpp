#include "monitor/cpu_memory_monitor.h"

#include <cmath>
#include <limits>
#include <stdexcept>

QString cpuUsageText(double percent) {
    // nearbyint rounds in the default mode, to nearest with halves to even.
    const double whole = std::nearbyint(percent);
    if (!(whole >= std::numeric_limits<std::int32_t>::min() &&
          whole <= std::numeric_limits<std::int32_t>::max())) {
        throw std::range_error("processor usage out of range");
    }
    return QStringLiteral("CPU ") + QString::number(static_cast<std::int32_t>(whole)) + QLatin1Char('%');
}

QString monitorText(std::uint64_t availableBytes, const QString& cpuText) {
    // Whole megabytes in 64 bits: today's memory sizes do not fit the 32-bit field of old.
    const std::uint64_t megabytes = availableBytes / 1024 / 1024;
    // The sign position of a figure that is never negative is a blank.
    return QStringLiteral(" Mem ") + QString::number(megabytes) + QStringLiteral("  ") + cpuText;
}

void openCpuQuery(platform::SystemFigures& figures) {
    figures.openProcessorQuery();
}

void addCpuCounter(platform::SystemFigures& figures) {
    figures.addProcessorCounter(0);
}

void sampleCpuUsage(platform::SystemFigures& figures, QString& cpuText) {
    cpuText = cpuUsageText(figures.collectProcessorUsage());
}

QString composeMonitorText(platform::SystemFigures& figures, const QString& cpuText) {
    return monitorText(figures.availableMemoryBytes(), cpuText);
}
