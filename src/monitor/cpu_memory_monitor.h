#pragma once

// The processor and memory figures: processor 0's usage sampled once a second into a shared
// text, and the monitor text that the caption and the Options window's status bar show.

#include "platform/system_figures.h"

#include <QString>

#include <cstdint>

/// "CPU " followed by the percentage rounded to a whole number (halves to the even neighbour)
/// and "%". Throws std::range_error for a sample that is not a number or outside 32 bits.
QString CpuUsageText(double percent);

/// " Mem", the available memory in whole megabytes with a sign position, two blanks and the
/// processor text: " Mem 512  CPU 5%".
QString MonitorText(std::uint64_t availableBytes, const QString& lblcpusage);

/// Opens the processor query.
void OpenCpuQuery(platform::SystemFigures& figures);
/// Adds processor 0's usage counter to the query.
void AddCpuCounter(platform::SystemFigures& figures);
/// Takes one sample into lblcpusage. Throws when it cannot be read or converted; lblcpusage
/// then keeps its text.
void SampleCpuUsage(platform::SystemFigures& figures, QString& lblcpusage);
/// The monitor text with the memory read now. Throws when the memory cannot be read.
QString ComposeMonitorText(platform::SystemFigures& figures, const QString& lblcpusage);
