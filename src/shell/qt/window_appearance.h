#pragma once

// The main window's appearance as the core decides it: kept above other windows, drawn half
// transparent.

#include <QWidget>

namespace qtshell {

/// Draws the window at an opacity of alpha out of 255.
void setWindowAlpha(QWidget& window, int alpha);
/// Puts the window into the band above all normal windows, or back into the normal band,
/// without moving it, and shows it.
void setWindowOnTop(QWidget& window, bool onTop);

} // namespace qtshell
