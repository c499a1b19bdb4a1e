#include "core/figures.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace core {

std::string cpuUsageText(double percent) {
    // nearbyint rounds in the default mode, to nearest with halves to even.
    const double whole = std::nearbyint(percent);
    if (!(whole >= std::numeric_limits<std::int32_t>::min() &&
          whole <= std::numeric_limits<std::int32_t>::max())) {
        throw std::range_error("processor usage out of range");
    }
    return "CPU " + std::to_string(static_cast<std::int32_t>(whole)) + "%";
}

std::string figuresText(std::uint64_t availableBytes, const std::string& cpuText) {
    // Whole megabytes in 64 bits: today's memory sizes do not fit the 32-bit field of old.
    const std::uint64_t megabytes = availableBytes / 1024 / 1024;
    // The sign position of a figure that is never negative is a blank.
    return " Mem " + std::to_string(megabytes) + "  " + cpuText;
}

std::string composeFiguresText(platform::SystemFigures& figures, const std::string& cpuText) {
    return figuresText(figures.availableMemoryBytes(), cpuText);
}

} // namespace core
