#pragma once

// The look that the Options window and its Options page share: twips placed at the screen's
// scale, the designed background, labels, links and the Apply pictures.

#include "core/design/options_window_design.h"
#include "core/hover_pictures.h"
#include "shell/qt/design_colours.h"
#include "shell/qt/picture_button.h"

#include <QColor>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

namespace qtshell {

/// The tab bar's colour as designed.
inline const QColor kTabBarColour = toQColor(core::design::options_window::kTabBarColour);

/// Twips to pixels at a screen's twips per pixel, across and down.
struct TwipsScale {
    double x = 15.0;
    double y = 15.0;
    QRect rect(const core::design::Rect& twips) const;
};

/// A label in the windows' Tahoma 8.25.
QLabel* makeOptionsLabel(QWidget* parent, const QString& text, const QRect& geometry);
/// An underlined text that acts as a button.
PictureButton* makeLink(QWidget* parent, const QString& text, const QRect& geometry, const QColor& colour);
/// A button on the window's picture list: 1 a tab not selected, 2 a tab selected, 3 and 4 Apply
/// normal and highlighted.
PictureButton* makeListButton(QWidget* parent, const QRect& geometry, const QString& name);
/// Apply's picture on that list for a look.
inline int applyPicture(core::ButtonLook look) {
    return look == core::ButtonLook::Highlighted ? 4 : 3;
}

} // namespace qtshell
