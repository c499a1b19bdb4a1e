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

QString platformLimits(const QString& platformName, const SessionEnvironment& session) {
    if (platformName.startsWith(QLatin1String("wayland"))) {
        return QStringLiteral(
            "Running as a native Wayland client: the compositor places the window, so it cannot slide in at "
            "the top of the screen, and \"always on top\" has no effect. Start Corvane with XWayland (DISPLAY "
            "set) for the X11 behaviour, which some compositors honour.");
    }
    const bool waylandSession = !session.waylandDisplay.isEmpty() || session.sessionType == "wayland";
    if (platformName == QLatin1String("xcb") && waylandSession) {
        return QStringLiteral(
            "Running on XWayland in a Wayland session: the compositor places X windows by its own rules "
            "and may ignore where the window asks to be (sway centres it on the screen, weston puts it "
            "near the top-left corner), so the slide may not end at the top of the screen; \"always on "
            "top\" keeps it above other X windows only where the compositor honours the request.");
    }
    return {};
}

void reportPlatformLimits(const QString& platformName) {
    const QString limits = platformLimits(platformName, currentSessionEnvironment());
    if (!limits.isEmpty()) {
        qCWarning(lcDisplay).noquote() << limits;
    }
}
