#pragma once

#include <QObject>

class QDBusPendingCallWatcher;

namespace qtshell {

/// Waits on the session bus for a StatusNotifierItem host: a StatusNotifierWatcher that reports
/// a registered host. Panels start late at log-on, and a Wayland client has no other tray, so
/// the tray icon is made only once a host is there (Qt decides once per process which tray it
/// speaks to). Emits hostReady once, then stays quiet.
class StatusNotifierWatch final : public QObject {
    Q_OBJECT

public:
    explicit StatusNotifierWatch(QObject* parent = nullptr);

    /// Starts watching and asks at once whether a host is there already.
    void start();

signals:
    void hostReady();

private slots:
    /// The watcher appeared on the bus or reported a newly registered host: ask again.
    void askWatcher();

private:
    void readAnswer(QDBusPendingCallWatcher* call);

    bool m_ready = false;
};

} // namespace qtshell
