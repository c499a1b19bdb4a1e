#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fakes {

/// A registry in memory with the system's result codes, a log of the calls and switches for
/// the rights. Paths are written "HKCU\Software\..." or "HKLM\Software\...".
class FakeRegistry final : public platform::Registry {
public:
    FakeRegistry();

    bool currentUserWritable = true;
    bool machineWritable = true;
    bool machineReadable = true;
    /// Every call, as "open HKCU\Software read", "create HKCU\Software\Pellorin", "set HKCU\...\4.0 hrbeep",
    /// "query ...", "delete ...", "begin", "commit".
    std::vector<std::string> calls;
    /// Called with each call's text before it acts; a test may throw from it.
    std::function<void(const std::string&)> onCall;

    bool hasKey(const std::string& path) const;
    std::optional<std::uint32_t> dword(const std::string& path, const std::string& name) const;
    std::optional<std::string> text(const std::string& path, const std::string& name) const;
    /// The names of a key's values, in the order they were first stored.
    std::vector<std::string> valueNames(const std::string& path) const;
    /// Creates the key (and those above it) when missing.
    void makeKey(const std::string& path);
    void setDword(const std::string& path, const std::string& name, std::uint32_t value);
    void setRaw(const std::string& path, const std::string& name, std::uint32_t type,
                std::vector<std::uint8_t> data);
    void removeValue(const std::string& path, const std::string& name);

    long openKey(platform::RegKey root, const std::string& path, std::uint32_t options, std::uint32_t access,
                 platform::RegKey& key) override;
    long createKey(platform::RegKey parent, const std::string& subKey, platform::RegKey& key) override;
    long queryValue(platform::RegKey key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                    std::uint32_t& size) override;
    long setValue(platform::RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long deleteValue(platform::RegKey key, const std::string& name) override;
    long closeKey(platform::RegKey key) override;
    void beginTransaction() override;
    long commitTransaction() override;
    /// While holdStores is set, stands for changes that wait for another process's lock.
    void whenStored(std::function<void(bool stored)> then) override;
    bool holdStores = false;
    /// Ends the wait of holdStores with its answer.
    void releaseStores(bool stored);

    /// Handles still open.
    std::size_t openHandles() const { return m_handles.size(); }

private:
    struct Value {
        std::string name;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };
    struct Key {
        std::string path; ///< as first created
        std::vector<Value> values;
    };
    struct Handle {
        std::string path;
        std::uint32_t access = 0;
    };
    const Key* key(const std::string& path) const;
    Key* key(const std::string& path);
    /// The value of that name and type, or null.
    const Value* value(const std::string& path, const std::string& name, std::uint32_t type) const;
    bool writable(const std::string& path) const;
    void log(const std::string& call);

    std::map<std::string, Key> m_keys; ///< by folded path
    std::map<platform::RegKey, Handle> m_handles;
    platform::RegKey m_next = 0x100;
    std::vector<std::function<void(bool)>> m_whenStored;
};

} // namespace fakes
