#pragma once

#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

namespace qtshell {

/// One notification with a Cancel action on the session bus's notification server
/// (org.freedesktop.Notifications). Without a server nothing is shown and nothing else happens.
/// Emits cancelled when the user takes the action, closed when the notification goes otherwise.
class DesktopNotifications final : public QObject {
    Q_OBJECT

public:
    explicit DesktopNotifications(QObject* parent = nullptr);

    /// Shows text with a Cancel action, in place of the one shown before.
    void show(const QString& text);
    /// Takes the notification away, also when the server has not yet answered show.
    void close();

signals:
    void cancelled();
    void closed();

private slots:
    void onActionInvoked(uint id, const QString& actionKey);
    void onNotificationClosed(uint id, uint reason);

private:
    void readAnswer(QDBusPendingCallWatcher* call);

    uint m_id = 0;          ///< the server's id of the notification shown, 0 for none
    bool m_waiting = false; ///< show was sent and not answered yet
    bool m_closeWhenShown = false;
};

} // namespace qtshell
