#pragma once

#include <QByteArray>
#include <QString>

namespace qtshell {

/// The window places itself at the top of the screen and may stay above the others; Wayland
/// clients can do neither. In a Wayland session the program therefore runs on XWayland when
/// an X server is there, and natively (with a note in the log) when none is.

/// What the environment says about the session, as the variables hold it.
struct SessionEnvironment {
    QByteArray qpaPlatform;    ///< QT_QPA_PLATFORM: the user's own choice
    QByteArray waylandDisplay; ///< WAYLAND_DISPLAY
    QByteArray display;        ///< DISPLAY: an X server (XWayland in a Wayland session)
    QByteArray sessionType;    ///< XDG_SESSION_TYPE
};

/// The Qt platform to ask for ("xcb" or "wayland"), or empty to leave Qt's own choice.
QByteArray chooseDisplayPlatform(const SessionEnvironment& session);

/// The same, read from the process environment.
SessionEnvironment currentSessionEnvironment();

/// What cannot work on the platform the program runs on (Qt's platform name) in this session,
/// or empty where everything works (an X11 session).
QString platformLimits(const QString& platformName, const SessionEnvironment& session);

/// Logs platformLimits for the process environment.
void reportPlatformLimits(const QString& platformName);

} // namespace qtshell
