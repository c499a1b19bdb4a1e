#include "platform/linux/registry_linux.h"

#include <QDir>
#include <QLoggingCategory>
#include <QString>
#include <QThread>

#include <algorithm>
#include <cstring>

Q_LOGGING_CATEGORY(lcRegistry, "corvane.registry")

namespace platform {

namespace {

// While another process holds the settings file: often at first, as a writer holds it for a
// moment; rarely once it is held long.
constexpr int kRetryMs = 50;
constexpr int kSlowRetryMs = 500;
constexpr int kSlowAfterMs = 2000;

const std::vector<std::string> kRunKey = {"software", "microsoft", "windows", "currentversion", "run"};

bool wants(std::uint32_t access, std::uint32_t right) {
    return (access & right) == right;
}

bool isRunPath(const std::vector<std::string>& names) {
    if (names.size() != kRunKey.size()) {
        return false;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (hive::fold(names[i]) != kRunKey[i]) {
            return false;
        }
    }
    return true;
}

/// An absolute folder from the environment, or the fallback.
QString absoluteOr(const QString& value, const QString& fallback) {
    return (!value.isEmpty() && QDir::isAbsolutePath(value)) ? value : fallback;
}

} // namespace

LinuxRegistry::LinuxRegistry(std::string hivePath, AutostartList autostart)
    : m_hive(std::move(hivePath)), m_autostart(std::move(autostart)) {}

LinuxRegistry::~LinuxRegistry() {
    storeAtEnd(0);
}

void LinuxRegistry::storeAtEnd(int withinMs) {
    // Those waiting for an answer are not told: the program is ending, and what they would
    // start (the readers of the first run, a message) would only hold up the end.
    m_whenStored.clear();
    m_ending = true;
    QElapsedTimer trying;
    trying.start();
    while (!storeWaitingOnce(false) && !m_waiting.empty() && trying.elapsed() < withinMs) {
        QThread::msleep(20); // the program is ending: nothing else runs any more
    }
    if (!m_waiting.empty()) {
        qCWarning(lcRegistry) << m_waiting.size() << "changes of the settings were not stored:"
                              << "another process held the settings file until the end";
        m_waiting.clear();
        if (m_retry) {
            m_retry->stop();
        }
        finishWaiting(false);
    }
}

std::unique_ptr<LinuxRegistry> LinuxRegistry::fromEnvironment() {
    const QString configHome =
        absoluteOr(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath() + QStringLiteral("/.config"));
    return std::make_unique<LinuxRegistry>((configHome + QStringLiteral("/corvane/user.reg")).toStdString(),
                                           AutostartList::fromEnvironment(configHome.toStdString()));
}

const LinuxRegistry::Handle* LinuxRegistry::handle(RegKey key) const {
    static const Handle currentUser{kHkeyCurrentUser, {}, kKeyAllAccess};
    static const Handle localMachine{kHkeyLocalMachine, {}, kKeyRead};
    if (key == kHkeyCurrentUser) {
        return &currentUser;
    }
    if (key == kHkeyLocalMachine) {
        return &localMachine;
    }
    const auto it = m_handles.find(key);
    return it == m_handles.end() ? nullptr : &it->second;
}

bool LinuxRegistry::isRunKey(const Handle& h) const {
    return h.root == kHkeyLocalMachine && isRunPath(h.path);
}

RegKey LinuxRegistry::addHandle(Handle h) {
    const RegKey key = m_nextHandle++;
    m_handles.emplace(key, std::move(h));
    return key;
}

const hive::Key* LinuxRegistry::view(hive::Key& scratch) {
    const hive::Key* file = m_hive.tree();
    if (file == nullptr || (m_held.empty() && m_waiting.empty())) {
        return file;
    }
    scratch = *file;
    for (const Change& c : m_waiting) {
        c(scratch);
    }
    for (const Change& c : m_held) {
        c(scratch);
    }
    return &scratch;
}

long LinuxRegistry::change(Change c) {
    if (m_inTransaction) {
        m_held.push_back(std::move(c));
        return kErrorSuccess;
    }
    const bool first = m_waiting.empty();
    m_waiting.push_back(std::move(c));
    if (first) {
        m_waitingSince.start();
    }
    // A change that now waits for the lock counts as made, as the held changes of a transaction.
    return storeWaiting() || !m_waiting.empty() ? kErrorSuccess : kErrorAccessDenied;
}

bool LinuxRegistry::storeWaiting() {
    return storeWaitingOnce(true);
}

bool LinuxRegistry::storeWaitingOnce(bool retryLater) {
    if (m_waiting.empty()) {
        return true;
    }
    const HiveFile::UpdateResult result = m_hive.update([this](hive::Key& root) {
        for (const Change& c : m_waiting) {
            c(root);
        }
    });
    if (result == HiveFile::UpdateResult::Busy) {
        if (!retryLater) {
            return false;
        }
        if (!m_retry) {
            m_retry = std::make_unique<QTimer>();
            m_retry->setSingleShot(true);
            QObject::connect(m_retry.get(), &QTimer::timeout, [this] { storeWaiting(); });
        }
        m_retry->start(m_waitingSince.elapsed() < kSlowAfterMs ? kRetryMs : kSlowRetryMs);
        return false;
    }
    const bool stored = result == HiveFile::UpdateResult::Stored;
    m_waiting.clear();
    if (m_retry) {
        m_retry->stop();
    }
    finishWaiting(stored);
    return stored;
}

void LinuxRegistry::whenStored(std::function<void(bool stored)> then) {
    if (m_ending) {
        return;
    }
    if (m_waiting.empty()) {
        then(true);
    } else {
        m_whenStored.push_back(std::move(then));
    }
}

void LinuxRegistry::finishWaiting(bool stored) {
    if (m_ending) {
        return;
    }
    std::vector<std::function<void(bool)>> waiting;
    waiting.swap(m_whenStored);
    for (const auto& then : waiting) {
        then(stored);
    }
}

long LinuxRegistry::openKey(RegKey root, const std::string& path, std::uint32_t, std::uint32_t access,
                            RegKey& key) {
    const Handle* parent = handle(root);
    std::vector<std::string> names;
    if (parent == nullptr) {
        return kErrorInvalidHandle;
    }
    if (!hive::splitPath(path, names)) {
        return kErrorFileNotFound;
    }
    Handle h{parent->root, parent->path, access};
    h.path.insert(h.path.end(), names.begin(), names.end());
    const bool writing = (access & (kKeySetValue | kKeyCreateSubKey)) != 0;

    if (h.root == kHkeyLocalMachine) {
        if (!isRunPath(h.path)) {
            return kErrorFileNotFound;
        }
        const long check = writing ? m_autostart.checkWrite() : m_autostart.checkRead();
        if (check != kErrorSuccess) {
            return check;
        }
        key = addHandle(std::move(h));
        return kErrorSuccess;
    }
    hive::Key scratch;
    const hive::Key* tree = view(scratch);
    if (tree == nullptr || (writing && !m_hive.writable())) {
        return kErrorAccessDenied;
    }
    if (tree->find(h.path) == nullptr) {
        return kErrorFileNotFound;
    }
    key = addHandle(std::move(h));
    return kErrorSuccess;
}

long LinuxRegistry::createKey(RegKey parentKey, const std::string& subKey, RegKey& key) {
    const Handle* parent = handle(parentKey);
    if (parent == nullptr) {
        return kErrorInvalidHandle;
    }
    std::vector<std::string> names;
    if (!hive::splitPath(subKey, names) || !std::all_of(names.begin(), names.end(), [](const std::string& n) {
            return hive::isStorableKeyName(n);
        })) {
        return kErrorInvalidParameter;
    }
    Handle h{parent->root, parent->path, kKeyAllAccess};
    h.path.insert(h.path.end(), names.begin(), names.end());
    if (h.path.size() > hive::kMaxKeyDepth) {
        return kErrorInvalidParameter; // a file holding it would be refused as corrupt
    }
    if (h.root == kHkeyLocalMachine) {
        // Only the log-on list is kept of the machine's keys; it can be opened, not made.
        if (!isRunPath(h.path)) {
            return kErrorAccessDenied;
        }
        return openKey(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                       kKeyAllAccess, key);
    }
    if (!wants(parent->access, kKeyCreateSubKey)) {
        return kErrorAccessDenied;
    }
    hive::Key scratch;
    const hive::Key* tree = view(scratch);
    if (tree == nullptr) {
        return kErrorAccessDenied;
    }
    if (tree->find(parent->path) == nullptr) {
        return kErrorFileNotFound;
    }
    if (tree->find(h.path) == nullptr) {
        if (!m_hive.writable()) {
            return kErrorAccessDenied;
        }
        const std::vector<std::string> path = h.path;
        const long result = change([path](hive::Key& root) {
            hive::Key* k = &root;
            for (const std::string& name : path) {
                k = &k->childOrCreate(name);
            }
        });
        if (result != kErrorSuccess) {
            return result;
        }
    }
    key = addHandle(std::move(h));
    return kErrorSuccess;
}

long LinuxRegistry::queryValue(RegKey key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                               std::uint32_t& size) {
    const Handle* h = handle(key);
    if (h == nullptr) {
        return kErrorInvalidHandle;
    }
    if (!wants(h->access, kKeyQueryValue)) {
        return kErrorAccessDenied;
    }
    std::vector<std::uint8_t> found;
    if (isRunKey(*h)) {
        const long result = m_autostart.query(name, found);
        if (result != kErrorSuccess) {
            return result;
        }
        type = kRegSz;
    } else if (h->root == kHkeyLocalMachine) {
        return kErrorFileNotFound;
    } else {
        hive::Key scratch;
        const hive::Key* tree = view(scratch);
        if (tree == nullptr) {
            return kErrorAccessDenied;
        }
        const hive::Key* k = tree->find(h->path);
        const hive::Value* v = k == nullptr ? nullptr : k->value(name);
        if (v == nullptr) {
            return kErrorFileNotFound;
        }
        found = v->data;
        type = v->type;
    }
    const auto needed = static_cast<std::uint32_t>(found.size());
    if (data == nullptr) {
        size = needed;
        return kErrorSuccess;
    }
    if (size < needed) {
        size = needed;
        return kErrorMoreData;
    }
    if (needed > 0) {
        std::memcpy(data, found.data(), needed);
    }
    size = needed;
    return kErrorSuccess;
}

long LinuxRegistry::setValue(RegKey key, const std::string& name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) {
    const Handle* h = handle(key);
    if (h == nullptr) {
        return kErrorInvalidHandle;
    }
    if (!wants(h->access, kKeySetValue)) {
        return kErrorAccessDenied;
    }
    if (data == nullptr && size > 0) {
        return kErrorInvalidParameter;
    }
    std::vector<std::uint8_t> bytes =
        size > 0 ? std::vector<std::uint8_t>(data, data + size) : std::vector<std::uint8_t>();
    if (isRunKey(*h)) {
        return m_autostart.set(name, type, bytes);
    }
    if (h->root == kHkeyLocalMachine) {
        return kErrorAccessDenied;
    }
    if (!hive::isStorableName(name)) {
        return kErrorInvalidParameter;
    }
    hive::Key scratch;
    const hive::Key* tree = view(scratch);
    if (tree == nullptr) {
        return kErrorAccessDenied;
    }
    if (tree->find(h->path) == nullptr) {
        return kErrorFileNotFound;
    }
    const std::vector<std::string> path = h->path;
    return change([path, name, type, bytes](hive::Key& root) {
        if (hive::Key* k = root.find(path)) {
            k->setValue(name, type, bytes);
        }
    });
}

long LinuxRegistry::deleteValue(RegKey key, const std::string& name) {
    const Handle* h = handle(key);
    if (h == nullptr) {
        return kErrorInvalidHandle;
    }
    if (!wants(h->access, kKeySetValue)) {
        return kErrorAccessDenied;
    }
    if (isRunKey(*h)) {
        return m_autostart.remove(name);
    }
    if (h->root == kHkeyLocalMachine) {
        return kErrorFileNotFound;
    }
    hive::Key scratch;
    const hive::Key* tree = view(scratch);
    if (tree == nullptr) {
        return kErrorAccessDenied;
    }
    const hive::Key* k = tree->find(h->path);
    if (k == nullptr || k->value(name) == nullptr) {
        return kErrorFileNotFound;
    }
    const std::vector<std::string> path = h->path;
    return change([path, name](hive::Key& root) {
        if (hive::Key* found = root.find(path)) {
            found->removeValue(name);
        }
    });
}

long LinuxRegistry::closeKey(RegKey key) {
    if (key == kHkeyCurrentUser || key == kHkeyLocalMachine) {
        return kErrorSuccess;
    }
    return m_handles.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

void LinuxRegistry::beginTransaction() {
    m_inTransaction = true;
    m_held.clear();
}

long LinuxRegistry::commitTransaction() {
    m_inTransaction = false;
    if (m_held.empty()) {
        return kErrorSuccess;
    }
    std::vector<Change> held;
    held.swap(m_held);
    // One change, so that the transaction is stored in one write however long it waits.
    return change([held = std::move(held)](hive::Key& root) {
        for (const Change& c : held) {
            c(root);
        }
    });
}

} // namespace platform
