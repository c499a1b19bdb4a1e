#pragma once

// The log-on list as the desktops' autostart folders (the XDG autostart rules): the user's own
// folder, then the autostart folder of each entry of XDG_CONFIG_DIRS. Of the entries with one
// name, the one of the earliest folder counts; one that says Hidden=true starts nothing and
// hides those of the later folders.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

/// One autostart folder: the value "Name" is the file Name.desktop, whose Exec line starts the
/// program at the value's data.
class AutostartFolder final {
public:
    explicit AutostartFolder(std::string folder) : m_folder(std::move(folder)) {}
    const std::string& folder() const { return m_folder; }

    /// What the folder holds under a name.
    enum class Entry { None, Starts, Hidden };
    /// Reads the entry as the desktops do: Starts with the program it names, Hidden for
    /// Hidden=true or X-GNOME-Autostart-enabled=false, None when there is none or none a desktop
    /// would start (no readable regular file of at most 1 MB, another first group or type, a
    /// TryExec program that is not there).
    Entry read(const std::string& name, std::string& program) const;

    /// 0 when the folder can be listed (or does not exist yet), 5 otherwise.
    long checkRead() const;
    /// 0 when entries can be written: the folder, or the nearest one above it, is writable.
    /// why, when given, names the error that refuses it.
    long checkWrite(std::string* why = nullptr) const;
    /// Writes the entry that starts the program at path: 0, 5, or 87 for a path no entry can start.
    long write(const std::string& name, const std::string& path) const;
    /// Writes an entry that says Hidden=true: the entries of the later folders start nothing.
    long writeHidden(const std::string& name) const;
    /// Whether anything of the entry's name is in the folder, an entry or not.
    bool holdsAnything(const std::string& name) const;
    /// Removes the entry: 0, 2 when there is none, 5.
    long remove(const std::string& name) const;
    std::string entryPath(const std::string& name) const;

    /// Whether name can name an entry file.
    static bool isEntryName(const std::string& name);
    /// Why no entry can start the program at path (empty, not UTF-8, a tab, a line break, another
    /// control character); empty when it can.
    static std::string unusablePath(const std::string& path);
    /// The text of an entry that starts the program at path.
    static std::string desktopEntry(const std::string& name, const std::string& path);
    /// The Exec value for a program path: one argument, quoted and escaped as desktop entries
    /// require (quotes, backquotes, dollars, backslashes, percent signs, line breaks); started
    /// through env when the path holds a percent sign.
    static std::string execValue(const std::string& path);
    /// The program path from an Exec value written by ExecValue; any other value as it stands
    /// after the desktop entry escapes are undone.
    static std::string programFromExec(const std::string& exec);

private:
    /// Puts text in place of the entry, first removing the temporaries a killed writer left.
    long replace(const std::string& name, const std::string& text) const;
    std::string m_folder;
};

/// The log-on list as the registry's value view: a value is there when the program will be
/// started at log-on. Changes go to the user's own folder; an entry of a system folder that the
/// user may change is kept in step, one the user may not change is hidden for this user.
class AutostartList final {
public:
    AutostartList(std::string userFolder, std::vector<std::string> systemFolders);
    /// The autostart folder of configHome (the user's configuration folder), then the autostart
    /// folder of each absolute entry of ${XDG_CONFIG_DIRS:-/etc/xdg}.
    static AutostartList fromEnvironment(const std::string& configHome);

    /// 0 when the user's folder can be read, 5 otherwise.
    long checkRead() const { return m_user.checkRead(); }
    /// 0 when the user's folder can be written, 5 otherwise (with a line in the log).
    long checkWrite() const;
    /// The program path of the entry that counts, as REG_SZ data with its NUL: 0; 2 when no
    /// entry starts anything at log-on.
    long query(const std::string& name, std::vector<std::uint8_t>& data) const;
    /// Makes the program at the REG_SZ path start at log-on: 0, 5, or 87 for another type, a name
    /// that is no file name or a path no entry can start.
    long set(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) const;
    /// Makes nothing of that name start at log-on: 0, 2 when nothing did, 5.
    long remove(const std::string& name) const;

private:
    /// The entry that counts among the system folders, from the first one on.
    AutostartFolder::Entry systemEntry(const std::string& name, std::string& program) const;

    AutostartFolder m_user;
    std::vector<AutostartFolder> m_system;
};

} // namespace platform
