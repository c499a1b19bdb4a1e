#include "platform/linux/registry_linux.h"
#include "platform/linux/safe_file.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cerrno>
#include <new>
#include <optional>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcHive, "corvane.registry")

namespace platform {

namespace {

constexpr std::size_t kMaxFileBytes = 64u << 20;
const char* const kTooLarge = "it is larger than 64 MB";

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
/// What identifies one state of a file: the change time moves with every write, also with one
/// that puts the modification time back (cp -p, touch -r).
HiveFile::Stamp StampOf(const struct stat& s) {
    const auto ns = [](const struct timespec& t) {
        return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
    };
    return {true, static_cast<unsigned long long>(s.st_dev), static_cast<unsigned long long>(s.st_ino),
            static_cast<long long>(s.st_size), ns(s.st_mtim), ns(s.st_ctim)};
}

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
    if (m_cached && StampOf(st) == m_stamp) {
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
    // No settings file is that large: a bigger one (or one that grows past it while it is read)
    // counts as corrupt rather than taking the memory it asks for.
    std::string bytes;
    bool tooLarge = static_cast<unsigned long long>(opened.st_size) > kMaxFileBytes;
    try {
        if (!tooLarge) {
            bytes.reserve(static_cast<std::size_t>(opened.st_size));
        }
        char buffer[1 << 16];
        while (!tooLarge) {
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
            tooLarge = bytes.size() > kMaxFileBytes;
        }
    } catch (const std::bad_alloc&) {
        ::close(fd);
        error = "there is not enough memory to read it";
        return ReadResult::Unreadable;
    }
    ::close(fd);
    ++m_reads;
    m_stamp = StampOf(opened);
    m_cached = true;
    m_corrupt = false;
    if (bytes.empty() && !tooLarge) {
        m_cache = hive::EmptyTree();
        return ReadResult::Ok;
    }
    bool parsed = false;
    try {
        parsed = !tooLarge && hive::Parse(bytes, m_cache, error);
    } catch (const std::bad_alloc&) {
        m_cached = false;
        m_cache = hive::EmptyTree();
        error = "there is not enough memory to read it";
        return ReadResult::Unreadable;
    }
    if (!parsed) {
        if (tooLarge) {
            error = kTooLarge;
        }
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
    const safefile::FileLock::Result locked = lock.tryAcquire(m_path + ".lock", lockError);
    if (locked == safefile::FileLock::Result::Busy) {
        return &m_cache; // another process is writing it: looked at again with the next read
    }
    if (locked == safefile::FileLock::Result::Failed) {
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

HiveFile::UpdateResult HiveFile::update(const std::function<void(hive::Key&)>& change) {
    std::string why;
    if (!writable(&why)) {
        if (!m_warnedUnwritable) {
            m_warnedUnwritable = true;
            qCWarning(lcHive).noquote() << "cannot write the settings file" << Q(m_path) << ":" << Q(why);
        }
        return UpdateResult::Failed;
    }
    const std::string folder = FolderOf(m_path);
    if (!QFileInfo::exists(Q(folder))) {
        if (!QDir().mkpath(Q(folder))) {
            qCWarning(lcHive).noquote()
                << "cannot create the folder" << Q(folder) << ":" << Q(safefile::Reason(errno));
            return UpdateResult::Failed;
        }
        ::chmod(folder.c_str(), S_IRWXU);
    }
    safefile::FileLock lock;
    std::string error;
    switch (lock.tryAcquire(m_path + ".lock", error)) {
    case safefile::FileLock::Result::Taken:
        break;
    case safefile::FileLock::Result::Busy:
        return UpdateResult::Busy;
    case safefile::FileLock::Result::Failed:
        qCWarning(lcHive).noquote() << "cannot change the settings file" << Q(m_path) << ":" << Q(error);
        return UpdateResult::Failed;
    }
    const std::string target = WritePath(m_path);
    // Under the lock no write is under way: a temporary file of ours was left by a killed writer.
    safefile::RemoveOwnTemporaries(target);
    // Read again under the lock whatever the stamp says: two writes of another program within
    // one tick of the file system's clock may leave all of it as it was.
    m_cached = false;
    switch (refresh(error)) {
    case ReadResult::Ok:
        break;
    case ReadResult::Unreadable:
        qCWarning(lcHive).noquote() << "cannot read the settings file" << Q(m_path) << ":" << Q(error);
        return UpdateResult::Failed;
    case ReadResult::Corrupt:
        keepAside(error.empty() ? m_corruptError : error);
        m_cached = false;
        if (refresh(error) != ReadResult::Ok) {
            return UpdateResult::Failed;
        }
        break;
    }
    try {
        hive::Key root = m_cache;
        change(root);
        // Never write what the next start would set aside for its size.
        const std::optional<std::string> text = hive::Write(root, kMaxFileBytes);
        if (!text) {
            qCWarning(lcHive).noquote() << "cannot write the settings file" << Q(m_path)
                                        << ": the settings would be larger than 64 MB";
            return UpdateResult::Failed;
        }
        struct stat written {};
        if (!safefile::WriteAtomically(target, QByteArray::fromStdString(*text), S_IRUSR | S_IWUSR, error,
                                       &written)) {
            qCWarning(lcHive).noquote() << "cannot write the settings file" << Q(m_path) << ":" << Q(error);
            return UpdateResult::Failed;
        }
        // Putting it in place changed its change time: the stamp is taken from where it is now.
        struct stat placed {};
        if (::stat(target.c_str(), &placed) == 0 && placed.st_dev == written.st_dev &&
            placed.st_ino == written.st_ino) {
            written = placed;
        }
        m_cache = std::move(root);
        m_stamp = StampOf(written);
    } catch (const std::bad_alloc&) {
        qCWarning(lcHive).noquote() << "cannot write the settings file" << Q(m_path)
                                    << ": there is not enough memory";
        return UpdateResult::Failed;
    }
    m_corrupt = false;
    m_cached = true;
    return UpdateResult::Stored;
}

} // namespace platform
