#pragma once

#include <cmath>

namespace core {

/// Nearest integer, a half going to the even neighbour (511.5 -> 512, 512.5 -> 512).
inline int roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    double result = lower;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(lower, 2.0) != 0.0)) {
        result = lower + 1.0;
    }
    return static_cast<int>(result);
}

/// Twips to whole pixels at the given twips per pixel.
inline int twipsToPixels(double twips, double twipsPerPixel) {
    return roundHalfEven(twips / twipsPerPixel);
}

} // namespace core
