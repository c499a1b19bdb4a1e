#pragma once

// The registry on Linux: the current user's tree is a .reg file under the user's configuration
// folder; the machine-wide log-on list is the desktops' autostart folders.

#include "platform/linux/autostart_linux.h"
#include "platform/linux/hive.h"
#include "platform/registry.h"

#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

/// The current user's tree in one .reg file. Every change rereads the file and replaces it
/// atomically under a lock shared with other processes; readers need no lock. The file is read
/// once and read again only when it changed on disk (its identity, size or times). A file larger
/// than 64 MB, or with a key deeper or a key name longer than the registry allows, is corrupt.
class HiveFile final {
public:
    enum class UpdateResult {
        Stored,
        Busy,   ///< another process holds the lock: nothing was done
        Failed, ///< it cannot be stored; the log says why
    };
    /// What identifies one state of the file on disk.
    struct Stamp {
        bool exists = false;
        unsigned long long device = 0, inode = 0;
        long long size = 0, mtimeNs = 0, ctimeNs = 0;
        bool operator==(const Stamp&) const = default;
    };

    explicit HiveFile(std::string path) : m_path(std::move(path)) {}
    const std::string& path() const { return m_path; }

    /// The tree. A missing or empty file is an empty tree; a file that cannot be parsed is kept
    /// aside (user.reg.corrupt) with a warning and the tree starts empty. Null when the file
    /// exists but cannot be read. Valid until the next call of a member.
    const hive::Key* tree();
    /// Reads the tree into root (a copy of tree()); false when the file cannot be read.
    bool load(hive::Key& root);
    /// Whether changes can be stored: the folder (or the nearest one above it that exists) can be
    /// written, and so can the file when it exists. why, when given, names the reason it cannot.
    bool writable(std::string* why = nullptr) const;
    /// Applies change to the file's current tree and stores the result, without waiting for the
    /// lock. Unless Stored, the file is as it was.
    UpdateResult update(const std::function<void(hive::Key&)>& change);
    /// How many times the file was read and parsed (for the benchmark and the tests).
    int reads() const { return m_reads; }

private:
    enum class ReadResult { Ok, Unreadable, Corrupt };
    /// Brings the cache up to date with the file.
    ReadResult refresh(std::string& error);
    void keepAside(const std::string& error);

    std::string m_path;
    hive::Key m_cache;
    Stamp m_stamp;
    bool m_cached = false;
    bool m_corrupt = false;
    std::string m_corruptError;
    int m_reads = 0;
    bool m_warnedUnreadable = false;
    bool m_warnedCorrupt = false;
    bool m_warnedUnwritable = false;
};

/// The registry of this platform. A change that finds the settings file locked by another
/// process is kept waiting, visible to this process's reads at once, and stored, after those
/// made before it, as soon as the lock is free: the caller never waits. It waits as long as the
/// program runs; at the end storeAtEnd tries once more and logs what could not be stored.
class LinuxRegistry final : public Registry {
public:
    LinuxRegistry(std::string hivePath, AutostartList autostart);
    ~LinuxRegistry() override;
    /// ${XDG_CONFIG_HOME:-~/.config}/corvane/user.reg and the autostart folders of the XDG
    /// configuration folders.
    static std::unique_ptr<LinuxRegistry> fromEnvironment();

    long openKey(RegKey root, const std::string& path, std::uint32_t options, std::uint32_t access,
                 RegKey& key) override;
    long createKey(RegKey parent, const std::string& subKey, RegKey& key) override;
    long queryValue(RegKey key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                    std::uint32_t& size) override;
    long setValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long deleteValue(RegKey key, const std::string& name) override;
    long closeKey(RegKey key) override;
    void beginTransaction() override;
    long commitTransaction() override;
    void whenStored(std::function<void(bool stored)> then) override;

    /// Tries to store the waiting changes once more; the retry timer calls it. True when none
    /// is left waiting.
    bool storeWaiting();
    /// At the program's end: tries the waiting changes for up to withinMs, then gives up those
    /// still waiting with a line in the log. Those waiting in whenStored get no answer.
    void storeAtEnd(int withinMs);

    const HiveFile& hive() const { return m_hive; }
    const AutostartList& autostart() const { return m_autostart; }

private:
    struct Handle {
        RegKey root = 0;
        std::vector<std::string> path;
        std::uint32_t access = 0;
    };
    using Change = std::function<void(hive::Key&)>;

    const Handle* handle(RegKey key) const;
    bool isRunKey(const Handle& h) const;
    /// The tree as this process sees it: the file and the changes held back (applied to
    /// scratch then). Null when the file cannot be read.
    const hive::Key* view(hive::Key& scratch);
    /// Stores a change, or holds it back during a transaction.
    long change(Change c);
    RegKey addHandle(Handle h);
    /// Tries to store the waiting changes; while the file is locked, retryLater arms the timer.
    bool storeWaitingOnce(bool retryLater);
    /// Gives the answer to those waiting in whenStored.
    void finishWaiting(bool stored);

    HiveFile m_hive;
    AutostartList m_autostart;
    std::map<RegKey, Handle> m_handles;
    RegKey m_nextHandle = 0x100;
    bool m_inTransaction = false;
    std::vector<Change> m_held;
    std::vector<Change> m_waiting; ///< accepted, not yet stored: the file is locked
    QElapsedTimer m_waitingSince;
    std::unique_ptr<QTimer> m_retry;
    std::vector<std::function<void(bool)>> m_whenStored;
    bool m_ending = false; ///< storeAtEnd ran: nobody is answered any more
};

} // namespace platform
