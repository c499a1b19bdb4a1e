// The autostart folders: writing and removing entries under the folder's lock, and the log-on
// list that the folders make.
#include "platform/linux/autostart_linux.h"

#include "platform/linux/safe_file.h"
#include "platform/registry.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QString>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcAutostart, "corvane.autostart")

namespace platform {

namespace {

QString qText(const std::string& s) {
    return QString::fromStdString(s);
}

/// While another writer holds the folder's lock, the clean-up of a killed writer's temporaries
/// is tried again this often, this many times.
constexpr int kCleanUpRetryMs = 100;
constexpr int kCleanUpTries = 100;

/// A lock on the folder itself, held while one of its entries is written: a temporary file of
/// ours found under it was left by a writer that was killed. It is never waited for: another
/// writer holds it only for the moment of its write, and a folder that takes no lock is written
/// without it.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : m_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (m_fd < 0) {
            return;
        }
        int result = 0;
        do {
            result = ::flock(m_fd, LOCK_EX | LOCK_NB);
        } while (result != 0 && errno == EINTR);
        if (result != 0) {
            m_busy = errno == EWOULDBLOCK;
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~FolderLock() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool held() const { return m_fd >= 0; }
    /// Another writer holds it.
    bool busy() const { return m_busy; }

private:
    int m_fd;
    bool m_busy = false;
};

/// Removes the temporaries a killed writer of entry left, under the folder's lock. While another
/// writer holds the lock, tries again later on a timer rather than wait.
void removeTemporariesUnderLock(const std::string& folder, const std::string& entry, int triesLeft) {
    const FolderLock lock(folder);
    if (lock.held()) {
        safefile::removeOwnTemporaries(entry);
    } else if (lock.busy() && triesLeft > 0 && QCoreApplication::instance() != nullptr) {
        QTimer::singleShot(kCleanUpRetryMs, QCoreApplication::instance(), [folder, entry, triesLeft] {
            removeTemporariesUnderLock(folder, entry, triesLeft - 1);
        });
    }
}

/// Moves a folder that stands where an entry goes to entry.stale (or .stale.2, ...): no desktop
/// starts it, and the entry can take its place. False, with the reason, when it stays.
bool moveFolderAside(const std::string& entry, std::string& why) {
    std::string aside = entry + ".stale";
    struct stat st {};
    for (int n = 2; ::lstat(aside.c_str(), &st) == 0; ++n) {
        aside = entry + ".stale." + std::to_string(n);
    }
    if (::rename(entry.c_str(), aside.c_str()) != 0) {
        why = "it is a folder that cannot be moved aside: " + safefile::reason(errno);
        return false;
    }
    qCWarning(lcAutostart).noquote() << "the autostart entry" << qText(entry)
                                     << "was a folder and was moved to" << qText(aside);
    return true;
}

} // namespace

long AutostartFolder::checkRead() const {
    struct stat st {};
    if (::stat(m_folder.c_str(), &st) != 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? kErrorSuccess : kErrorAccessDenied;
    }
    return ::access(m_folder.c_str(), R_OK | X_OK) == 0 ? kErrorSuccess : kErrorAccessDenied;
}

long AutostartFolder::checkWrite(std::string* why) const {
    std::string folder = m_folder;
    struct stat st {};
    while (::stat(folder.c_str(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            if (why != nullptr) {
                *why = "cannot look at " + folder + ": " + safefile::reason(errno);
            }
            return kErrorAccessDenied;
        }
        const auto slash = folder.find_last_of('/');
        if (slash == std::string::npos || slash == 0) {
            folder = "/";
            break;
        }
        folder = folder.substr(0, slash);
    }
    // access() also refuses an immutable folder (EPERM) and a read-only file system (EROFS).
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        if (why != nullptr) {
            *why = "cannot write in " + folder + ": " + safefile::reason(errno);
        }
        return kErrorAccessDenied;
    }
    return kErrorSuccess;
}

long AutostartFolder::replace(const std::string& name, const std::string& text) const {
    const std::string entry = entryPath(name);
    std::string why;
    if (checkWrite(&why) != kErrorSuccess) {
        qCWarning(lcAutostart).noquote()
            << "cannot write the autostart entry" << qText(entry) << ":" << qText(why);
        return kErrorAccessDenied;
    }
    if (!QDir().mkpath(qText(m_folder))) {
        qCWarning(lcAutostart).noquote() << "cannot make the autostart folder" << qText(m_folder);
        return kErrorAccessDenied;
    }
    struct stat st {};
    if (::lstat(entry.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && !moveFolderAside(entry, why)) {
        qCWarning(lcAutostart).noquote()
            << "cannot write the autostart entry" << qText(entry) << ":" << qText(why);
        return kErrorAccessDenied;
    }
    removeTemporariesUnderLock(m_folder, entry, kCleanUpTries);
    std::string error;
    // A symbolic link of that name is replaced itself, never written through.
    if (!safefile::writeAtomically(entry, QByteArray::fromStdString(text),
                                   S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH, error)) {
        qCWarning(lcAutostart).noquote()
            << "cannot write the autostart entry" << qText(entry) << ":" << qText(error);
        return kErrorAccessDenied;
    }
    return kErrorSuccess;
}

long AutostartFolder::write(const std::string& name, const std::string& path) const {
    if (!isEntryName(name)) {
        return kErrorInvalidParameter;
    }
    const std::string unusable = unusablePath(path);
    if (!unusable.empty()) {
        // An entry whose Exec line would start nothing, or something else, is not written.
        qCWarning(lcAutostart).noquote()
            << "no autostart entry written to" << qText(entryPath(name)) << ":" << qText(unusable)
            << QString::fromLatin1(QByteArray::fromStdString(path).toPercentEncoding("/"));
        return kErrorInvalidParameter;
    }
    return replace(name, desktopEntry(name, path));
}

long AutostartFolder::writeHidden(const std::string& name) const {
    if (!isEntryName(name)) {
        return kErrorInvalidParameter;
    }
    return replace(name, "[Desktop Entry]\nType=Application\nName=" + name + "\nHidden=true\n");
}

bool AutostartFolder::holdsAnything(const std::string& name) const {
    struct stat st {};
    return isEntryName(name) && ::lstat(entryPath(name).c_str(), &st) == 0;
}

long AutostartFolder::remove(const std::string& name) const {
    if (!isEntryName(name)) {
        return kErrorFileNotFound;
    }
    const std::string entry = entryPath(name);
    struct stat st {};
    if (::lstat(entry.c_str(), &st) != 0) {
        return kErrorFileNotFound;
    }
    removeTemporariesUnderLock(m_folder, entry, kCleanUpTries);
    // A link goes itself; its target stays.
    if (::unlink(entry.c_str()) != 0) {
        const int error = errno;
        qCWarning(lcAutostart).noquote()
            << "cannot remove the autostart entry" << qText(entry) << ":" << qText(safefile::reason(error));
        return kErrorAccessDenied;
    }
    return kErrorSuccess;
}

AutostartList::AutostartList(std::string userFolder, std::vector<std::string> systemFolders)
    : m_user(std::move(userFolder)) {
    for (std::string& folder : systemFolders) {
        m_system.emplace_back(std::move(folder));
    }
}

AutostartList AutostartList::fromEnvironment(const std::string& configHome) {
    std::vector<std::string> system;
    for (const QString& dir : qEnvironmentVariable("XDG_CONFIG_DIRS").split(':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir)) {
            system.push_back((dir + QStringLiteral("/autostart")).toStdString());
        }
    }
    if (system.empty()) {
        system.emplace_back("/etc/xdg/autostart");
    }
    return AutostartList(configHome + "/autostart", std::move(system));
}

long AutostartList::checkWrite() const {
    std::string why;
    const long result = m_user.checkWrite(&why);
    if (result != kErrorSuccess) {
        qCWarning(lcAutostart).noquote() << "the autostart entry cannot be changed:" << qText(why);
    }
    return result;
}

AutostartFolder::Entry AutostartList::systemEntry(const std::string& name, std::string& program) const {
    for (const AutostartFolder& folder : m_system) {
        const AutostartFolder::Entry entry = folder.read(name, program);
        if (entry != AutostartFolder::Entry::None) {
            return entry;
        }
    }
    return AutostartFolder::Entry::None;
}

long AutostartList::query(const std::string& name, std::vector<std::uint8_t>& data) const {
    std::string program;
    AutostartFolder::Entry entry = m_user.read(name, program);
    if (entry == AutostartFolder::Entry::None) {
        entry = systemEntry(name, program);
    }
    if (entry != AutostartFolder::Entry::Starts) {
        return kErrorFileNotFound;
    }
    data.assign(program.begin(), program.end());
    data.push_back(0);
    return kErrorSuccess;
}

long AutostartList::set(const std::string& name, std::uint32_t type,
                        const std::vector<std::uint8_t>& data) const {
    if (type != kRegSz) {
        return kErrorInvalidParameter;
    }
    std::string path(data.begin(), data.end());
    path = path.substr(0, path.find('\0'));
    const long result = m_user.write(name, path);
    if (result != kErrorSuccess) {
        return result;
    }
    // An entry that an earlier version or an administrator left in a system folder starts the
    // program for every user: where this user may change it, it follows.
    for (const AutostartFolder& folder : m_system) {
        std::string program;
        if (folder.read(name, program) == AutostartFolder::Entry::Starts && program != path &&
            folder.checkWrite() == kErrorSuccess) {
            folder.write(name, path);
        }
    }
    return kErrorSuccess;
}

long AutostartList::remove(const std::string& name) const {
    std::vector<std::uint8_t> before;
    const bool started = query(name, before) == kErrorSuccess;
    for (const AutostartFolder& folder : m_system) {
        std::string program;
        if (folder.read(name, program) == AutostartFolder::Entry::Starts &&
            folder.checkWrite() == kErrorSuccess) {
            folder.remove(name);
        }
    }
    std::string program;
    long result = kErrorSuccess;
    const AutostartFolder::Entry own = m_user.read(name, program);
    if (systemEntry(name, program) == AutostartFolder::Entry::Starts) {
        // A system entry this user may not change is hidden for this user alone, as the desktops'
        // own start-up settings do.
        if (own != AutostartFolder::Entry::Hidden) {
            result = m_user.writeHidden(name);
        }
    } else if (own != AutostartFolder::Entry::None || m_user.holdsAnything(name)) {
        // Also what of that name counts as no entry (a dangling link, a FIFO): it is ours.
        result = m_user.remove(name);
    }
    return result == kErrorSuccess && !started ? kErrorFileNotFound : result;
}

} // namespace platform
