#include "shell/qt/status_notifier_watch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace qtshell {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

} // namespace

StatusNotifierWatch::StatusNotifierWatch(QObject* parent) : QObject(parent) {}

void StatusNotifierWatch::start() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    auto* appearing =
        new QDBusServiceWatcher(kWatcherService, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(appearing, &QDBusServiceWatcher::serviceRegistered, this, &StatusNotifierWatch::askWatcher);
    // A watcher may come up before the panel's host registers with it.
    bus.connect(kWatcherService, kWatcherPath, kWatcherService,
                QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(askWatcher()));
    askWatcher();
}

void StatusNotifierWatch::askWatcher() {
    if (m_ready) {
        return;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(kWatcherService, kWatcherPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    get.setAutoStartService(false); // a panel starts the watcher; the bus must not
    auto* call = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(get), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, &StatusNotifierWatch::readAnswer);
}

void StatusNotifierWatch::readAnswer(QDBusPendingCallWatcher* call) {
    const QDBusPendingReply<QDBusVariant> reply = *call;
    call->deleteLater();
    if (m_ready || reply.isError() || !reply.value().variant().toBool()) {
        return;
    }
    m_ready = true;
    emit hostReady();
}

} // namespace qtshell
