#pragma once

#include <QColor>
#include <QWidget>

/// The designed background colour of dialog pages and editors.
inline const QColor kDesignBackground{166, 193, 232};

/// Paints a surface in its designed background colour and gives its text the designed colour
/// (black) with it, so a dark desktop theme never puts its light text on the light design.
/// Controls that draw their own fields (boxes, lists, push buttons) keep the theme's colours.
void setDesignColours(QWidget* surface, const QColor& background, const QColor& text = Qt::black);
