#include "shell/qt/end_signals.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qtshell {

Q_LOGGING_CATEGORY(lcEndSignals, "corvane.signals")

namespace {

/// The pipe's two ends: the handler writes to [0], the window's thread reads [1].
std::array<int, 2> endSignalPipe = {-1, -1};

extern "C" void onEndSignal(int signal) {
    const int saved = errno;
    const auto byte = static_cast<char>(signal);
    // A full pipe already holds a signal that is not read yet: one is enough.
    (void)!::write(endSignalPipe[0], &byte, 1);
    errno = saved;
}

} // namespace

EndSignals::EndSignals(std::function<void()> onEnd, QObject* parent)
    : QObject(parent), m_onEnd(std::move(onEnd)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, endSignalPipe.data()) != 0) {
        const int error = errno;
        qCWarning(lcEndSignals) << "SIGTERM and SIGINT end the program without storing waiting settings:"
                                << std::strerror(error);
        return;
    }
    m_notifier = new QSocketNotifier(endSignalPipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(endSignalPipe[1], &byte, 1) == 1) {
            qCInfo(lcEndSignals) << "ending on signal" << ::sigabbrev_np(byte);
            m_onEnd();
        }
    });
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    ::sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT}) {
        ::sigaction(signal, &action, nullptr);
    }
}

EndSignals::~EndSignals() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    for (const int signal : {SIGTERM, SIGINT}) {
        ::sigaction(signal, &action, nullptr);
    }
    delete m_notifier;
    for (int& fd : endSignalPipe) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

} // namespace qtshell
