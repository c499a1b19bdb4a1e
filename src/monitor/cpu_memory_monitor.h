#pragma once

// The processor and memory figures: processor 0's usage sampled once a second into a shared
// text, and the monitor text that the caption and the Options window's status bar show.

#include "platform/system_figures.h"

#include <QString>

#include <cstdint>

/// "CPU " followed by the percentage rounded to a whole number (halves to the even neighbour)
/// and "%". Throws std::range_error for a sample that is not a number or outside 32 bits.
QString cpuUsageText(double percent);

/// " Mem", the available memory in whole megabytes with a sign position, two blanks and the
/// processor text: " Mem 512  CPU 5%".
QString monitorText(std::uint64_t availableBytes, const QString& cpuText);

/// Opens the processor query.
void openCpuQuery(platform::SystemFigures& figures);
/// Adds processor 0's usage counter to the query.
void addCpuCounter(platform::SystemFigures& figures);
/// Takes one sample into cpuText. Throws when it cannot be read or converted; cpuText
/// then keeps its text.
void sampleCpuUsage(platform::SystemFigures& figures, QString& cpuText);
/// The monitor text with the memory read now. Throws when the memory cannot be read.
QString composeMonitorText(platform::SystemFigures& figures, const QString& cpuText);
