#include "platform/linux/registry_linux.h"
#include "platform/linux/safe_file.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcHive, "corvane.registry")

namespace platform {

namespace {

constexpr int kLockWaitMs = 10000;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

/// The folder itself when it exists, else the nearest one above it that does.
std::string NearestExisting(std::string folder) {
    struct stat st {};
    while (!folder.empty() && ::stat(folder.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
        const auto slash = folder.find_last_of('/');
        if (slash == std::string::npos) {
            return ".";
        }
        folder = slash == 0 ? "/" : folder.substr(0, slash);
    }
    return folder;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

/// Where a write goes: a settings file that is a symbolic link (kept with a person's other
/// configuration files, say) is written where it points.
std::string WritePath(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) {
            return resolved;
        }
    }
    return path;
}

} // namespace

HiveFile::ReadResult HiveFile::refresh(std::string& error) {
    struct stat st {};
    if (::stat(m_path.c_str(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            error = safefile::Reason(errno);
            return ReadResult::Unreadable;
        }
        if (!m_cached || m_stamp.exists) {
            m_cache = hive::EmptyTree();
            m_stamp = Stamp{};
            m_cached = true;
            m_corrupt = false;
        }
        return ReadResult::Ok;
    }
    if (!S_ISREG(st.st_mode)) {
        error = "it is " + safefile::KindOf(st.st_mode) + ", not a file";
        return ReadResult::Unreadable;
    }
    const auto stampOf = [](const struct stat& s) {
        return Stamp{true, static_cast<unsigned long long>(s.st_dev),
                     static_cast<unsigned long long>(s.st_ino), static_cast<long long>(s.st_size),
                     static_cast<long long>(s.st_mtim.tv_sec) * 1000000000LL + s.st_mtim.tv_nsec};
    };
    if (m_cached && stampOf(st) == m_stamp) {
        return m_corrupt ? ReadResult::Corrupt : ReadResult::Ok;
    }
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = safefile::Reason(errno);
        return ReadResult::Unreadable;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        error = ::fstat(fd, &opened) != 0 ? safefile::Reason(errno)
                                          : "it is " + safefile::KindOf(opened.st_mode) + ", not a file";
        ::close(fd);
        return ReadResult::Unreadable;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(opened.st_size));
    char buffer[1 << 16];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) {
            break;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = safefile::Reason(errno);
            ::close(fd);
            return ReadResult::Unreadable;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    ++m_reads;
    m_stamp = stampOf(opened);
    m_cached = true;
    m_corrupt = false;
    if (bytes.empty()) {
        m_cache = hive::EmptyTree();
        return ReadResult::Ok;
    }
    if (!hive::Parse(bytes, m_cache, error)) {
        m_cache = hive::EmptyTree();
        m_corrupt = true;
        m_corruptError = error;
        return ReadResult::Corrupt;
    }
    return ReadResult::Ok;
}

const hive::Key* HiveFile::tree() {
    std::string error;
    switch (refresh(error)) {
    case ReadResult::Ok:
        return &m_cache;
    case ReadResult::Unreadable:
        if (!m_warnedUnreadable) {
            m_warnedUnreadable = true;
            qCWarning(lcHive).noquote() << "cannot read the settings file" << Q(m_path) << ":" << Q(error);
        }
        return nullptr;
    case ReadResult::Corrupt:
        break;
    }
    if (error.empty()) {
        error = m_corruptError;
    }
    if (!writable()) {
        if (!m_warnedCorrupt) {
            m_warnedCorrupt = true;
            qCWarning(lcHive).noquote() << "the settings file" << Q(m_path) << "cannot be parsed ("
                                        << Q(error) << "); the settings start empty";
        }
        return &m_cache;
    }
    safefile::FileLock lock;
    std::string lockError;
    if (!lock.acquire(m_path + ".lock", kLockWaitMs, lockError)) {
        qCWarning(lcHive).noquote() << "the settings file" << Q(m_path) << "cannot be parsed (" << Q(error)
                                    << ") nor be moved aside (" << Q(lockError)
                                    << "); the settings start empty";
        return &m_cache;
    }
    // Another process may have replaced it meanwhile.
    m_cached = false;
    if (refresh(error) == ReadResult::Corrupt) {
        keepAside(error);
        m_cached = false;
        refresh(error);
    }
    return &m_cache;
}

bool HiveFile::load(hive::Key& root) {
    const hive::Key* current = tree();
    if (current == nullptr) {
        root = hive::EmptyTree();
        return false;
    }
    root = *current;
    return true;
}

void HiveFile::keepAside(const std::string& error) {
    // Never replace an earlier copy: each corrupt file is kept.
    QString aside = Q(m_path + ".corrupt");
    for (int n = 2; QFileInfo::exists(aside); ++n) {
        aside = Q(m_path + ".corrupt." + std::to_string(n));
    }
    if (::rename(m_path.c_str(), aside.toLocal8Bit().constData()) == 0) {
        qCWarning(lcHive).noquote() << "the settings file" << Q(m_path) << "cannot be parsed (" << Q(error)
                                    << "); it was kept as" << aside << "and the settings start empty";
    } else {
        qCWarning(lcHive).noquote() << "the settings file" << Q(m_path) << "cannot be parsed (" << Q(error)
                                    << ") nor be moved aside (" << Q(safefile::Reason(errno))
                                    << "); the settings start empty";
    }
}

bool HiveFile::writable(std::string* why) const {
    const std::string folder = NearestExisting(FolderOf(m_path));
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        if (why != nullptr) {
            *why = "the folder " + folder + " cannot be written: " + safefile::Reason(errno);
        }
        return false;
    }
    struct stat st {};
    if (::stat(m_path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            if (why != nullptr) {
                *why = "it is " + safefile::KindOf(st.st_mode) + ", not a file";
            }
            return false;
        }
        if (::access(m_path.c_str(), R_OK | W_OK) != 0) {
            if (why != nullptr) {
                *why = safefile::Reason(errno);
            }
            return false;
        }
    }
    return true;
}

bool HiveFile::update(const std::function<void(hive::Key&)>& change) {
    std::string why;
    if (!writable(&why)) {
        if (!m_warnedUnwritable) {
            m_warnedUnwritable = true;
            qCWarning(lcHive).noquote() << "cannot write the settings file" << Q(m_path) << ":" << Q(why);
        }
        return false;
    }
    const std::string folder = FolderOf(m_path);
    if (!QFileInfo::exists(Q(folder))) {
        if (!QDir().mkpath(Q(folder))) {
            qCWarning(lcHive).noquote()
                << "cannot create the folder" << Q(folder) << ":" << Q(safefile::Reason(errno));
            return false;
        }
        ::chmod(folder.c_str(), S_IRWXU);
    }
    safefile::FileLock lock;
    std::string error;
    if (!lock.acquire(m_path + ".lock", kLockWaitMs, error)) {
        qCWarning(lcHive).noquote() << "cannot change the settings file" << Q(m_path) << ":" << Q(error);
        return false;
    }
    const std::string target = WritePath(m_path);
    // Under the lock no write is under way: a temporary file of ours was left by a killed writer.
    safefile::RemoveOwnTemporaries(target);
    switch (refresh(error)) {
    case ReadResult::Ok:
        break;
    case ReadResult::Unreadable:
        qCWarning(lcHive).noquote() << "cannot read the settings file" << Q(m_path) << ":" << Q(error);
        return false;
    case ReadResult::Corrupt:
        keepAside(error.empty() ? m_corruptError : error);
        m_cached = false;
        if (refresh(error) != ReadResult::Ok) {
            return false;
        }
        break;
    }
    hive::Key root = m_cache;
    change(root);
    const QByteArray text = QByteArray::fromStdString(hive::Write(root));
    struct stat written {};
    if (!safefile::WriteAtomically(target, text, S_IRUSR | S_IWUSR, error, &written)) {
        qCWarning(lcHive).noquote() << "cannot write the settings file" << Q(m_path) << ":" << Q(error);
        return false;
    }
    m_cache = std::move(root);
    m_corrupt = false;
    m_cached = true;
    m_stamp = Stamp{true, static_cast<unsigned long long>(written.st_dev),
                    static_cast<unsigned long long>(written.st_ino), static_cast<long long>(written.st_size),
                    static_cast<long long>(written.st_mtim.tv_sec) * 1000000000LL + written.st_mtim.tv_nsec};
    return true;
}

} // namespace platform
