#include "platform/linux/hive.h"
#include "platform/linux/registry_linux.h"
#include "platform/linux/safe_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QString>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcAutostart, "corvane.autostart")

namespace platform {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

bool IsEntryName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           hive::IsStorableName(name);
}

/// The Exec value from the [Desktop Entry] group of an entry's text, escapes still in.
std::string RawExec(const QByteArray& text) {
    bool inEntry = false;
    for (const QByteArray& raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inEntry = line == "[Desktop Entry]";
        } else if (inEntry && line.startsWith("Exec")) {
            const qsizetype eq = line.indexOf('=');
            if (eq > 0 && line.left(eq).trimmed() == "Exec") {
                return line.mid(eq + 1).trimmed().toStdString();
            }
        }
    }
    return {};
}

} // namespace

std::string AutostartFolder::ExecValue(const std::string& path) {
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

std::string AutostartFolder::ProgramFromExec(const std::string& exec) {
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

std::string AutostartFolder::DesktopEntry(const std::string& name, const std::string& path) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           name +
           "\n"
           "Comment=Shows how long the computer has been up\n"
           "Exec=" +
           ExecValue(path) +
           "\n"
           "Icon=corvane\n"
           "Terminal=false\n";
}

std::string AutostartFolder::entryPath(const std::string& name) const {
    // Only the exact name is ours: another program's entry that differs in case is not.
    return m_folder + "/" + name + ".desktop";
}

std::string AutostartFolder::UnusablePath(const std::string& path) {
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
    if (!hive::IsStorableName(path)) {
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

long AutostartFolder::query(const std::string& name, std::vector<std::uint8_t>& data) const {
    if (!IsEntryName(name)) {
        return kErrorFileNotFound;
    }
    const std::string entry = entryPath(name);
    struct stat st {};
    if (::lstat(entry.c_str(), &st) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? kErrorFileNotFound : kErrorAccessDenied;
    }
    QFile file(Q(entry));
    // Read at most an entry's size from a regular file; a link or anything else names no program.
    constexpr qint64 kMaxEntrySize = 64 * 1024;
    if (!S_ISREG(st.st_mode)) {
        data.assign(1, 0);
        return kErrorSuccess;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return kErrorAccessDenied;
    }
    const std::string path = ProgramFromExec(RawExec(file.read(kMaxEntrySize)));
    data.assign(path.begin(), path.end());
    data.push_back(0);
    return kErrorSuccess;
}

long AutostartFolder::set(const std::string& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& data) const {
    if (type != kRegSz || !IsEntryName(name)) {
        return kErrorInvalidParameter;
    }
    std::string path(data.begin(), data.end());
    path = path.substr(0, path.find('\0'));
    const std::string entry = entryPath(name);
    const std::string unusable = UnusablePath(path);
    if (!unusable.empty()) {
        // An entry whose Exec line would start nothing, or something else, is not written.
        qCWarning(lcAutostart).noquote()
            << "no autostart entry written to" << Q(entry) << ":" << Q(unusable)
            << QString::fromLatin1(QByteArray::fromStdString(path).toPercentEncoding("/"));
        return kErrorInvalidParameter;
    }
    if (checkWrite() != kErrorSuccess || !QDir().mkpath(Q(m_folder))) {
        return kErrorAccessDenied;
    }
    std::string error;
    const QByteArray text = QByteArray::fromStdString(DesktopEntry(name, path));
    // A symbolic link of that name is replaced itself, never written through.
    if (!safefile::WriteAtomically(entry, text, S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH, error)) {
        qCWarning(lcAutostart).noquote() << "cannot write the autostart entry" << Q(entry) << ":" << Q(error);
        return kErrorAccessDenied;
    }
    return kErrorSuccess;
}

long AutostartFolder::remove(const std::string& name) const {
    if (!IsEntryName(name)) {
        return kErrorFileNotFound;
    }
    const std::string entry = entryPath(name);
    struct stat st {};
    if (::lstat(entry.c_str(), &st) != 0) {
        return kErrorFileNotFound;
    }
    // A link goes itself; its target stays.
    if (::unlink(entry.c_str()) != 0) {
        qCWarning(lcAutostart).noquote()
            << "cannot remove the autostart entry" << Q(entry) << ":" << Q(safefile::Reason(errno));
        return kErrorAccessDenied;
    }
    return kErrorSuccess;
}

} // namespace platform
