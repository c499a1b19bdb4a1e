#pragma once

#include <QStringList>
#include <QVariantList>

namespace platform {

/// Who is asked to end the user's desktop session.
enum class LogOffBackend {
    GnomeSession, ///< org.gnome.SessionManager (GNOME and the desktops built on gnome-session)
    KdeShutdown,  ///< org.kde.Shutdown (KDE Plasma)
    XfceSession,  ///< org.xfce.SessionManager
    LxqtSession,  ///< org.lxqt.session
    LogindSession ///< logind's Session.Terminate for the program's own session
};

/// Picks the session manager to ask. `desktops` are the names of XDG_CURRENT_DESKTOP in their
/// order; `answering` the names present on the session bus. The manager of a named desktop that
/// answers comes first; then any known manager that answers (a desktop that names itself
/// otherwise); else logind.
LogOffBackend chooseLogOffBackend(const QStringList& desktops, const QStringList& answering);

/// A D-Bus method call to a desktop session manager.
struct LogOffCall {
    QString service;
    QString path;
    QString interface;
    QString method;
    QVariantList arguments;
};

/// The log-off request to a desktop session manager: no confirmation dialog, applications may
/// still save or object. Not for LogindSession.
LogOffCall logOffCall(LogOffBackend backend);

/// The restart request to a desktop session manager: no confirmation dialog, applications may
/// still save or object. Not for LogindSession.
LogOffCall restartCall(LogOffBackend backend);

} // namespace platform
