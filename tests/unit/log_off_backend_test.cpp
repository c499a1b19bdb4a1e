#include "platform/linux/log_off_backend.h"

#include <gtest/gtest.h>

namespace {

using platform::LogOffBackend;

const QString kGnome = QStringLiteral("org.gnome.SessionManager");
const QString kKde = QStringLiteral("org.kde.Shutdown");
const QString kXfce = QStringLiteral("org.xfce.SessionManager");
const QString kLxqt = QStringLiteral("org.lxqt.session");
const QString kOther = QStringLiteral("org.freedesktop.Notifications");

struct ChoiceCase {
    const char* currentDesktop; // as XDG_CURRENT_DESKTOP gives it
    QStringList answering;
    LogOffBackend expected;
};

TEST(LogOffBackend_Choice, DesktopNamesAndAnsweringManagers) {
    const ChoiceCase cases[] = {
        {"GNOME", {kOther, kGnome}, LogOffBackend::GnomeSession},
        {"ubuntu:GNOME", {kGnome}, LogOffBackend::GnomeSession},
        {"Budgie:GNOME", {kGnome}, LogOffBackend::GnomeSession},
        {"Unity", {kGnome}, LogOffBackend::GnomeSession},
        {"GNOME-Flashback:GNOME", {kGnome}, LogOffBackend::GnomeSession},
        {"KDE", {kKde}, LogOffBackend::KdeShutdown},
        {"XFCE", {kXfce}, LogOffBackend::XfceSession},
        {"LXQt", {kLxqt}, LogOffBackend::LxqtSession},
        // Names compare without regard to case.
        {"kde", {kKde}, LogOffBackend::KdeShutdown},
        {"xfce", {kXfce}, LogOffBackend::XfceSession},
        // The named desktop wins over the order of the table, the first named over later ones.
        {"KDE", {kGnome, kKde}, LogOffBackend::KdeShutdown},
        {"LXQt:KDE", {kKde, kLxqt}, LogOffBackend::LxqtSession},
        // A named desktop whose manager is absent gives way to a later one that answers.
        {"KDE:XFCE", {kXfce}, LogOffBackend::XfceSession},
        // A desktop this table does not know, or none named: a known manager that answers.
        {"MATE", {kOther, kGnome}, LogOffBackend::GnomeSession},
        {"", {kXfce}, LogOffBackend::XfceSession},
        // No manager answers: logind ends the session.
        {"GNOME", {kOther}, LogOffBackend::LogindSession},
        {"KDE", {}, LogOffBackend::LogindSession},
        {"", {}, LogOffBackend::LogindSession},
        {"X-Cinnamon", {kOther}, LogOffBackend::LogindSession},
        // Only exact bus names count.
        {"GNOME",
         {kGnome + QStringLiteral(".Presence"), QStringLiteral("org.gnome")},
         LogOffBackend::LogindSession},
    };
    for (const ChoiceCase& c : cases) {
        const QStringList desktops =
            QString::fromLatin1(c.currentDesktop).split(QLatin1Char(':'), Qt::SkipEmptyParts);
        EXPECT_EQ(platform::chooseLogOffBackend(desktops, c.answering), c.expected)
            << c.currentDesktop << " / " << c.answering.join(QLatin1Char(' ')).toStdString();
    }
}

} // namespace
