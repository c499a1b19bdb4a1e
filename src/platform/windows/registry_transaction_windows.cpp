// The transactions: the current user's changes held in this process and stored at the commit,
// new keys written whole under a temporary name that one rename gives them.
#include "platform/windows/registry_windows.h"

#include <string>
#include <utility>
#include <vector>

namespace platform {

namespace {

/// Added to a new key's name while it is being written.
constexpr const wchar_t* kPartialSuffix = L".partial";

} // namespace

void WindowsRegistry::beginTransaction() {
    m_inTransaction = true;
    m_held.clear();
}

void WindowsRegistry::commitStep() const {
    if (m_commitStep) {
        m_commitStep();
    }
}

long WindowsRegistry::storeHeld(const std::vector<HeldChange>& held, const std::wstring& from,
                                const std::wstring& to) {
    long result = ERROR_SUCCESS;
    for (const HeldChange& c : held) {
        if (!below(c.path, from)) {
            continue;
        }
        const std::wstring path = to + c.path.substr(from.size());
        HKEY key = nullptr;
        LONG step = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                    nullptr, &key, nullptr);
        commitStep();
        if (step == ERROR_SUCCESS) {
            if (c.kind == HeldChange::SetValue) {
                step = RegSetValueExW(key, c.name.c_str(), 0, c.type, c.data.data(),
                                      static_cast<DWORD>(c.data.size()));
                commitStep();
            } else if (c.kind == HeldChange::DeleteValue) {
                step = RegDeleteValueW(key, c.name.c_str());
                commitStep();
            }
            RegCloseKey(key);
        }
        if (step != ERROR_SUCCESS && step != ERROR_FILE_NOT_FOUND) {
            result = ERROR_ACCESS_DENIED;
        }
    }
    return result;
}

long WindowsRegistry::storeNewKeyWhole(const std::vector<HeldChange>& held, const std::wstring& path) {
    // Exported since Windows Vista; looked up so that a system without it still stores the key.
    using RenameKey = LONG(WINAPI*)(HKEY, LPCWSTR, LPCWSTR);
    static const auto renameKey = reinterpret_cast<RenameKey>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "RegRenameKey")));
    if (renameKey == nullptr) {
        return storeHeld(held, path, path);
    }
    const std::size_t cut = path.rfind(L'\\');
    const std::wstring parent = cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
    const std::wstring name = cut == std::wstring::npos ? path : path.substr(cut + 1);
    const std::wstring partialName = name + kPartialSuffix;
    const std::wstring partial = joined(parent, partialName);
    // A partial key is what an earlier process ended while writing: it goes first.
    RegDeleteTreeW(HKEY_CURRENT_USER, partial.c_str());
    long result = storeHeld(held, path, partial);
    if (result == ERROR_SUCCESS) {
        HKEY parentKey = nullptr;
        result = RegOpenKeyExW(HKEY_CURRENT_USER, parent.c_str(), 0, KEY_READ | KEY_WRITE, &parentKey);
        if (result == ERROR_SUCCESS) {
            result = renameKey(parentKey, partialName.c_str(), name.c_str());
            RegCloseKey(parentKey);
            commitStep();
        }
    }
    if (result != ERROR_SUCCESS) {
        // The key came into being meanwhile (another copy's first run): the changes go into it.
        RegDeleteTreeW(HKEY_CURRENT_USER, partial.c_str());
        result = storeHeld(held, path, path);
    }
    return result;
}

long WindowsRegistry::commitTransaction() {
    m_inTransaction = false;
    std::vector<HeldChange> held;
    held.swap(m_held);
    // The new keys whose parent exists are each stored whole, with every key and value below them.
    std::vector<std::wstring> newKeys;
    for (const HeldChange& c : held) {
        if (c.kind != HeldChange::CreateKey) {
            continue;
        }
        std::wstring top = c.path;
        for (std::size_t cut = top.rfind(L'\\'); cut != std::wstring::npos; cut = top.rfind(L'\\')) {
            HKEY parent = nullptr;
            if (RegOpenKeyExW(HKEY_CURRENT_USER, top.substr(0, cut).c_str(), 0, KEY_READ, &parent) ==
                ERROR_SUCCESS) {
                RegCloseKey(parent);
                break;
            }
            top.resize(cut);
        }
        bool known = false;
        for (const std::wstring& k : newKeys) {
            known = known || below(top, k);
        }
        if (!known) {
            newKeys.push_back(top);
        }
    }
    long result = ERROR_SUCCESS;
    for (const std::wstring& top : newKeys) {
        if (storeNewKeyWhole(held, top) != ERROR_SUCCESS) {
            result = ERROR_ACCESS_DENIED;
        }
    }
    // Changes of keys that existed before.
    std::vector<HeldChange> rest;
    for (HeldChange& c : held) {
        bool inNew = false;
        for (const std::wstring& k : newKeys) {
            inNew = inNew || below(c.path, k);
        }
        if (!inNew) {
            rest.push_back(std::move(c));
        }
    }
    for (const HeldChange& c : rest) {
        if (storeHeld({c}, c.path, c.path) != ERROR_SUCCESS) {
            result = ERROR_ACCESS_DENIED;
        }
    }
    // Handles of keys that were held back now reach the stored keys.
    for (auto& [id, h] : m_handles) {
        if (h.key == nullptr && h.currentUser &&
            RegOpenKeyExW(HKEY_CURRENT_USER, h.path.c_str(), 0, h.access, &h.key) != ERROR_SUCCESS) {
            h.key = nullptr;
        }
    }
    return result;
}

} // namespace platform
