#include "platform/linux/linux_services.h"
#include "platform/linux/log_off_backend.h"
#include "platform/linux/platform_log.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>

#include <functional>
#include <stdexcept>

#include <unistd.h>

namespace platform {

namespace {

/// The system refused a request or did not answer it; what() gives the reason.
class PowerRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kLogindPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

// Turn Off, Restart and Hibernate wait for the answer: a refusal (no authorization, a blocking
// inhibitor) must be reported, and Turn Off and Restart end the program right after an accepted
// request. The wait is bounded; logind and the session managers answer within milliseconds when
// they are well, and a request without an answer in time counts as refused.
constexpr int kRequestTimeoutMs = 5000;
// Questions to the bus daemon itself, which answers at once.
constexpr int kBusQueryTimeoutMs = 500;

QDBusMessage managerCall(const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(kLogind, kLogindPath, kManager, method);
    call.setArguments(arguments);
    return call;
}

QDBusMessage askBus(const QDBusConnection& bus, const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                       QStringLiteral("/org/freedesktop/DBus"),
                                                       QStringLiteral("org.freedesktop.DBus"), method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, kBusQueryTimeoutMs);
}

// Running now, or started by the bus on the first call.
bool serviceAvailable(const QDBusConnection& bus, const QString& name) {
    const QDBusMessage owner = askBus(bus, QStringLiteral("NameHasOwner"), {name});
    if (owner.type() == QDBusMessage::ReplyMessage && owner.arguments().value(0).toBool()) {
        return true;
    }
    const QDBusMessage activatable = askBus(bus, QStringLiteral("ListActivatableNames"), {});
    return activatable.type() == QDBusMessage::ReplyMessage &&
           activatable.arguments().value(0).toStringList().contains(name);
}

// Sends a call without waiting; its answer is handled when it arrives on the window's thread.
void callAsync(const QDBusConnection& bus, const QDBusMessage& call,
               std::function<void(const QDBusMessage&)> onReply = {},
               std::function<void(const QDBusMessage&)> onError = {}) {
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, call, onReply = std::move(onReply), onError = std::move(onError)] {
                         watcher->deleteLater();
                         const QDBusMessage reply = watcher->reply();
                         if (reply.type() != QDBusMessage::ErrorMessage) {
                             if (onReply) {
                                 onReply(reply);
                             }
                         } else if (onError) {
                             onError(reply);
                         } else {
                             qCWarning(lcPlatform).noquote()
                                 << call.service() << call.member() << "failed:" << reply.errorMessage();
                         }
                     });
}

PowerRefused refusal(const QDBusMessage& call, const QDBusMessage& reply) {
    return PowerRefused((call.service() + ' ' + call.member() + " refused: " + reply.errorName() + ": " +
                         reply.errorMessage())
                            .toStdString());
}

/// Sends a request and waits for its answer; throws PowerRefused with the reason when it is
/// refused or not answered.
void callAndWait(const QDBusConnection& bus, const QDBusMessage& call) {
    const QDBusMessage reply = bus.call(call, QDBus::Block, kRequestTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        throw refusal(call, reply);
    }
}

void requestAndWait(const QString& method) {
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        throw PowerRefused((method + " not sent, no system bus: " + bus.lastError().message()).toStdString());
    }
    callAndWait(bus, managerCall(method, {false}));
}

/// Whether an error says that nobody took the call (no such name, object or method), rather than
/// that the one asked refused it. A call taken but not answered in time is no such case: the
/// session manager may still be asking the applications, and logind would not ask them.
bool nobodyAnswered(const QString& errorName) {
    static const QStringList kNobody = {
        QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
        QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner"),
        QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"),
    };
    return kNobody.contains(errorName);
}

/// The desktop's session manager that answers on the session bus, or LogindSession.
LogOffBackend sessionManager(const QDBusConnection& session) {
    QStringList answering;
    if (session.isConnected()) {
        const QDBusMessage names = askBus(session, QStringLiteral("ListNames"), {});
        answering = names.arguments().value(0).toStringList();
    }
    const QStringList desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return chooseLogOffBackend(desktops, answering);
}

QDBusMessage sessionCall(const LogOffCall& request) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(request.service, request.path, request.interface, request.method);
    call.setArguments(request.arguments);
    return call;
}

void terminateSession(const QDBusConnection& bus, const QDBusMessage& sessionReply) {
    const QString path = sessionReply.arguments().value(0).value<QDBusObjectPath>().path();
    callAsync(bus,
              QDBusMessage::createMethodCall(kLogind, path, QStringLiteral("org.freedesktop.login1.Session"),
                                             QStringLiteral("Terminate")));
}

// The session this process runs in; a process started outside one (by a service manager, say)
// falls back to the session named in its environment.
void terminateOwnSession() {
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qCWarning(lcPlatform).noquote() << "Log off not sent, no system bus:" << bus.lastError().message();
        return;
    }
    const auto terminate = [bus](const QDBusMessage& reply) { terminateSession(bus, reply); };
    callAsync(bus, managerCall(QStringLiteral("GetSessionByPID"), {quint32(::getpid())}), terminate,
              [bus, terminate](const QDBusMessage& error) {
                  const QString id = qEnvironmentVariable("XDG_SESSION_ID");
                  if (id.isEmpty()) {
                      qCWarning(lcPlatform).noquote()
                          << "Log off failed, no session:" << error.errorMessage();
                      return;
                  }
                  callAsync(bus, managerCall(QStringLiteral("GetSession"), {id}), terminate);
              });
}

void powerOffAndWait() {
    requestAndWait(QStringLiteral("PowerOff"));
}

void rebootAndWait() {
    // The session manager lets applications save or object; logind's Reboot would not ask them.
    const QDBusConnection session = QDBusConnection::sessionBus();
    const LogOffBackend backend = sessionManager(session);
    if (backend != LogOffBackend::LogindSession) {
        const QDBusMessage call = sessionCall(restartCall(backend));
        const QDBusMessage reply = session.call(call, QDBus::Block, kRequestTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage) {
            return;
        }
        if (!nobodyAnswered(reply.errorName())) {
            throw refusal(call, reply);
        }
        qCInfo(lcPlatform).noquote() << call.service() << call.member() << "not answered ("
                                     << reply.errorName() << "); restarting through logind";
    }
    requestAndWait(QStringLiteral("Reboot"));
}

void hibernateAndWait() {
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        throw std::runtime_error("The system bus cannot be reached: " +
                                 bus.lastError().message().toStdString());
    }
    if (!serviceAvailable(bus, kLogind)) {
        throw std::runtime_error(
            "The power service org.freedesktop.login1 is not available on the system bus.");
    }
    callAndWait(bus, managerCall(QStringLiteral("Hibernate"), {false}));
}

void logOffAsync() {
    const QDBusConnection session = QDBusConnection::sessionBus();
    const LogOffBackend backend = sessionManager(session);
    if (backend == LogOffBackend::LogindSession) {
        terminateOwnSession();
    } else {
        callAsync(session, sessionCall(logOffCall(backend)));
    }
}

/// Runs a request and hands its outcome to answered: a PowerRefused is a refusal, any other
/// failure means the request could not be made.
void answer(const PowerAnswered& answered, const std::function<void()>& request) {
    PowerAnswer result;
    try {
        request();
    } catch (const PowerRefused& refused) {
        result = {PowerOutcome::Refused, refused.what()};
    } catch (const std::exception& failure) {
        result = {PowerOutcome::Unavailable, failure.what()};
    }
    answered(result);
}

} // namespace

void LinuxPower::powerOff(PowerAnswered answered) {
    answer(answered, powerOffAndWait);
}

void LinuxPower::reboot(PowerAnswered answered) {
    answer(answered, rebootAndWait);
}

void LinuxPower::hibernate(PowerAnswered answered) {
    answer(answered, hibernateAndWait);
}

void LinuxPower::logOff(PowerAnswered answered) {
    answer(answered, logOffAsync);
}

} // namespace platform
