#include "platform/linux/autostart_linux.h"

#include "platform/linux/hive.h"
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
#include <glib.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcAutostart, "corvane.autostart")

namespace platform {

namespace {

QString qText(const std::string& s) {
    return QString::fromStdString(s);
}

/// Entries are read whole up to this size, as no desktop starts a larger one.
constexpr qsizetype kMaxEntryBytes = qsizetype{1024} * 1024;
/// While another writer holds the folder's lock, the clean-up of a killed writer's temporaries
/// is tried again this often, this many times.
constexpr int kCleanUpRetryMs = 100;
constexpr int kCleanUpTries = 100;

/// The bytes of the regular file at path (a link followed), or nothing for one that cannot be
/// read, is no regular file or is larger than an entry can be. A FIFO or a device is never read.
std::optional<QByteArray> readEntryFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat st {};
    QByteArray text;
    bool whole = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxEntryBytes;
    if (whole) {
        // One byte more than the bound tells a file that grew past it.
        text.resize(kMaxEntryBytes + 1);
        qsizetype got = 0;
        while (got < text.size()) {
            const ssize_t n = ::read(fd, text.data() + got, static_cast<std::size_t>(text.size() - got));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                whole = n == 0;
                break;
            }
            got += n;
        }
        text.resize(got);
        whole = whole && got <= kMaxEntryBytes;
    }
    ::close(fd);
    return whole ? std::optional<QByteArray>(text) : std::nullopt;
}

/// A GKeyFile that frees itself.
struct KeyFile {
    GKeyFile* file = g_key_file_new();
    KeyFile() = default;
    KeyFile(const KeyFile&) = delete;
    KeyFile& operator=(const KeyFile&) = delete;
    ~KeyFile() { g_key_file_free(file); }
    /// The value of a key of the entry's group, escapes still in; nothing when it is missing.
    std::optional<std::string> value(const char* key) const {
        return taken(g_key_file_get_value(file, kEntryGroup, key, nullptr));
    }
    /// The value as a string, escapes undone; nothing when it is missing or not UTF-8.
    std::optional<std::string> string(const char* key) const {
        return taken(g_key_file_get_string(file, kEntryGroup, key, nullptr));
    }
    bool has(const char* key) const { return g_key_file_has_key(file, kEntryGroup, key, nullptr) != FALSE; }
    bool boolean(const char* key) const {
        return g_key_file_get_boolean(file, kEntryGroup, key, nullptr) != FALSE;
    }
    static constexpr const char* kEntryGroup = "Desktop Entry";

private:
    /// GLib's text as a string, freed; nothing for none.
    static std::optional<std::string> taken(gchar* v) {
        if (v == nullptr) {
            return std::nullopt;
        }
        std::string text(v);
        g_free(v);
        return text;
    }
};

/// Whether the program a TryExec names is there: an absolute path that may be run, or a name
/// found on PATH.
bool programFound(const std::string& tryExec) {
    gchar* path = g_find_program_in_path(tryExec.c_str());
    const bool found = path != nullptr;
    g_free(path);
    return found;
}

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

/// The path as a desktop entry's string value.
std::string stringValue(const std::string& path) {
    std::string value;
    for (char c : path) {
        value += c;
        if (c == '\\') {
            value += '\\';
        }
    }
    return value;
}

} // namespace

bool AutostartFolder::isEntryName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           hive::isStorableName(name);
}

std::string AutostartFolder::execValue(const std::string& path) {
    // Quoting for the Exec line, then the escapes every string value takes (applied first by
    // the reader): a backslash in the path becomes four in the file.
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
        if (c == '%') {
            quoted += '%';
        }
    }
    quoted += '"';
    std::string value;
    for (char c : quoted) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\t':
            value += "\\t";
            break;
        case '\r':
            value += "\\r";
            break;
        default:
            value += c;
        }
    }
    // GLib looks for the program named by the first word before it turns %% into %, and
    // refuses the entry when there is none: a path with a percent sign is started through env.
    return path.find('%') == std::string::npos ? value : "env " + value;
}

std::string AutostartFolder::programFromExec(const std::string& exec) {
    std::string value;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size()) {
            const char next = exec[++i];
            switch (next) {
            case 's':
                value += ' ';
                break;
            case 'n':
                value += '\n';
                break;
            case 't':
                value += '\t';
                break;
            case 'r':
                value += '\r';
                break;
            case '\\':
                value += '\\';
                break;
            default:
                value += '\\';
                value += next;
            }
        } else {
            value += exec[i];
        }
    }
    if (value.rfind("env \"", 0) == 0) {
        value.erase(0, 4);
    }
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        return value;
    }
    std::string path;
    for (std::size_t i = 1; i + 1 < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\' && i + 2 < value.size()) {
            path += value[++i];
        } else if (c == '%' && i + 2 < value.size() && value[i + 1] == '%') {
            path += '%';
            ++i;
        } else if (c == '"') {
            return value; // more than one argument: not a program path alone
        } else {
            path += c;
        }
    }
    return path;
}

std::string AutostartFolder::desktopEntry(const std::string& name, const std::string& path) {
    // TryExec: once the program is removed, the desktops start nothing for an entry left behind.
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           name +
           "\n"
           "Comment=Shows how long the computer has been up\n"
           "Exec=" +
           execValue(path) +
           "\n"
           "TryExec=" +
           stringValue(path) +
           "\n"
           "Icon=corvane\n"
           "Terminal=false\n";
}

std::string AutostartFolder::entryPath(const std::string& name) const {
    // Only the exact name is ours: another program's entry that differs in case is not.
    return m_folder + "/" + name + ".desktop";
}

std::string AutostartFolder::unusablePath(const std::string& path) {
    if (path.empty()) {
        return "the program's path is unknown";
    }
    const QByteArray raw = QByteArray::fromStdString(path);
    if (QString::fromUtf8(raw).toUtf8() != raw) {
        return "the program's path is not valid UTF-8";
    }
    if (path.find('\t') != std::string::npos) {
        return "the program's path holds a tab";
    }
    if (path.find('\n') != std::string::npos || path.find('\r') != std::string::npos) {
        return "the program's path holds a line break";
    }
    if (!hive::isStorableName(path)) {
        return "the program's path holds a control character";
    }
    return {};
}

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

AutostartFolder::Entry AutostartFolder::read(const std::string& name, std::string& program) const {
    // As the desktops read it (GLib's key-file reader): a readable regular file, links followed,
    // whose first group is the entry's, of type Application, whose TryExec program is there. Any
    // other counts as no entry, and the next folder decides.
    program.clear();
    if (!isEntryName(name)) {
        return Entry::None;
    }
    const std::optional<QByteArray> text = readEntryFile(entryPath(name));
    KeyFile keys;
    if (!text || g_key_file_load_from_data(keys.file, text->constData(), static_cast<gsize>(text->size()),
                                           G_KEY_FILE_NONE, nullptr) == FALSE) {
        return Entry::None;
    }
    gchar* first = g_key_file_get_start_group(keys.file);
    const bool entryFirst = first != nullptr && std::strcmp(first, KeyFile::kEntryGroup) == 0;
    g_free(first);
    const std::optional<std::string> type = keys.string("Type");
    const std::optional<std::string> tryExec = keys.string("TryExec");
    if (!entryFirst || type != "Application" || (tryExec && !tryExec->empty() && !programFound(*tryExec))) {
        return Entry::None;
    }
    // GNOME's switch counts as off for anything but a true value, as gnome-session reads it.
    if (keys.boolean("Hidden") ||
        (keys.has("X-GNOME-Autostart-enabled") && !keys.boolean("X-GNOME-Autostart-enabled"))) {
        return Entry::Hidden;
    }
    program = programFromExec(keys.value("Exec").value_or(std::string()));
    return Entry::Starts;
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
