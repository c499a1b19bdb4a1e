#pragma once

#include "core/window_blocking.h"

#include <QWidget>

#include <functional>
#include <map>

namespace qtshell {

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

/// The core's window blocking on the Qt windows: each window the rules name is found (or, when
/// asked, made) by a function; a window that is not there is left alone. It closes the windows
/// tied to another one the same way.
class QtWindowBlocker final : public core::WindowBlocker, public core::WindowCloser {
public:
    /// The window, or null when it does not exist; with createMissing a missing one is made hidden.
    using Finder = std::function<QWidget*(bool createMissing)>;

    void setWindow(core::Window window, Finder finder) { m_finders[window] = std::move(finder); }
    void block(core::Window window, core::Window blockedBy, bool createMissing) override;
    void free(core::Window window) override;
    bool isHidden(core::Window window) override;
    void close(core::Window window) override;

private:
    QWidget* find(core::Window window, bool createMissing) const;

    std::map<core::Window, Finder> m_finders;
};

} // namespace qtshell
