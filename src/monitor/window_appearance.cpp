#include "monitor/window_appearance.h"

#include <QPoint>

void setWindowAlpha(QWidget& window, int alpha) {
    // Qt keeps eight bits and cuts off the rest: 128 / 255.0 gives exactly 128.
    window.setWindowOpacity(alpha / 255.0);
}

void setWindowOnTop(QWidget& window, bool onTop) {
    // Changing the hint makes a new native window, which the window manager would place anew.
    const QPoint place = window.pos();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window.move(place);
    window.show();
}
