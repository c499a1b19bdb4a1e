#pragma once

// The system's registry through its wide-character calls. Texts cross the interface as UTF-8:
// names, and the data of REG_SZ values, which the registry holds as UTF-16. A transaction holds
// the current user's changes in this process and stores them at its commit (the system's own
// kernel transactions are missing from Wine, and deprecated): keys it makes are written whole
// under a temporary name that one rename then gives them, so no end of the process at any
// moment leaves such a key with only part of its values.

#include "platform/registry.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace platform {

/// The machine-wide log-on list, HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run.
inline constexpr const wchar_t* kRunListPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class WindowsRegistry final : public Registry {
public:
    /// Opens the machine-wide log-on list with the access asked for (RegOpenKeyExW by default);
    /// with KEY_WOW64_32KEY in it, the list of the registry's 32-bit view.
    using RunListOpener = std::function<LONG(REGSAM access, HKEY& key)>;
    explicit WindowsRegistry(RunListOpener openMachineRunList = {});
    ~WindowsRegistry() override;
    WindowsRegistry(const WindowsRegistry&) = delete;
    WindowsRegistry& operator=(const WindowsRegistry&) = delete;

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

    /// Called after each change a commit makes in the registry; the tests end the process there.
    void setCommitStepHook(std::function<void()> hook) { m_commitStep = std::move(hook); }

private:
    struct Handle {
        HKEY key = nullptr; ///< null for a key that exists only among the held changes
        bool currentUser = false;
        std::wstring path; ///< below HKEY_CURRENT_USER, for the current user's keys
        std::uint32_t access = 0;
        /// For the log-on list: the current user's list, which takes the program's value when
        /// the machine-wide one refuses a change (a standard user's), and is read after it.
        HKEY userRunList = nullptr;
        /// For the log-on list: the machine-wide list of 32-bit programs (the registry's 32-bit
        /// view, where an older 32-bit copy wrote its value), which Windows starts as well.
        HKEY machine32RunList = nullptr;
    };
    /// A change of the current user's tree held back by a transaction.
    struct HeldChange {
        enum Kind { CreateKey, SetValue, DeleteValue } kind;
        std::wstring path;
        std::wstring name;
        DWORD type = 0;
        std::vector<std::uint8_t> data; ///< as the registry stores it
    };

    /// Whether path is the key top or one below it, names compared as the registry compares them.
    static bool below(const std::wstring& path, const std::wstring& top);
    /// A key's path below parent; either may be empty.
    static std::wstring joined(const std::wstring& parent, const std::wstring& sub);
    const Handle* handle(RegKey key) const;
    RegKey keep(Handle handle);
    long openRunList(std::uint32_t access, RegKey& key);
    /// Whether the key is among the held changes' new keys.
    bool heldKey(const std::wstring& path) const;
    /// The latest held change of a value, or null.
    const HeldChange* heldValue(const std::wstring& path, const std::wstring& name) const;
    long readValue(const Handle& h, const std::wstring& name, DWORD& type,
                   std::vector<std::uint8_t>& raw) const;
    /// Stores the held changes whose key path starts with from, writing them below to instead.
    long storeHeld(const std::vector<HeldChange>& held, const std::wstring& from, const std::wstring& to);
    /// Stores the held new key at path (its parent exists) with everything below it in one step.
    long storeNewKeyWhole(const std::vector<HeldChange>& held, const std::wstring& path);
    void commitStep() const;

    RunListOpener m_openMachineRunList;
    std::map<RegKey, Handle> m_handles;
    RegKey m_nextHandle = 0x1000;
    bool m_inTransaction = false;
    std::vector<HeldChange> m_held;
    std::function<void()> m_commitStep;
};

} // namespace platform
