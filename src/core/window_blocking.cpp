#include "core/window_blocking.h"

namespace core {

const std::vector<Window>& windowsBlockedBy(Window window) {
    static const std::vector<Window> kNone;
    static const std::vector<Window> kByAlert = {Window::Main, Window::Options};
    static const std::vector<Window> kByProgram = {Window::Main, Window::Options, Window::AlertEditor,
                                                   Window::About};
    static const std::vector<Window> kByWebAddress = {Window::Main, Window::Options, Window::AlertEditor,
                                                      Window::About, Window::ProgramEditor};
    static const std::vector<Window> kByAbout = {Window::Main, Window::Options, Window::AlertEditor};
    switch (window) {
    case Window::AlertEditor:
        return kByAlert;
    case Window::ProgramEditor:
        return kByProgram;
    case Window::WebAddressEditor:
        return kByWebAddress;
    case Window::About:
        return kByAbout;
    case Window::Main:
    case Window::Options:
        break;
    }
    return kNone;
}

void blockOthers(WindowBlocker& blocker, Window window) {
    // Only the About window makes the windows it blocks; an editor leaves missing ones alone.
    const bool createMissing = window == Window::About;
    for (Window other : windowsBlockedBy(window)) {
        blocker.block(other, window, createMissing);
    }
}

void freeOthers(WindowBlocker& blocker, Window window) {
    for (Window other : windowsBlockedBy(window)) {
        blocker.free(other);
    }
}

const std::vector<Window>& windowsTiedTo(Window window) {
    static const std::vector<Window> kNone;
    static const std::vector<Window> kToOptions = {Window::AlertEditor};
    return window == Window::Options ? kToOptions : kNone;
}

void closeTiedWindows(WindowCloser& closer, Window closed) {
    for (Window tied : windowsTiedTo(closed)) {
        if (closer.isHidden(tied)) {
            closer.close(tied);
        }
    }
}

} // namespace core
