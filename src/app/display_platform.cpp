#include "app/display_platform.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcDisplay, "corvane.display")

QByteArray chooseDisplayPlatform(const SessionEnvironment& session) {
    if (!session.qpaPlatform.isEmpty()) {
        return {};
    }
    const bool wayland = !session.waylandDisplay.isEmpty() || session.sessionType == "wayland";
    if (!wayland) {
        return {};
    }
    return session.display.isEmpty() ? QByteArrayLiteral("wayland") : QByteArrayLiteral("xcb");
}

SessionEnvironment currentSessionEnvironment() {
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"),
            qgetenv("XDG_SESSION_TYPE")};
}

void reportPlatformLimits(const QString& platformName) {
    if (platformName.startsWith(QLatin1String("wayland"))) {
        qCWarning(lcDisplay).noquote()
            << "Running as a native Wayland client: the compositor places the window, so it cannot "
               "slide in at the top of the screen, and \"always on top\" has no effect. Start Corvane "
               "with XWayland (DISPLAY set) for both.";
    }
}
