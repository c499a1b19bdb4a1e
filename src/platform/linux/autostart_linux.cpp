#include "platform/linux/autostart_linux.h"

#include "platform/linux/hive.h"
#include "platform/linux/safe_file.h"
#include "platform/registry.h"

#include <QByteArray>
#include <QDir>
#include <QLoggingCategory>
#include <QString>

#include <cerrno>
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

/// What the log-on list reads of an entry: its Exec value, escapes still in, and the keys that
/// switch it off: Hidden=true, or X-GNOME-Autostart-enabled=false as GNOME's settings write it.
struct EntryKeys {
    std::string exec;
    bool hidden = false;
    bool disabled = false;
};

/// The keys of the [Desktop Entry] group of an entry's text; of a key given twice, the last.
EntryKeys readKeys(const QByteArray& text) {
    EntryKeys keys;
    bool inEntry = false;
    for (const QByteArray& raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        const qsizetype eq = line.indexOf('=');
        if (line.startsWith('[')) {
            inEntry = line == "[Desktop Entry]";
        } else if (inEntry && eq > 0) {
            const QByteArray key = line.left(eq).trimmed();
            const QByteArray value = line.mid(eq + 1).trimmed();
            if (key == "Exec") {
                keys.exec = value.toStdString();
            } else if (key == "Hidden") {
                keys.hidden = value == "true" || value == "1";
            } else if (key == "X-GNOME-Autostart-enabled") {
                keys.disabled = value == "false" || value == "0";
            }
        }
    }
    return keys;
}

/// A lock on the folder itself, held while one of its entries is written: a temporary file of
/// ours found under it was left by a writer that was killed. Another writer holds it only for
/// the moment of its write; a folder that takes no lock is written without it.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : m_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        for (int tries = 0; m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0; ++tries) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || tries == 50) {
                ::close(m_fd);
                m_fd = -1;
            } else {
                ::usleep(10 * 1000);
            }
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

private:
    int m_fd;
};

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

long AutostartFolder::checkWrite() const {
    std::string folder = m_folder;
    struct stat st {};
    while (::stat(folder.c_str(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            return kErrorAccessDenied;
        }
        const auto slash = folder.find_last_of('/');
        if (slash == std::string::npos || slash == 0) {
            folder = "/";
            break;
        }
        folder = folder.substr(0, slash);
    }
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? kErrorSuccess : kErrorAccessDenied;
}

AutostartFolder::Entry AutostartFolder::read(const std::string& name, std::string& program) const {
    program.clear();
    struct stat st {};
    if (!isEntryName(name) || ::lstat(entryPath(name).c_str(), &st) != 0) {
        return Entry::None;
    }
    // A link is followed, as the desktops do, but only to a regular file: a FIFO blocks nothing.
    const int fd = ::open(entryPath(name).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return Entry::Starts;
    }
    QByteArray text;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        // At most an entry's size.
        text.resize(qsizetype{64} * 1024);
        const ssize_t got = ::read(fd, text.data(), static_cast<std::size_t>(text.size()));
        text.resize(got > 0 ? got : 0);
    }
    ::close(fd);
    const EntryKeys keys = readKeys(text);
    if (keys.hidden || keys.disabled) {
        return Entry::Hidden;
    }
    program = programFromExec(keys.exec);
    return Entry::Starts;
}

long AutostartFolder::replace(const std::string& name, const std::string& text) const {
    const std::string entry = entryPath(name);
    if (checkWrite() != kErrorSuccess || !QDir().mkpath(qText(m_folder))) {
        return kErrorAccessDenied;
    }
    const FolderLock lock(m_folder);
    if (lock.held()) {
        safefile::removeOwnTemporaries(entry);
    }
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

long AutostartFolder::remove(const std::string& name) const {
    if (!isEntryName(name)) {
        return kErrorFileNotFound;
    }
    const std::string entry = entryPath(name);
    struct stat st {};
    if (::lstat(entry.c_str(), &st) != 0) {
        return kErrorFileNotFound;
    }
    const FolderLock lock(m_folder);
    if (lock.held()) {
        safefile::removeOwnTemporaries(entry);
    }
    // A link goes itself; its target stays.
    if (::unlink(entry.c_str()) != 0) {
        qCWarning(lcAutostart).noquote()
            << "cannot remove the autostart entry" << qText(entry) << ":" << qText(safefile::reason(errno));
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
    } else if (own != AutostartFolder::Entry::None) {
        result = m_user.remove(name);
    }
    return result == kErrorSuccess && !started ? kErrorFileNotFound : result;
}

} // namespace platform
