#pragma once

#include "core/design/main_window_design.h"

#include <QColor>
#include <QWidget>

/// A colour of the design.
inline QColor toQColor(core::design::Colour colour) {
    return {colour.red, colour.green, colour.blue};
}

namespace qtshell {

/// The main window's designed background colour.
inline const QColor kMainWindowBackground = toQColor(core::design::main_window::kBackground);

/// The designed background colour of dialog pages and editors.
inline const QColor kDesignBackground = toQColor(core::design::kPageBackground);

/// Paints a surface in its designed background colour and gives its text the designed colour
/// (black) with it, so a dark desktop theme never puts its light text on the light design.
/// Controls that draw their own fields (boxes, lists, push buttons) keep the theme's colours.
void setDesignColours(QWidget* surface, const QColor& background, const QColor& text = Qt::black);

/// The contrast ratio of two colours as WCAG 2 defines it, from 1 (the same) to 21.
double contrastRatio(const QColor& a, const QColor& b);

/// The ratio body text needs (WCAG 2, level AA).
constexpr double kReadableContrast = core::design::kReadableContrast;

/// A colour for text on background: the colour itself where it reads (a ratio of at least
/// kReadableContrast), else the nearest darker shade of the same hue that does, or on a dark
/// background the nearest lighter one.
QColor readableOn(const QColor& text, const QColor& background);

} // namespace qtshell
