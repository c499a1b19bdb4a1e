#pragma once

// The processor and memory figures: processor 0's usage sampled once a second into a shared
// text, and the figures text that the main window's caption and the Options window's status
// bar show.

#include "platform/system_figures.h"

#include <cstdint>
#include <string>

namespace core {

/// "CPU " followed by the percentage rounded to a whole number (halves to the even neighbour)
/// and "%". Throws std::range_error for a sample that is not a number or outside 32 bits.
std::string cpuUsageText(double percent);

/// " Mem", the available memory in whole megabytes with a sign position, two blanks and the
/// processor text: " Mem 512  CPU 5%".
std::string figuresText(std::uint64_t availableBytes, const std::string& cpuText);

/// The figures text with the memory read now. Throws when the memory cannot be read.
std::string composeFiguresText(platform::SystemFigures& figures, const std::string& cpuText);

} // namespace core
