#include "fakes/fake_registry.h"

#include <algorithm>
#include <cstring>

namespace fakes {

namespace {

std::string Fold(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    return s;
}

std::string RootName(platform::RegKey root) {
    return root == platform::kHkeyLocalMachine ? "HKLM" : root == platform::kHkeyCurrentUser ? "HKCU" : "";
}

} // namespace

FakeRegistry::FakeRegistry() {
    makeKey("HKCU\\Software");
    makeKey("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}

const FakeRegistry::Key* FakeRegistry::key(const std::string& path) const {
    const auto it = m_keys.find(Fold(path));
    return it == m_keys.end() ? nullptr : &it->second;
}

FakeRegistry::Key* FakeRegistry::key(const std::string& path) {
    const auto it = m_keys.find(Fold(path));
    return it == m_keys.end() ? nullptr : &it->second;
}

bool FakeRegistry::writable(const std::string& path) const {
    return Fold(path).rfind("hklm", 0) == 0 ? machineWritable : currentUserWritable;
}

void FakeRegistry::log(const std::string& call) {
    calls.push_back(call);
    if (onCall) {
        onCall(call);
    }
}

bool FakeRegistry::hasKey(const std::string& path) const {
    return key(path) != nullptr;
}

const FakeRegistry::Value* FakeRegistry::value(const std::string& path, const std::string& name,
                                               std::uint32_t type) const {
    const Key* k = key(path);
    if (k == nullptr) {
        return nullptr;
    }
    const auto v = std::find_if(k->values.begin(), k->values.end(),
                                [&](const Value& x) { return Fold(x.name) == Fold(name) && x.type == type; });
    return v == k->values.end() ? nullptr : &*v;
}

std::optional<std::uint32_t> FakeRegistry::dword(const std::string& path, const std::string& name) const {
    const Value* v = value(path, name, platform::kRegDword);
    if (v == nullptr || v->data.size() != 4) {
        return std::nullopt;
    }
    return v->data[0] | (v->data[1] << 8) | (v->data[2] << 16) | (std::uint32_t(v->data[3]) << 24);
}

std::optional<std::string> FakeRegistry::text(const std::string& path, const std::string& name) const {
    const Value* v = value(path, name, platform::kRegSz);
    if (v == nullptr) {
        return std::nullopt;
    }
    const std::string s(v->data.begin(), v->data.end());
    return s.substr(0, s.find('\0'));
}

std::vector<std::string> FakeRegistry::valueNames(const std::string& path) const {
    std::vector<std::string> names;
    if (const Key* k = key(path)) {
        for (const Value& v : k->values) {
            names.push_back(v.name);
        }
    }
    return names;
}

void FakeRegistry::makeKey(const std::string& path) {
    std::size_t pos = 0;
    while (true) {
        pos = path.find('\\', pos + 1);
        const std::string prefix = path.substr(0, pos);
        if (prefix.find('\\') != std::string::npos && key(prefix) == nullptr) {
            m_keys[Fold(prefix)] = Key{prefix, {}};
        }
        if (pos == std::string::npos) {
            return;
        }
    }
}

void FakeRegistry::setRaw(const std::string& path, const std::string& name, std::uint32_t type,
                          std::vector<std::uint8_t> data) {
    makeKey(path);
    Key* k = key(path);
    for (Value& v : k->values) {
        if (Fold(v.name) == Fold(name)) {
            v.type = type;
            v.data = std::move(data);
            return;
        }
    }
    k->values.push_back({name, type, std::move(data)});
}

void FakeRegistry::setDword(const std::string& path, const std::string& name, std::uint32_t n) {
    setRaw(path, name, platform::kRegDword,
           {std::uint8_t(n), std::uint8_t(n >> 8), std::uint8_t(n >> 16), std::uint8_t(n >> 24)});
}

void FakeRegistry::removeValue(const std::string& path, const std::string& name) {
    if (Key* k = key(path)) {
        k->values.erase(std::remove_if(k->values.begin(), k->values.end(),
                                       [&](const Value& v) { return Fold(v.name) == Fold(name); }),
                        k->values.end());
    }
}

long FakeRegistry::openKey(platform::RegKey root, const std::string& path, std::uint32_t,
                           std::uint32_t access, platform::RegKey& out) {
    const std::string full = RootName(root) + (path.empty() ? "" : "\\" + path);
    const bool writing = (access & (platform::kKeySetValue | platform::kKeyCreateSubKey)) != 0;
    log("open " + full + (writing ? " write" : " read"));
    if (key(full) == nullptr) {
        return platform::kErrorFileNotFound;
    }
    if ((writing && !writable(full)) ||
        (!writing && root == platform::kHkeyLocalMachine && !machineReadable)) {
        return platform::kErrorAccessDenied;
    }
    out = m_next++;
    m_handles[out] = {key(full)->path, access};
    return platform::kErrorSuccess;
}

long FakeRegistry::createKey(platform::RegKey parent, const std::string& subKey, platform::RegKey& out) {
    const auto it = m_handles.find(parent);
    const std::string base = it != m_handles.end() ? it->second.path : RootName(parent);
    const std::string full = base + "\\" + subKey;
    log("create " + full);
    if (base.empty()) {
        return platform::kErrorInvalidHandle;
    }
    if (it != m_handles.end() && (it->second.access & platform::kKeyCreateSubKey) == 0) {
        return platform::kErrorAccessDenied;
    }
    if (key(full) == nullptr) {
        if (!writable(full)) {
            return platform::kErrorAccessDenied;
        }
        makeKey(full);
    }
    out = m_next++;
    m_handles[out] = {key(full)->path, platform::kKeyAllAccess};
    return platform::kErrorSuccess;
}

long FakeRegistry::queryValue(platform::RegKey handle, const std::string& name, std::uint32_t& type,
                              std::uint8_t* data, std::uint32_t& size) {
    const auto it = m_handles.find(handle);
    log("query " + (it == m_handles.end() ? std::string("?") : it->second.path) + " " + name);
    if (it == m_handles.end()) {
        return platform::kErrorInvalidHandle;
    }
    if ((it->second.access & platform::kKeyQueryValue) == 0) {
        return platform::kErrorAccessDenied;
    }
    const Key* k = key(it->second.path);
    if (k == nullptr) {
        return platform::kErrorFileNotFound;
    }
    const auto v = std::find_if(k->values.begin(), k->values.end(),
                                [&](const Value& x) { return Fold(x.name) == Fold(name); });
    if (v == k->values.end()) {
        return platform::kErrorFileNotFound;
    }
    type = v->type;
    const auto needed = static_cast<std::uint32_t>(v->data.size());
    if (data != nullptr && size < needed) {
        size = needed;
        return platform::kErrorMoreData;
    }
    if (data != nullptr && needed > 0) {
        std::memcpy(data, v->data.data(), needed);
    }
    size = needed;
    return platform::kErrorSuccess;
}

long FakeRegistry::setValue(platform::RegKey handle, const std::string& name, std::uint32_t type,
                            const std::uint8_t* data, std::uint32_t size) {
    const auto it = m_handles.find(handle);
    log("set " + (it == m_handles.end() ? std::string("?") : it->second.path) + " " + name);
    if (it == m_handles.end()) {
        return platform::kErrorInvalidHandle;
    }
    if ((it->second.access & platform::kKeySetValue) == 0) {
        return platform::kErrorAccessDenied;
    }
    setRaw(it->second.path, name, type, std::vector<std::uint8_t>(data, data + size));
    return platform::kErrorSuccess;
}

long FakeRegistry::deleteValue(platform::RegKey handle, const std::string& name) {
    const auto it = m_handles.find(handle);
    log("delete " + (it == m_handles.end() ? std::string("?") : it->second.path) + " " + name);
    if (it == m_handles.end()) {
        return platform::kErrorInvalidHandle;
    }
    if ((it->second.access & platform::kKeySetValue) == 0) {
        return platform::kErrorAccessDenied;
    }
    const std::size_t before = valueNames(it->second.path).size();
    removeValue(it->second.path, name);
    return valueNames(it->second.path).size() < before ? platform::kErrorSuccess
                                                       : platform::kErrorFileNotFound;
}

long FakeRegistry::closeKey(platform::RegKey handle) {
    return m_handles.erase(handle) == 1 ? platform::kErrorSuccess : platform::kErrorInvalidHandle;
}

void FakeRegistry::beginTransaction() {
    log("begin");
}

long FakeRegistry::commitTransaction() {
    log("commit");
    return platform::kErrorSuccess;
}

void FakeRegistry::whenStored(std::function<void(bool stored)> then) {
    if (holdStores) {
        m_whenStored.push_back(std::move(then));
    } else {
        then(true);
    }
}

void FakeRegistry::releaseStores(bool stored) {
    holdStores = false;
    std::vector<std::function<void(bool)>> waiting;
    waiting.swap(m_whenStored);
    for (const auto& then : waiting) {
        then(stored);
    }
}

} // namespace fakes
