#pragma once

// Files of the settings folder and the autostart folder written safely: a new file is written
// under a temporary name only this program uses and renamed over the old one (never through a
// symbolic link), and a lock between processes that never reads what it finds.

#include <QByteArray>

#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace platform::safefile {

/// The suffix of the temporary files this program writes: ".<name>.XXXXXX.corvane-tmp".
inline constexpr const char* kTemporarySuffix = ".corvane-tmp";

/// Whether fileName is a temporary file this program made for the file `base` of the same
/// folder: a dot, base, a dot, six letters or digits, and the suffix above.
bool IsOwnTemporary(const std::string& fileName, const std::string& base);

/// Removes the temporary files a killed writer of path left; nothing else.
void RemoveOwnTemporaries(const std::string& path);

/// Writes bytes to a new file beside path with the given mode and renames it over path. A
/// symbolic link at path is replaced itself; what it points to is not touched. False, with the
/// reason in error, when path stays as it was. written, when given, receives the new file's status.
bool WriteAtomically(const std::string& path, const QByteArray& bytes, mode_t mode, std::string& error,
                     struct stat* written = nullptr);

/// A text for errno: "No space left on device (ENOSPC)".
std::string Reason(int error);

/// What kind of thing a non-regular file is: "a folder", "a FIFO", ...; empty for a regular file.
std::string KindOf(mode_t mode);

/// The lock between processes that share a file: an advisory lock (flock) on path, a file of
/// its own. A lock file that is not a regular file (a symbolic link, a FIFO, a device) is stale:
/// it is removed, the target of a link is never opened. One that cannot be used (a folder that
/// holds files, a file of another user) is moved aside when the folder allows it, with a line in
/// the log. Nothing is read from the lock file. The lock ends with the object, or with the
/// process when it is killed.
class FileLock {
public:
    enum class Result {
        Taken,
        Busy,   ///< another process holds it
        Failed, ///< it cannot be taken; the reason is in the error
    };

    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    /// Takes the lock when no other process holds it, without waiting.
    Result tryAcquire(const std::string& path, std::string& error);
    void release();
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
    std::string m_path;
};

} // namespace platform::safefile
