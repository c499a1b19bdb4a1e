#pragma once

// The windows' design as both shells draw it: places and sizes in twips, the texts, tool tips
// and names screen readers hear, and the designed colours. Fonts, pictures and how a toolkit
// makes a control stay in each shell.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace core::design {

/// A rectangle in twips (1440 to the inch), from the top left of the surface that holds it.
struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    constexpr double right() const { return left + width; }
    constexpr double bottom() const { return top + height; }
};

/// Whether two rectangles share any area (touching edges share none).
constexpr bool overlap(const Rect& a, const Rect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

/// A colour as red, green and blue. Text colours are the designed ones made readable on the
/// background they are drawn on (a contrast of at least 4.5).
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

/// The contrast ratio of two colours as WCAG 2 defines it, from 1 (the same) to 21.
inline double contrastRatio(const Colour& a, const Colour& b) {
    auto luminance = [](const Colour& colour) {
        auto linear = [](std::uint8_t channel) {
            const double c = channel / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

/// The ratio body text needs (WCAG 2, level AA).
inline constexpr double kReadableContrast = 4.5;

inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kBlack{0, 0, 0};
/// The background of the Options window's pages and of the task editors.
inline constexpr Colour kPageBackground{166, 193, 232};

/// How a text sits in its rectangle across (it is centred down).
enum class Align { Left, Centre, Right };

} // namespace core::design
