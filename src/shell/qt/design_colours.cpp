#include "shell/qt/design_colours.h"

#include <QPalette>

#include <cstdint>

namespace qtshell {

void setDesignColours(QWidget* surface, const QColor& background, const QColor& text) {
    QPalette palette = surface->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    surface->setPalette(palette);
    surface->setAutoFillBackground(true);
}

double contrastRatio(const QColor& a, const QColor& b) {
    auto colour = [](const QColor& c) {
        const QColor rgb = c.toRgb();
        return core::design::Colour{static_cast<std::uint8_t>(rgb.red()),
                                    static_cast<std::uint8_t>(rgb.green()),
                                    static_cast<std::uint8_t>(rgb.blue())};
    };
    return core::design::contrastRatio(colour(a), colour(b));
}

QColor readableOn(const QColor& text, const QColor& background) {
    if (contrastRatio(text, background) >= kReadableContrast) {
        return text;
    }
    // Black and white are the ends of the lightness scale: the one with the larger ratio is
    // the way to go.
    const int step = contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background) ? -1 : 1;
    const QColor hsl = text.toHsl();
    for (int lightness = hsl.lightness() + step; lightness >= 0 && lightness <= 255; lightness += step) {
        const QColor shade = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).toRgb();
        if (contrastRatio(shade, background) >= kReadableContrast) {
            return shade;
        }
    }
    return step < 0 ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace qtshell
