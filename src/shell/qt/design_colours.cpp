#include "shell/qt/design_colours.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace qtshell {

void setDesignColours(QWidget* surface, const QColor& background, const QColor& text) {
    QPalette palette = surface->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    surface->setPalette(palette);
    surface->setAutoFillBackground(true);
}

namespace {

double relativeLuminance(const QColor& colour) {
    auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
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
