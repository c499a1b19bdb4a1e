#pragma once

#include <QString>
#include <QStringList>

/// The one scheduled task. It lives in the main window for the life of the process and is
/// never stored.
struct ScheduledTask {
    int scheduled = 0;                           ///< 1 scheduled, 0 not
    QString daysText;                            ///< trigger days, as typed
    QString hoursText;                           ///< trigger hours, as typed
    QString minutesText;                         ///< trigger minutes, as typed
    QString kind = QStringLiteral("task");       ///< the kind text at Apply
    QString message = QStringLiteral("message"); ///< the alert text
    int playSound = 0;                           ///< 1: play the notification sound with the alert
    QString program = QStringLiteral("lblexe");  ///< the program to run
    QString webAddress = QStringLiteral("URL");  ///< the web address to open
};

/// The seven task kinds, in the order of the kind box.
inline const QStringList& taskKinds() {
    static const QStringList kinds = {QStringLiteral("Turn Off Computer"),
                                      QStringLiteral("Log Off Computer"),
                                      QStringLiteral("Restart Computer"),
                                      QStringLiteral("Hibernate"),
                                      QStringLiteral("Alert"),
                                      QStringLiteral("Run Program"),
                                      QStringLiteral("Visit Website")};
    return kinds;
}
