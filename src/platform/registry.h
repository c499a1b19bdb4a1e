#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

/// A handle of an open registry key, or one of the predefined roots.
using RegKey = std::uintptr_t;

inline constexpr RegKey kHkeyCurrentUser = 0x80000001;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002;

// Result codes, as the system's registry gives them.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorMoreData = 234;

// Value types.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// Access masks.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWrite = 0x20006;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;

/// The registry: keys named by paths of backslash-separated names, compared without regard to
/// case, holding typed values. Two keys are reachable: the current user's tree under
/// kHkeyCurrentUser, and the machine-wide log-on list
/// kHkeyLocalMachine\Software\Microsoft\Windows\CurrentVersion\Run.
/// No call throws for a registry condition; each answers a result code.
class Registry {
public:
    virtual ~Registry() = default;
    /// RegOpenKeyEx: opens an existing key below root (an empty path opens root itself) with the
    /// access asked for. 0, 2 when the key does not exist, 5 when the access is not allowed.
    virtual long openKey(RegKey root, const std::string& path, std::uint32_t options, std::uint32_t access,
                         RegKey& key) = 0;
    /// RegCreateKey: opens a subkey of parent, creating it (and the levels above it) when missing.
    /// The parent needs the right to create subkeys; 5 otherwise.
    virtual long createKey(RegKey parent, const std::string& subKey, RegKey& key) = 0;
    /// RegQueryValueEx: copies a value's data into data (size bytes long) and reports its type
    /// and length in size. A null data only reports them; a buffer too small answers 234 with
    /// the size needed. 2 when the value does not exist.
    virtual long queryValue(RegKey key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                            std::uint32_t& size) = 0;
    /// RegSetValueEx: stores size bytes of data under the name with the type.
    virtual long setValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) = 0;
    /// RegDeleteValue: removes a value; 2 when it does not exist.
    virtual long deleteValue(RegKey key, const std::string& name) = 0;
    /// RegCloseKey: releases a handle; 6 for one that is not open.
    virtual long closeKey(RegKey key) = 0;

    /// Holds back the current user's changes from here on until commitTransaction, which stores
    /// them in one step: a process ended in between leaves none of them stored. Reads of this
    /// process see the held changes. The machine-wide key is not part of a transaction.
    virtual void beginTransaction() = 0;
    /// Stores the held changes at once. 0, or 5 when they could not be stored (then none is).
    virtual long commitTransaction() = 0;

    /// Runs then, on this thread, once every change accepted so far is stored (stored true) or
    /// given up (false): at once when none is waiting. A change waits while another process
    /// holds the store; reads of this process see it meanwhile.
    virtual void whenStored(std::function<void(bool stored)> then) { then(true); }
};

} // namespace platform
