#include "platform/linux/log_off_backend.h"

#include <array>

namespace platform {

namespace {

struct SessionManager {
    LogOffBackend backend;
    QLatin1StringView service;
    QLatin1StringView path;
    QLatin1StringView interface;
    QLatin1StringView method;
    QLatin1StringView restart;
};

constexpr std::array<SessionManager, 4> kManagers{{
    {LogOffBackend::GnomeSession, QLatin1StringView("org.gnome.SessionManager"),
     QLatin1StringView("/org/gnome/SessionManager"), QLatin1StringView("org.gnome.SessionManager"),
     QLatin1StringView("Logout"), QLatin1StringView("RequestReboot")},
    {LogOffBackend::KdeShutdown, QLatin1StringView("org.kde.Shutdown"), QLatin1StringView("/Shutdown"),
     QLatin1StringView("org.kde.Shutdown"), QLatin1StringView("logout"),
     QLatin1StringView("logoutAndReboot")},
    {LogOffBackend::XfceSession, QLatin1StringView("org.xfce.SessionManager"),
     QLatin1StringView("/org/xfce/SessionManager"), QLatin1StringView("org.xfce.Session.Manager"),
     QLatin1StringView("Logout"), QLatin1StringView("Restart")},
    {LogOffBackend::LxqtSession, QLatin1StringView("org.lxqt.session"), QLatin1StringView("/LXQtSession"),
     QLatin1StringView("org.lxqt.session"), QLatin1StringView("logout"), QLatin1StringView("reboot")},
}};

// The names XDG_CURRENT_DESKTOP gives these desktops (compared without regard to case).
struct DesktopName {
    QLatin1StringView name;
    LogOffBackend backend;
};

constexpr std::array<DesktopName, 9> kDesktops{{
    {QLatin1StringView("GNOME"), LogOffBackend::GnomeSession},
    {QLatin1StringView("GNOME-Classic"), LogOffBackend::GnomeSession},
    {QLatin1StringView("GNOME-Flashback"), LogOffBackend::GnomeSession},
    {QLatin1StringView("Unity"), LogOffBackend::GnomeSession},
    {QLatin1StringView("Budgie"), LogOffBackend::GnomeSession},
    {QLatin1StringView("Pantheon"), LogOffBackend::GnomeSession},
    {QLatin1StringView("KDE"), LogOffBackend::KdeShutdown},
    {QLatin1StringView("XFCE"), LogOffBackend::XfceSession},
    {QLatin1StringView("LXQt"), LogOffBackend::LxqtSession},
}};

const SessionManager& managerOf(LogOffBackend backend) {
    for (const SessionManager& m : kManagers) {
        if (m.backend == backend) {
            return m;
        }
    }
    return kManagers.front(); // not reached: every desktop backend is in the table
}

bool answers(const QStringList& answering, LogOffBackend backend) {
    return answering.contains(managerOf(backend).service);
}

} // namespace

LogOffBackend chooseLogOffBackend(const QStringList& desktops, const QStringList& answering) {
    for (const QString& desktop : desktops) {
        for (const DesktopName& known : kDesktops) {
            if (desktop.compare(known.name, Qt::CaseInsensitive) == 0 && answers(answering, known.backend)) {
                return known.backend;
            }
        }
    }
    for (const SessionManager& m : kManagers) {
        if (answering.contains(m.service)) {
            return m.backend;
        }
    }
    return LogOffBackend::LogindSession;
}

LogOffCall logOffCall(LogOffBackend backend) {
    const SessionManager& m = managerOf(backend);
    LogOffCall call{m.service, m.path, m.interface, m.method, {}};
    if (backend == LogOffBackend::GnomeSession) {
        call.arguments = {QVariant::fromValue(quint32{1})}; // 1: log out without the confirmation dialog
    } else if (backend == LogOffBackend::XfceSession) {
        call.arguments = {false, true}; // show_dialog, allow_save
    }
    return call;
}

LogOffCall restartCall(LogOffBackend backend) {
    const SessionManager& m = managerOf(backend);
    LogOffCall call{m.service, m.path, m.interface, m.restart, {}};
    if (backend == LogOffBackend::XfceSession) {
        call.arguments = {true}; // allow_save
    }
    return call;
}

} // namespace platform
