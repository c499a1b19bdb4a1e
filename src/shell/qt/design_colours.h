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

} // namespace qtshell
