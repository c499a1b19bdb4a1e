#include "shell/qt/display_platform.h"

#include <QLoggingCategory>

namespace qtshell {

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
        return QStringLiteral("Running as a native Wayland client: the compositor places the window where it "
                              "likes (sway centres "
                              "it, weston picks a spot of its own), so it cannot slide in at the top of the "
                              "screen, and \"always "
                              "on top\" has no effect. On XWayland (DISPLAY set) it asks for both as on X11, "
                              "and the compositor "
                              "decides.");
    }
    const bool waylandSession = !session.waylandDisplay.isEmpty() || session.sessionType == "wayland";
    if (platformName == QLatin1String("xcb") && waylandSession) {
        return QStringLiteral(
            "Running on XWayland in a Wayland session: the compositor places X windows by its own rules and "
            "may not follow the window's position (sway centres it, weston puts it at the top left below its "
            "panel), so the window may not slide in at the top of the screen; whether \"always on top\" "
            "holds is the compositor's choice too.");
    }
    return {};
}

void reportPlatformLimits(const QString& platformName) {
    const QString limits = platformLimits(platformName, currentSessionEnvironment());
    if (!limits.isEmpty()) {
        qCWarning(lcDisplay).noquote() << limits;
    }
}

} // namespace qtshell
