#include "platform/linux/linux_services.h"
#include "platform/linux/log_off_backend.h"
#include "platform/linux/platform_log.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>

#include <functional>

#include <unistd.h>

namespace platform {

namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kLogindPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

// No request waits on the window's thread: each call is sent and its reply handled when it
// arrives, so the clock goes on meanwhile. The answer is still awaited: a refusal (no
// authorization, a blocking inhibitor) must be reported, and Turn Off and Restart end the program
// right after an accepted request. logind and the session managers answer within milliseconds
// when they are well; a request without an answer in time counts as refused.
constexpr int kRequestTimeoutMs = 5000;
// Questions to the bus daemon itself, which answers at once.
constexpr int kBusQueryTimeoutMs = 500;

using ReplyHandler = std::function<void(const QDBusMessage&)>;

/// Sends a call and hands its reply to handle on the window's thread; a call without an answer
/// within timeoutMs gets the error NoReply in its place.
void send(const QDBusConnection& bus, const QDBusMessage& call, int timeoutMs, ReplyHandler handle) {
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, timeoutMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, handle = std::move(handle)] {
                         watcher->deleteLater();
                         handle(watcher->reply());
                     });
}

bool isReply(const QDBusMessage& message) {
    return message.type() == QDBusMessage::ReplyMessage;
}

QDBusMessage managerCall(const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(kLogind, kLogindPath, kManager, method);
    call.setArguments(arguments);
    return call;
}

void askBus(const QDBusConnection& bus, const QString& method, const QVariantList& arguments,
            ReplyHandler handle) {
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                       QStringLiteral("/org/freedesktop/DBus"),
                                                       QStringLiteral("org.freedesktop.DBus"), method);
    call.setArguments(arguments);
    send(bus, call, kBusQueryTimeoutMs, std::move(handle));
}

// Running now, or started by the bus on the first call.
void whenServiceKnown(const QDBusConnection& bus, const QString& name, std::function<void(bool)> then) {
    askBus(bus, QStringLiteral("NameHasOwner"), {name}, [bus, name, then](const QDBusMessage& owner) {
        if (isReply(owner) && owner.arguments().value(0).toBool()) {
            then(true);
            return;
        }
        askBus(
            bus, QStringLiteral("ListActivatableNames"), {}, [name, then](const QDBusMessage& activatable) {
                then(isReply(activatable) && activatable.arguments().value(0).toStringList().contains(name));
            });
    });
}

PowerAnswer refusal(const QDBusMessage& call, const QDBusMessage& reply) {
    return {PowerOutcome::Refused, (call.service() + ' ' + call.member() + " refused: " + reply.errorName() +
                                    ": " + reply.errorMessage())
                                       .toStdString()};
}

/// Sends a request; answered learns whether it was taken.
void request(const QDBusConnection& bus, const QDBusMessage& call, const PowerAnswered& answered) {
    send(bus, call, kRequestTimeoutMs, [call, answered](const QDBusMessage& reply) {
        answered(isReply(reply) ? PowerAnswer{} : refusal(call, reply));
    });
}

void requestOfLogind(const QString& method, const PowerAnswered& answered) {
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        answered({PowerOutcome::Refused,
                  (method + " not sent, no system bus: " + bus.lastError().message()).toStdString()});
        return;
    }
    request(bus, managerCall(method, {false}), answered);
}

/// Whether an error says that nobody took the call (no such name, object or method), rather than
/// that the one asked refused it. A call taken but not answered in time is no such case: the
/// session manager may still be asking the applications, and logind would not ask them.
bool nobodyTookTheCall(const QString& errorName) {
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

QDBusMessage sessionCall(const LogOffCall& request) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(request.service, request.path, request.interface, request.method);
    call.setArguments(request.arguments);
    return call;
}

/// Asks the desktop's session manager first, which lets applications save or object; without
/// one, or when the one found does not take the call, logindRequest asks logind instead. A
/// session manager that takes the call and refuses it, or does not answer in time, refused it.
void askSessionManagerFirst(LogOffCall (*callOf)(LogOffBackend),
                            std::function<void(PowerAnswered)> logindRequest, PowerAnswered answered) {
    const QDBusConnection session = QDBusConnection::sessionBus();
    const QStringList desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    const auto withManager = [session, callOf, logindRequest, answered](LogOffBackend backend) {
        if (backend == LogOffBackend::LogindSession) {
            logindRequest(answered);
            return;
        }
        const QDBusMessage call = sessionCall(callOf(backend));
        send(session, call, kRequestTimeoutMs, [call, logindRequest, answered](const QDBusMessage& reply) {
            if (isReply(reply)) {
                answered({});
            } else if (!nobodyTookTheCall(reply.errorName())) {
                answered(refusal(call, reply));
            } else {
                qCInfo(lcPlatform).noquote() << call.service() << call.member() << "not taken ("
                                             << reply.errorName() << "); asking logind";
                logindRequest(answered);
            }
        });
    };
    if (!session.isConnected()) {
        withManager(chooseLogOffBackend(desktops, {}));
        return;
    }
    askBus(session, QStringLiteral("ListNames"), {}, [desktops, withManager](const QDBusMessage& names) {
        withManager(chooseLogOffBackend(desktops, names.arguments().value(0).toStringList()));
    });
}

void terminateSession(const QDBusConnection& bus, const QDBusMessage& sessionReply,
                      const PowerAnswered& answered) {
    const QString path = sessionReply.arguments().value(0).value<QDBusObjectPath>().path();
    request(bus,
            QDBusMessage::createMethodCall(kLogind, path, QStringLiteral("org.freedesktop.login1.Session"),
                                           QStringLiteral("Terminate")),
            answered);
}

// The session this process runs in; a process started outside one (by a service manager, say)
// falls back to the session named in its environment. logind not answering the first question
// would not answer the second either: that is a refusal at once.
void terminateOwnSession(const PowerAnswered& answered) {
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        answered({PowerOutcome::Refused,
                  ("Log off not sent, no system bus: " + bus.lastError().message()).toStdString()});
        return;
    }
    const QDBusMessage byProcess = managerCall(QStringLiteral("GetSessionByPID"), {quint32(::getpid())});
    send(bus, byProcess, kRequestTimeoutMs, [bus, byProcess, answered](const QDBusMessage& reply) {
        if (isReply(reply)) {
            terminateSession(bus, reply, answered);
            return;
        }
        const QString id = qEnvironmentVariable("XDG_SESSION_ID");
        if (id.isEmpty() || reply.errorName() == QDBusError::errorString(QDBusError::NoReply)) {
            answered(refusal(byProcess, reply));
            return;
        }
        const QDBusMessage byId = managerCall(QStringLiteral("GetSession"), {id});
        send(bus, byId, kRequestTimeoutMs, [bus, byId, answered](const QDBusMessage& session) {
            if (isReply(session)) {
                terminateSession(bus, session, answered);
            } else {
                answered(refusal(byId, session));
            }
        });
    });
}

} // namespace

void LinuxPower::powerOff(PowerAnswered answered) {
    requestOfLogind(QStringLiteral("PowerOff"), answered);
}

void LinuxPower::reboot(PowerAnswered answered) {
    // logind's Reboot would not ask the applications.
    askSessionManagerFirst(
        restartCall, [](const PowerAnswered& then) { requestOfLogind(QStringLiteral("Reboot"), then); },
        std::move(answered));
}

void LinuxPower::logOff(PowerAnswered answered) {
    askSessionManagerFirst(logOffCall, terminateOwnSession, std::move(answered));
}

void LinuxPower::hibernate(PowerAnswered answered) {
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        answered({PowerOutcome::Unavailable,
                  "The system bus cannot be reached: " + bus.lastError().message().toStdString()});
        return;
    }
    whenServiceKnown(bus, kLogind, [bus, answered](bool known) {
        if (!known) {
            answered({PowerOutcome::Unavailable,
                      "The power service org.freedesktop.login1 is not available on the system bus."});
            return;
        }
        request(bus, managerCall(QStringLiteral("Hibernate"), {false}), answered);
    });
}

} // namespace platform
