// An autostart entry's text: reading one as the desktops do, and composing one that starts a
// program.
#include "platform/linux/autostart_linux.h"

#include "platform/linux/hive.h"

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <glib.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

/// Entries are read whole up to this size, as no desktop starts a larger one.
constexpr qsizetype kMaxEntryBytes = qsizetype{1024} * 1024;

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

} // namespace platform
