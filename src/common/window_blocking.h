#pragma once

#include <QWidget>

// Windows that imitate modality (the editors, the About window) block the other windows by
// disabling them. Disabling takes the keyboard focus away from a window; these keep it, so a
// window freed again has its focus where the user left it.

/// Disables a window, remembering the widget that had its focus (an already disabled window
/// keeps what it remembered).
void blockWindow(QWidget* window);
/// Enables a window again and gives its focus back to the widget that had it.
void freeWindow(QWidget* window);
