#include "monitor/window_appearance.h"

#include <QPoint>

namespace {

void setOpacity(QWidget& window, platform::Screen& screen, int alpha) {
    if (const int failure = screen.windowOpacityFailure(); failure != 0) {
        throw AppearanceFailure(failure);
    }
    // Qt keeps eight bits and cuts off the rest: 128 / 255.0 gives exactly 128.
    window.setWindowOpacity(alpha / 255.0);
}

} // namespace

void makeWindowTransparent(QWidget& window, platform::Screen& screen) {
    setOpacity(window, screen, 128);
}

void makeWindowOpaque(QWidget& window, platform::Screen& screen) {
    setOpacity(window, screen, 255);
}

void setWindowOnTop(QWidget& window, bool onTop) {
    // Changing the hint makes a new native window, which the window manager would place anew.
    const QPoint place = window.pos();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window.move(place);
    window.show();
}
