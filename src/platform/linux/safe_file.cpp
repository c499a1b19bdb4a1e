#include "platform/linux/safe_file.h"

#include <QLoggingCategory>
#include <QString>

#include <cerrno>
#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcFiles, "corvane.files")

namespace platform::safefile {

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

/// Moves a lock file that cannot be used out of the way, to path.stale (or .stale.2, ...), and
/// says so in the log. False, with the reason in error, when it stays.
bool MoveAside(const std::string& path, const std::string& what, std::string& error) {
    std::string aside = path + ".stale";
    struct stat st {};
    for (int n = 2; ::lstat(aside.c_str(), &st) == 0; ++n) {
        aside = path + ".stale." + std::to_string(n);
    }
    if (::rename(path.c_str(), aside.c_str()) != 0) {
        if (errno == ENOENT) {
            return true; // gone meanwhile
        }
        error = "the lock file " + path + " is " + what + " that cannot be moved aside: " + Reason(errno);
        return false;
    }
    qCWarning(lcFiles).noquote() << "the lock file" << QString::fromStdString(path) << "was"
                                 << QString::fromStdString(what) << "and was moved to"
                                 << QString::fromStdString(aside);
    return true;
}

} // namespace

std::string Reason(int error) {
    const char* name = ::strerrorname_np(error);
    std::string text = std::strerror(error);
    if (name != nullptr) {
        text += std::string(" (") + name + ")";
    }
    return text;
}

std::string KindOf(mode_t mode) {
    if (S_ISREG(mode)) {
        return {};
    }
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISFIFO(mode)) {
        return "a FIFO";
    }
    if (S_ISLNK(mode)) {
        return "a symbolic link";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    return "not a regular file";
}

bool IsOwnTemporary(const std::string& fileName, const std::string& base) {
    const std::string suffix = kTemporarySuffix;
    const std::string prefix = "." + base + ".";
    if (fileName.size() != prefix.size() + 6 + suffix.size() ||
        fileName.compare(0, prefix.size(), prefix) != 0 ||
        fileName.compare(fileName.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    for (std::size_t i = prefix.size(); i < prefix.size() + 6; ++i) {
        if (!IsLetterOrDigit(fileName[i])) {
            return false;
        }
    }
    return true;
}

void RemoveOwnTemporaries(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::string base = BaseOf(path);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    std::vector<std::string> found;
    while (const dirent* entry = ::readdir(dir)) {
        if (IsOwnTemporary(entry->d_name, base)) {
            found.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    for (const std::string& name : found) {
        const std::string full = folder + "/" + name;
        struct stat st {};
        // Only files: a folder or anything else of that name is left alone.
        if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            ::unlink(full.c_str());
        }
    }
}

bool WriteAtomically(const std::string& path, const QByteArray& bytes, mode_t mode, std::string& error,
                     struct stat* written) {
    const std::string folder = FolderOf(path);
    const std::string suffix = kTemporarySuffix;
    std::string pattern = folder + "/." + BaseOf(path) + ".XXXXXX" + suffix;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemps(name.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
    if (fd < 0) {
        error = "cannot create a new file in " + folder + ": " + Reason(errno);
        return false;
    }
    const std::string temporary(name.data());
    const auto fail = [&](const std::string& what) {
        error = what + ": " + Reason(errno);
        ::unlink(temporary.c_str());
        return false;
    };
    if (::fchmod(fd, mode) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return fail("cannot set the new file's mode");
    }
    if (!WriteAll(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())) || ::fsync(fd) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return fail("cannot write the new file");
    }
    if (written != nullptr && ::fstat(fd, written) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return fail("cannot read the new file's status");
    }
    if (::close(fd) != 0) {
        return fail("cannot write the new file");
    }
    // rename replaces the name itself: a symbolic link there goes, its target stays as it is.
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        return fail("cannot put the new file in place");
    }
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

FileLock::~FileLock() {
    release();
}

void FileLock::release() {
    if (m_fd < 0) {
        return;
    }
    // Removed while still held: a process that opened it meanwhile sees that it is gone and
    // opens the next one.
    ::unlink(m_path.c_str());
    ::close(m_fd);
    m_fd = -1;
}

FileLock::Result FileLock::tryAcquire(const std::string& path, std::string& error) {
    release();
    // A few more looks when the lock file changes between one step and the next.
    constexpr int kLooks = 50;
    for (int look = 1;; ++look) {
        const bool lastLook = look >= kLooks;
        struct stat st {};
        const bool exists = ::lstat(path.c_str(), &st) == 0;
        if (exists && !S_ISREG(st.st_mode)) {
            // Not one of ours: a stale lock. A link goes itself; its target is never opened.
            const int removed = S_ISDIR(st.st_mode) ? ::rmdir(path.c_str()) : ::unlink(path.c_str());
            if (removed != 0 && errno != ENOENT && !MoveAside(path, KindOf(st.st_mode), error)) {
                return Result::Failed;
            }
            if (lastLook) {
                error = "the lock file " + path + " keeps coming back as " + KindOf(st.st_mode);
                return Result::Failed;
            }
            continue;
        }
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                        S_IRUSR | S_IWUSR);
        if (fd < 0 && (errno == EACCES || errno == EPERM) && exists && !lastLook) {
            // A file of another user (left by a run as root) goes aside; one that cannot be moved
            // either (an immutable one) can still be locked for reading.
            const int refused = errno;
            std::string moveError;
            if (MoveAside(path, "a file that cannot be opened (" + Reason(refused) + ")", moveError)) {
                continue;
            }
            fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            if (fd < 0) {
                error = "cannot open the lock file " + path + ": " + Reason(refused) + "; " + moveError;
                return Result::Failed;
            }
        }
        if (fd < 0) {
            if (errno == EINTR || ((errno == ELOOP || errno == EISDIR || errno == ENXIO) && !lastLook)) {
                continue; // replaced between the look and the opening: look again
            }
            error = "cannot create the lock file " + path + ": " + Reason(errno);
            return Result::Failed;
        }
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            if (lastLook) {
                error = "the lock file " + path + " is not a regular file";
                return Result::Failed;
            }
            continue;
        }
        const int locked = ::flock(fd, LOCK_EX | LOCK_NB);
        // A file system without such locks (some network and FUSE ones): the writes stay atomic,
        // only two writers at the same moment may lose one of their changes.
        const bool noLocks = locked != 0 && (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS);
        if (locked == 0 || noLocks) {
            struct stat now {};
            if (::lstat(path.c_str(), &now) == 0 && now.st_dev == opened.st_dev &&
                now.st_ino == opened.st_ino) {
                m_fd = fd;
                m_path = path;
                return Result::Taken;
            }
            ::close(fd); // its holder removed it meanwhile: take the next one
            if (lastLook) {
                return Result::Busy;
            }
            continue;
        }
        const int failure = errno;
        ::close(fd);
        if (failure == EINTR && !lastLook) {
            continue;
        }
        if (failure != EWOULDBLOCK && failure != EINTR) {
            error = "cannot lock " + path + ": " + Reason(failure);
            return Result::Failed;
        }
        return Result::Busy;
    }
}

} // namespace platform::safefile
