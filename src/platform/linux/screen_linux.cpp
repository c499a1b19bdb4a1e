#include "platform/linux/linux_services.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

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

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

} // namespace

void LinuxScreen::clearWindowTitle(unsigned long long windowId) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || windowId == 0) {
        return; // elsewhere an empty title stays empty
    }
    xcb_connection_t* connection = x11->connection();
    if (m_netWmName == XCB_ATOM_NONE) {
        m_netWmName = internAtom(connection, "_NET_WM_NAME");
        m_utf8String = internAtom(connection, "UTF8_STRING");
    }
    const auto window = static_cast<xcb_window_t>(windowId);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, m_netWmName, m_utf8String, 8, 0, nullptr);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0,
                        nullptr);
    xcb_flush(connection);
}

void LinuxScreen::quietPropertyNotices(unsigned long long windowId) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || windowId == 0) {
        return;
    }
    // Qt follows the window's state and frame through these notices; the program changes its
    // window's state itself, and the frame is set when the window manager takes the window on.
    xcb_connection_t* connection = x11->connection();
    const auto window = static_cast<xcb_window_t>(windowId);
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr);
    if (attributes == nullptr) {
        return;
    }
    const std::uint32_t mask = attributes->your_event_mask & ~std::uint32_t{XCB_EVENT_MASK_PROPERTY_CHANGE};
    std::free(attributes);
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
}

} // namespace platform
