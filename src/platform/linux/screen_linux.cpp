#include "platform/linux/linux_services.h"

#include <QGuiApplication>
#include <QScreen>

#include <cerrno>

namespace platform {

namespace {

QScreen* primary() {
    return QGuiApplication::primaryScreen();
}

} // namespace

Rect LinuxScreen::workArea() {
    QScreen* screen = primary();
    if (screen == nullptr) {
        return {};
    }
    const QRect r = screen->availableGeometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

double LinuxScreen::twipsPerPixelX() {
    QScreen* screen = primary();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

double LinuxScreen::twipsPerPixelY() {
    QScreen* screen = primary();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int LinuxScreen::windowOpacityFailure() {
    // X11 window managers and compositors read the opacity a client sets on its window; Wayland
    // has no such request, so a client there cannot make its window half transparent.
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ? ENOTSUP : 0;
}

} // namespace platform
