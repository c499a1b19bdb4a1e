#include "platform/windows/registry_windows.h"
#include "platform/windows/wide_text.h"

#include <cstring>
#include <vector>

namespace platform {

namespace {

bool isText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

bool sameName(const std::wstring& a, const wchar_t* b) {
    return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

/// The registry's form of a text: UTF-16 with its terminating NUL.
std::vector<std::uint8_t> inward(const std::uint8_t* data, std::uint32_t size) {
    std::string utf8(reinterpret_cast<const char*>(data), size);
    if (const std::size_t nul = utf8.find('\0'); nul != std::string::npos) {
        utf8.resize(nul);
    }
    const std::wstring text = win::widen(utf8);
    std::vector<std::uint8_t> raw((text.size() + 1) * sizeof(wchar_t), 0);
    std::memcpy(raw.data(), text.c_str(), text.size() * sizeof(wchar_t));
    return raw;
}

/// A value's data as the interface gives it: texts in UTF-8 with their terminating NUL.
std::vector<std::uint8_t> outward(DWORD type, std::vector<std::uint8_t> raw) {
    if (!isText(type)) {
        return raw;
    }
    std::wstring text(raw.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), raw.data(), text.size() * sizeof(wchar_t));
    if (const std::size_t nul = text.find(L'\0'); nul != std::wstring::npos) {
        text.resize(nul);
    }
    const std::string utf8 = win::narrow(text);
    std::vector<std::uint8_t> data(utf8.begin(), utf8.end());
    data.push_back(0);
    return data;
}

/// Reads a value's type and whole data; the registry's own result code on failure.
LONG readRawValue(HKEY key, const std::wstring& name, DWORD& type, std::vector<std::uint8_t>& raw) {
    for (;;) {
        DWORD size = 0;
        LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
        if (result != ERROR_SUCCESS) {
            return result;
        }
        raw.resize(size);
        result = RegQueryValueExW(key, name.c_str(), nullptr, &type, raw.data(), &size);
        if (result != ERROR_MORE_DATA) { // the value grew in between: read it again
            raw.resize(size);
            return result;
        }
    }
}

} // namespace

bool WindowsRegistry::below(const std::wstring& path, const std::wstring& top) {
    return sameName(path, top.c_str()) || (path.size() > top.size() && path[top.size()] == L'\\' &&
                                           sameName(path.substr(0, top.size()), top.c_str()));
}

std::wstring WindowsRegistry::joined(const std::wstring& parent, const std::wstring& sub) {
    if (parent.empty()) {
        return sub;
    }
    return sub.empty() ? parent : parent + L"\\" + sub;
}

WindowsRegistry::WindowsRegistry(RunListOpener openMachineRunList)
    : m_openMachineRunList(std::move(openMachineRunList)) {
    if (!m_openMachineRunList) {
        m_openMachineRunList = [](REGSAM access, HKEY& key) {
            return RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunListPath, 0, access, &key);
        };
    }
}

WindowsRegistry::~WindowsRegistry() {
    for (const auto& [id, h] : m_handles) {
        for (HKEY key : {h.key, h.userRunList, h.machine32RunList}) {
            if (key != nullptr) {
                RegCloseKey(key);
            }
        }
    }
}

const WindowsRegistry::Handle* WindowsRegistry::handle(RegKey key) const {
    static const Handle currentUser{HKEY_CURRENT_USER, true, L"", kKeyAllAccess, nullptr};
    static const Handle localMachine{HKEY_LOCAL_MACHINE, false, L"", kKeyAllAccess, nullptr};
    if (key == kHkeyCurrentUser) {
        return &currentUser;
    }
    if (key == kHkeyLocalMachine) {
        return &localMachine;
    }
    const auto it = m_handles.find(key);
    return it == m_handles.end() ? nullptr : &it->second;
}

RegKey WindowsRegistry::keep(Handle h) {
    const RegKey id = m_nextHandle++;
    m_handles.emplace(id, std::move(h));
    return id;
}

bool WindowsRegistry::heldKey(const std::wstring& path) const {
    for (const HeldChange& c : m_held) {
        if (c.kind == HeldChange::CreateKey && below(c.path, path)) {
            return true;
        }
    }
    return false;
}

const WindowsRegistry::HeldChange* WindowsRegistry::heldValue(const std::wstring& path,
                                                              const std::wstring& name) const {
    for (auto it = m_held.rbegin(); it != m_held.rend(); ++it) {
        if (it->kind != HeldChange::CreateKey && sameName(it->path, path.c_str()) &&
            sameName(it->name, name.c_str())) {
            return &*it;
        }
    }
    return nullptr;
}

long WindowsRegistry::openRunList(std::uint32_t access, RegKey& key) {
    HKEY machine = nullptr;
    const bool writing = (access & (kKeySetValue | kKeyCreateSubKey)) != 0;
    LONG result = m_openMachineRunList(access, machine);
    // Windows starts what the 32-bit view's list names too: a value there counts as registered,
    // and goes when the program's is removed, where the user may change that list.
    HKEY machine32 = nullptr;
    if (m_openMachineRunList(access | KEY_WOW64_32KEY, machine32) != ERROR_SUCCESS) {
        machine32 = nullptr;
    }
    HKEY user = nullptr;
    if (result == ERROR_ACCESS_DENIED && writing) {
        // A standard user may not change the machine-wide list: the program's value goes
        // into the user's own list, which starts it at this user's log-on.
        result = RegCreateKeyExW(HKEY_CURRENT_USER, kRunListPath, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                 nullptr, &user, nullptr);
        if (result != ERROR_SUCCESS) {
            if (machine32 != nullptr) {
                RegCloseKey(machine32);
            }
            return ERROR_ACCESS_DENIED;
        }
        key = keep(Handle{user, false, L"", access, nullptr, machine32});
        return ERROR_SUCCESS;
    }
    if (result != ERROR_SUCCESS) {
        if (machine32 != nullptr) {
            RegCloseKey(machine32);
        }
        return result;
    }
    // A value left in the user's list counts as registered, and goes when the program's is removed.
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunListPath, 0, writing ? KEY_READ | KEY_WRITE : KEY_READ, &user) !=
        ERROR_SUCCESS) {
        user = nullptr;
    }
    key = keep(Handle{machine, false, L"", access, user, machine32});
    return ERROR_SUCCESS;
}

long WindowsRegistry::openKey(RegKey root, const std::string& path, std::uint32_t, std::uint32_t access,
                              RegKey& key) {
    const Handle* parent = handle(root);
    if (parent == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    const std::wstring subKey = win::widen(path);
    if (root == kHkeyLocalMachine && sameName(subKey, kRunListPath)) {
        return openRunList(access, key);
    }
    // The options of the old ANSI call are not passed on: the only one that means something
    // when opening (REG_OPTION_OPEN_LINK) is never wanted, and 4 (backup and restore)
    // would ask for a privilege a user does not have.
    HKEY opened = nullptr;
    LONG result = parent->key != nullptr ? RegOpenKeyExW(parent->key, subKey.c_str(), 0, access, &opened)
                                         : ERROR_FILE_NOT_FOUND;
    const std::wstring full = joined(parent->path, subKey);
    if (result == ERROR_FILE_NOT_FOUND && parent->currentUser && heldKey(full)) {
        result = ERROR_SUCCESS;
    }
    if (result == ERROR_SUCCESS) {
        key = keep(Handle{opened, parent->currentUser, full, access, nullptr});
    }
    return result;
}

long WindowsRegistry::createKey(RegKey parentKey, const std::string& subKey, RegKey& key) {
    const Handle* parent = handle(parentKey);
    if (parent == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    // The system asks for the right to create subkeys on the parent; Wine does not check it.
    if ((parent->access & kKeyCreateSubKey) == 0) {
        return ERROR_ACCESS_DENIED;
    }
    const std::wstring name = win::widen(subKey);
    const std::wstring full = joined(parent->path, name);
    HKEY created = nullptr;
    if (m_inTransaction && parent->currentUser) {
        // An existing key is opened; a new one is held back with the rest.
        const LONG existing = parent->key != nullptr
                                  ? RegOpenKeyExW(parent->key, name.c_str(), 0, KEY_ALL_ACCESS, &created)
                                  : ERROR_FILE_NOT_FOUND;
        if (existing == ERROR_FILE_NOT_FOUND) {
            if (!heldKey(full)) {
                m_held.push_back({HeldChange::CreateKey, full, {}, 0, {}});
            }
            created = nullptr;
        } else if (existing != ERROR_SUCCESS) {
            return existing;
        }
    } else {
        const LONG result = RegCreateKeyExW(parent->key, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                            &created, nullptr);
        if (result != ERROR_SUCCESS) {
            return result;
        }
    }
    key = keep(Handle{created, parent->currentUser, full, kKeyAllAccess, nullptr});
    return ERROR_SUCCESS;
}

long WindowsRegistry::readValue(const Handle& h, const std::wstring& name, DWORD& type,
                                std::vector<std::uint8_t>& raw) const {
    if (h.currentUser) {
        if (const HeldChange* held = heldValue(h.path, name)) {
            if (held->kind == HeldChange::DeleteValue) {
                return ERROR_FILE_NOT_FOUND;
            }
            type = held->type;
            raw = held->data;
            return ERROR_SUCCESS;
        }
    }
    LONG result = h.key != nullptr ? readRawValue(h.key, name, type, raw) : ERROR_FILE_NOT_FOUND;
    for (HKEY other : {h.machine32RunList, h.userRunList}) {
        if (result == ERROR_FILE_NOT_FOUND && other != nullptr) {
            result = readRawValue(other, name, type, raw);
        }
    }
    return result;
}

long WindowsRegistry::queryValue(RegKey key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                                 std::uint32_t& size) {
    const Handle* h = handle(key);
    if (h == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    if ((h->access & kKeyQueryValue) == 0) {
        return ERROR_ACCESS_DENIED;
    }
    DWORD found = 0;
    std::vector<std::uint8_t> raw;
    const LONG result = readValue(*h, win::widen(name), found, raw);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    const std::vector<std::uint8_t> value = outward(found, std::move(raw));
    type = found;
    const auto needed = static_cast<std::uint32_t>(value.size());
    if (data != nullptr && size < needed) {
        size = needed;
        return ERROR_MORE_DATA;
    }
    if (data != nullptr && needed > 0) {
        std::memcpy(data, value.data(), needed);
    }
    size = needed;
    return ERROR_SUCCESS;
}

long WindowsRegistry::setValue(RegKey key, const std::string& name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) {
    const Handle* h = handle(key);
    if (h == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    if ((h->access & kKeySetValue) == 0) {
        return ERROR_ACCESS_DENIED;
    }
    if (data == nullptr && size > 0) {
        return ERROR_INVALID_PARAMETER;
    }
    const std::wstring wideName = win::widen(name);
    std::vector<std::uint8_t> raw =
        isText(type) ? inward(data, size) : std::vector<std::uint8_t>(data, data + size);
    if (m_inTransaction && h->currentUser) {
        m_held.push_back({HeldChange::SetValue, h->path, wideName, type, std::move(raw)});
        return ERROR_SUCCESS;
    }
    return RegSetValueExW(h->key, wideName.c_str(), 0, type, raw.data(), static_cast<DWORD>(raw.size()));
}

long WindowsRegistry::deleteValue(RegKey key, const std::string& name) {
    const Handle* h = handle(key);
    if (h == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    if ((h->access & kKeySetValue) == 0) {
        return ERROR_ACCESS_DENIED;
    }
    const std::wstring wideName = win::widen(name);
    if (m_inTransaction && h->currentUser) {
        DWORD type = 0;
        std::vector<std::uint8_t> raw;
        const LONG found = readValue(*h, wideName, type, raw);
        if (found == ERROR_SUCCESS) {
            m_held.push_back({HeldChange::DeleteValue, h->path, wideName, 0, {}});
        }
        return found;
    }
    const LONG result = RegDeleteValueW(h->key, wideName.c_str());
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
        return result;
    }
    // The log-on list's other lists: removed from any of them is removed.
    bool removed = result == ERROR_SUCCESS;
    for (HKEY other : {h->machine32RunList, h->userRunList}) {
        if (other != nullptr && RegDeleteValueW(other, wideName.c_str()) == ERROR_SUCCESS) {
            removed = true;
        }
    }
    return removed ? ERROR_SUCCESS : result;
}

long WindowsRegistry::closeKey(RegKey key) {
    if (key == kHkeyCurrentUser || key == kHkeyLocalMachine) {
        return ERROR_SUCCESS;
    }
    const auto it = m_handles.find(key);
    if (it == m_handles.end()) {
        return ERROR_INVALID_HANDLE;
    }
    for (HKEY open : {it->second.key, it->second.userRunList, it->second.machine32RunList}) {
        if (open != nullptr) {
            RegCloseKey(open);
        }
    }
    m_handles.erase(it);
    return ERROR_SUCCESS;
}

} // namespace platform
