// The tree: its keys and values, copied and freed without recursion, and the names it holds.
#include "platform/linux/hive.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace platform::hive {

namespace {

/// The length of the UTF-8 sequence that starts at bytes[at], or 0 when none is valid there
/// (a stray continuation byte, a cut or overlong sequence, a surrogate, past U+10FFFF). Checked
/// byte by byte: a decoder may drop a leading U+FEFF, which a name may well hold.
std::size_t utf8SequenceAt(const std::string& bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = at + 2; i < at + length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

/// The number of code points of valid UTF-8, or nothing for bytes that are not.
std::optional<std::size_t> utf8Length(const std::string& bytes) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < bytes.size(); ++count) {
        const std::size_t length = utf8SequenceAt(bytes, at);
        if (length == 0) {
            return std::nullopt;
        }
        at += length;
    }
    return count;
}

/// The key with its values and name, without its subkeys.
Key withoutSubkeys(const Key& key) {
    Key copy;
    copy.name = key.name;
    copy.values = key.values;
    copy.valueIndex = key.valueIndex;
    return copy;
}

} // namespace

Key::Key(const Key& other) : name(other.name), values(other.values), valueIndex(other.valueIndex) {
    // Level by level with a list of its own: a deep tree does not use up the stack.
    std::vector<std::pair<const Key*, Key*>> pending{{&other, this}};
    while (!pending.empty()) {
        const auto [from, to] = pending.back();
        pending.pop_back();
        for (const auto& [folded, sub] : from->subkeys) {
            Key& copy = to->subkeys.emplace(folded, withoutSubkeys(sub)).first->second;
            pending.emplace_back(&sub, &copy);
        }
    }
}

Key& Key::operator=(const Key& other) {
    if (this != &other) {
        *this = Key(other);
    }
    return *this;
}

Key::~Key() {
    // Every subkey is detached from its own subkeys before it goes, so no destructor below this
    // one has more than one level to free.
    std::vector<std::map<std::string, Key>> pending;
    pending.emplace_back().swap(subkeys);
    while (!pending.empty()) {
        std::map<std::string, Key> level;
        level.swap(pending.back());
        pending.pop_back();
        for (auto& [folded, sub] : level) {
            if (!sub.subkeys.empty()) {
                pending.emplace_back().swap(sub.subkeys);
            }
        }
    }
}

Key* Key::child(const std::string& childName) {
    const auto it = subkeys.find(fold(childName));
    return it == subkeys.end() ? nullptr : &it->second;
}

const Key* Key::child(const std::string& childName) const {
    const auto it = subkeys.find(fold(childName));
    return it == subkeys.end() ? nullptr : &it->second;
}

Key& Key::childOrCreate(const std::string& childName) {
    Key& sub = subkeys[fold(childName)];
    if (sub.name.empty()) {
        sub.name = childName;
    }
    return sub;
}

Value* Key::value(const std::string& valueName) {
    const auto it = valueIndex.find(fold(valueName));
    return it == valueIndex.end() ? nullptr : &values[it->second];
}

const Value* Key::value(const std::string& valueName) const {
    const auto it = valueIndex.find(fold(valueName));
    return it == valueIndex.end() ? nullptr : &values[it->second];
}

void Key::setValue(const std::string& valueName, std::uint32_t type, std::vector<std::uint8_t> data) {
    const auto [it, added] = valueIndex.try_emplace(fold(valueName), values.size());
    if (added) {
        values.push_back({valueName, type, std::move(data)});
    } else {
        values[it->second].type = type;
        values[it->second].data = std::move(data);
    }
}

bool Key::removeValue(const std::string& valueName) {
    const auto it = valueIndex.find(fold(valueName));
    if (it == valueIndex.end()) {
        return false;
    }
    const std::size_t place = it->second;
    valueIndex.erase(it);
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(place));
    for (auto& [folded, at] : valueIndex) {
        if (at > place) {
            --at;
        }
    }
    return true;
}

Key* Key::find(const std::vector<std::string>& path) {
    Key* key = this;
    for (const std::string& part : path) {
        key = key->child(part);
        if (key == nullptr) {
            return nullptr;
        }
    }
    return key;
}

const Key* Key::find(const std::vector<std::string>& path) const {
    const Key* key = this;
    for (const std::string& part : path) {
        key = key->child(part);
        if (key == nullptr) {
            return nullptr;
        }
    }
    return key;
}

Key emptyTree() {
    Key root;
    root.name = kRootName;
    root.childOrCreate("Software");
    return root;
}

std::string fold(const std::string& name) {
    std::string folded = name;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return folded;
}

bool splitPath(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    if (path.empty()) {
        return true;
    }
    const std::string body = path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
    std::size_t start = 0;
    while (true) {
        const std::size_t sep = body.find('\\', start);
        const std::string part =
            body.substr(start, sep == std::string::npos ? std::string::npos : sep - start);
        if (part.empty()) {
            return false;
        }
        names.push_back(part);
        if (sep == std::string::npos) {
            return true;
        }
        start = sep + 1;
    }
}

bool isStorableName(const std::string& name) {
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
    return !control && utf8Length(name).has_value();
}

bool isStorableKeyName(const std::string& name) {
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
    const std::optional<std::size_t> length = control ? std::nullopt : utf8Length(name);
    return length.has_value() && *length > 0 && *length <= kMaxKeyNameLength;
}

} // namespace platform::hive
