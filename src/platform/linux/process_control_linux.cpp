#include "platform/linux/linux_services.h"

#include <QDir>
#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

int LinuxProcessControl::platformId() {
    // Every Linux system this program builds for is supported.
    return 2;
}

void LinuxProcessControl::createInstanceLock(const std::string& name) {
    // Stands for the named instance mutex: created, held open until the process ends, never examined.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    const QByteArray path = QDir(folder).filePath(QString::fromStdString(name) + ".lock").toLocal8Bit();
    m_lockFd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

std::uint32_t LinuxProcessControl::currentExitCode() {
    // What the system reports for a process that is still running.
    return 259;
}

void LinuxProcessControl::runBeforeEnd() {
    if (m_beforeEnd) {
        const std::function<void()> beforeEnd = std::move(m_beforeEnd);
        m_beforeEnd = nullptr;
        beforeEnd();
    }
}

void LinuxProcessControl::terminateCurrentProcess(std::uint32_t code) {
    runBeforeEnd();
    // A POSIX parent sees the low 8 bits of the status: 259 reads as 3.
    ::_exit(static_cast<int>(code));
}

void LinuxProcessControl::endImmediately() {
    runBeforeEnd();
    ::_exit(0);
}

} // namespace platform
