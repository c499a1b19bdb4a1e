#pragma once

// Windows that imitate modality (the task editors, the About window) block the other windows
// while they are active and free them again when they close. Which windows each one blocks,
// and in what order, is decided here; a shell only disables and enables the windows it is told.

#include <vector>

namespace core {

/// The program's windows, as the blocking rules name them.
enum class Window { Main, Options, AlertEditor, About, ProgramEditor, WebAddressEditor };

/// What a shell does to block and free its windows.
class WindowBlocker {
public:
    virtual ~WindowBlocker() = default;
    /// Disables a window while blockedBy is active. With createMissing a window that does not
    /// exist yet is made (and loaded) hidden for it; without, a missing window is left alone.
    virtual void block(Window window, Window blockedBy, bool createMissing) = 0;
    /// Enables a window again, if it exists.
    virtual void free(Window window) = 0;
};

/// The windows a window blocks while it is active, in the order they are blocked and freed.
/// Empty for a window that blocks nothing.
const std::vector<Window>& windowsBlockedBy(Window window);

/// Blocks, in order, what a window blocks (the About window makes missing ones hidden).
void blockOthers(WindowBlocker& blocker, Window window);
/// Frees them again, in the same order.
void freeOthers(WindowBlocker& blocker, Window window);

/// What a shell does to close the windows that go with another one.
class WindowCloser {
public:
    virtual ~WindowCloser() = default;
    /// Whether a window exists and is hidden.
    virtual bool isHidden(Window window) = 0;
    /// Closes a window that exists.
    virtual void close(Window window) = 0;
};

/// The windows made hidden for the About window that belong to a window: the alert editor
/// serves the Options window's kind box, so it is made after that window and goes with it.
/// Empty for a window that has none.
const std::vector<Window>& windowsTiedTo(Window window);

/// A window closed: what is tied to it closes too while still hidden (a shown one stays).
void closeTiedWindows(WindowCloser& closer, Window closed);

} // namespace core
