#pragma once

#include <QWidget>

// Windows that imitate modality (the editors, the About window) block the other windows by
// disabling them. A blocked window takes no input at all: no clicks, no keys, and no close
// request from the window manager (Alt+F4, its close box); it closes again once it is freed.
// Disabling takes the keyboard focus away from a window; these keep it, so a window freed again
// has its focus where the user left it.

/// Disables a window for blocker, remembering the widget that had its focus (an already
/// disabled window keeps what it remembered).
void blockWindow(QWidget* window, QWidget* blocker);
/// Enables a window again and gives its focus back to the widget that had it.
void freeWindow(QWidget* window);
/// Shows a window and brings it forward; a blocked one comes up under the window that blocks
/// it, which keeps the keyboard, and comes alive when that one closes.
void showWindow(QWidget* window);
