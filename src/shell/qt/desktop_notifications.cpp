#include "shell/qt/desktop_notifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLoggingCategory>
#include <QVariantMap>

namespace qtshell {

Q_LOGGING_CATEGORY(lcNotify, "corvane.notifications")

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kCancelAction = QStringLiteral("cancel");
// The server's reason for a notification closed by a call of CloseNotification.
constexpr uint kClosedByCall = 3;

} // namespace

DesktopNotifications::DesktopNotifications(QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint, QString)));
    bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                SLOT(onNotificationClosed(uint, uint)));
}

void DesktopNotifications::show(const QString& text) {
    QDBusMessage notify =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar{2})); // critical: it stays
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.example.Corvane"));
    // No expiry: the warning stays until the task runs, is cancelled or the user closes it.
    notify << QStringLiteral("Corvane") << m_id << QStringLiteral("corvane") << QStringLiteral("Corvane")
           << text << QStringList{kCancelAction, QStringLiteral("Cancel")} << hints << 0;
    m_waiting = true;
    m_closeWhenShown = false;
    // Asked without waiting: a server that is missing or slow never holds up the window.
    auto* call = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(notify), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, &DesktopNotifications::readAnswer);
}

void DesktopNotifications::readAnswer(QDBusPendingCallWatcher* call) {
    const QDBusPendingReply<uint> reply = *call;
    call->deleteLater();
    m_waiting = false;
    if (reply.isError()) {
        qCInfo(lcNotify).noquote() << "No warning shown: no notification server answered:"
                                   << reply.error().message();
        return;
    }
    m_id = reply.value();
    if (m_closeWhenShown) {
        close();
    }
}

void DesktopNotifications::close() {
    if (m_waiting) {
        m_closeWhenShown = true;
        return;
    }
    if (m_id == 0) {
        return;
    }
    QDBusConnection::sessionBus().asyncCall(
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"))
        << m_id);
    m_id = 0;
}

void DesktopNotifications::onActionInvoked(uint id, const QString& actionKey) {
    if (id != 0 && id == m_id && actionKey == kCancelAction) {
        emit cancelled();
    }
}

void DesktopNotifications::onNotificationClosed(uint id, uint reason) {
    if (id == 0 || id != m_id) {
        return;
    }
    m_id = 0;
    if (reason != kClosedByCall) {
        emit closed();
    }
}

} // namespace qtshell
