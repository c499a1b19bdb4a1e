#pragma once

namespace platform {

/// A rectangle in pixels; right and bottom are exclusive edges.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

/// The desktop the main window lives on.
class Screen {
public:
    virtual ~Screen() = default;
    /// The work area: the desktop less panels and docks, in pixels.
    virtual Rect workArea() = 0;
    /// Twips per pixel across (1440 / horizontal logical dots per inch).
    virtual double twipsPerPixelX() = 0;
    /// Twips per pixel down (1440 / vertical logical dots per inch).
    virtual double twipsPerPixelY() = 0;
    /// 0 when the window system draws a window at a constant opacity of the program's choice,
    /// else the system's error number for the missing service.
    virtual int windowOpacityFailure() = 0;
    /// Empties the title that the window manager shows for a top-level window of the program
    /// (the toolkit fills an empty title with the program's name).
    virtual void clearWindowTitle(unsigned long long windowId) = 0;
    /// Stops the window system's notices of property changes on a top-level window of the
    /// program, for a window whose title changes every second: each change would come back
    /// as several notices (the title, and the names the window manager derives from it), each
    /// waking the program. The window manager has set the window's frame by then.
    virtual void quietPropertyNotices(unsigned long long windowId) = 0;
};

} // namespace platform
