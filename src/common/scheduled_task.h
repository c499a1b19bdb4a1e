#pragma once

#include <QString>
#include <QStringList>

/// The one scheduled task. It lives in the main window for the life of the process and is
/// never stored.
struct ScheduledTask {
    int Check1 = 0;                              ///< 1 scheduled, 0 not
    QString dd;                                  ///< trigger days, as typed
    QString hr;                                  ///< trigger hours, as typed
    QString mm;                                  ///< trigger minutes, as typed
    QString task = QStringLiteral("task");       ///< the kind text at Apply
    QString message = QStringLiteral("message"); ///< the alert text
    int soundcheck = 0;                          ///< 1: play the notification sound with the alert
    QString lblexe = QStringLiteral("lblexe");   ///< the program to run
    QString Label8 = QStringLiteral("URL");      ///< the web address to open
};

/// The seven task kinds, in the order of the kind box.
inline const QStringList& TaskKinds() {
    static const QStringList kinds = {QStringLiteral("Turn Off Computer"),
                                      QStringLiteral("Log Off Computer"),
                                      QStringLiteral("Restart Computer"),
                                      QStringLiteral("Hibernate"),
                                      QStringLiteral("Alert"),
                                      QStringLiteral("Run Program"),
                                      QStringLiteral("Visit Website")};
    return kinds;
}
