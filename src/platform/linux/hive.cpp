#include "platform/linux/hive.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

namespace platform::hive {

namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00";
const std::string kOldHeader = "REGEDIT4";
constexpr std::size_t kWrapColumn = 76;

/// The length of the UTF-8 sequence that starts at bytes[at], or 0 when none is valid there
/// (a stray continuation byte, a cut or overlong sequence, a surrogate, past U+10FFFF). Checked
/// byte by byte: a decoder may drop a leading U+FEFF, which a name may well hold.
std::size_t Utf8SequenceAt(const std::string& bytes, std::size_t at) {
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
std::optional<std::size_t> Utf8Length(const std::string& bytes) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < bytes.size(); ++count) {
        const std::size_t length = Utf8SequenceAt(bytes, at);
        if (length == 0) {
            return std::nullopt;
        }
        at += length;
    }
    return count;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::string Escape(const std::string& s) {
    std::string out;
    out.reserve(s.size() + 2);
    for (char c : s) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out;
}

/// Reads a quoted text starting at pos (at the opening quote); pos ends after the closing one.
bool ReadQuoted(const std::string& line, std::size_t& pos, std::string& out) {
    if (pos >= line.size() || line[pos] != '"') {
        return false;
    }
    ++pos;
    out.clear();
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == '"') {
            return true;
        }
        if (c == '\\') {
            if (pos >= line.size() || (line[pos] != '\\' && line[pos] != '"')) {
                return false;
            }
            out += line[pos++];
        } else {
            out += c;
        }
    }
    return false;
}

bool ParseHexNumber(const std::string& s, std::uint32_t& value) {
    if (s.empty() || s.size() > 8) {
        return false;
    }
    value = 0;
    for (char c : s) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

bool ParseHexBytes(const std::string& list, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    const std::string trimmed = Trim(list);
    if (trimmed.empty()) {
        return true;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = trimmed.find(',', start);
        const std::string item =
            Trim(trimmed.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        std::uint32_t value = 0;
        if (item.size() > 2 || !ParseHexNumber(item, value)) {
            return false;
        }
        bytes.push_back(static_cast<std::uint8_t>(value));
        if (comma == std::string::npos) {
            return true;
        }
        start = comma + 1;
    }
}

bool StartsWithFolded(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && Fold(s.substr(0, prefix.size())) == prefix;
}

std::string Decode(const std::string& raw) {
    if (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF &&
        static_cast<unsigned char>(raw[1]) == 0xFE) {
        const auto* units = reinterpret_cast<const char16_t*>(raw.data() + 2);
        return QString::fromUtf16(units, static_cast<qsizetype>((raw.size() - 2) / 2)).toStdString();
    }
    if (raw.size() >= 3 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        return raw.substr(3);
    }
    return raw;
}

std::string ValueLine(const Value& v) {
    std::string line = v.name.empty() ? std::string("@") : "\"" + Escape(v.name) + "\"";
    line += '=';
    const std::string text(v.data.begin(), v.data.end());
    const bool cleanString = v.type == 1 && !v.data.empty() && v.data.back() == 0 &&
                             text.find('\0') == text.size() - 1 &&
                             IsStorableName(text.substr(0, text.size() - 1));
    if (cleanString) {
        return line + "\"" + Escape(text.substr(0, text.size() - 1)) + "\"";
    }
    char buffer[16];
    if (v.type == 4 && v.data.size() == 4) {
        const std::uint32_t n =
            v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) | (static_cast<std::uint32_t>(v.data[3]) << 24);
        std::snprintf(buffer, sizeof buffer, "%08x", n);
        return line + "dword:" + buffer;
    }
    if (v.type == 3) {
        line += "hex:";
    } else {
        std::snprintf(buffer, sizeof buffer, "%x", v.type);
        line += std::string("hex(") + buffer + "):";
    }
    // Long lists go on over several lines, as the registry editor writes them.
    std::size_t column = line.size();
    for (std::size_t i = 0; i < v.data.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%02x", v.data[i]);
        line += buffer;
        column += 2;
        if (i + 1 < v.data.size()) {
            line += ',';
            ++column;
            if (column >= kWrapColumn) {
                line += "\\\n  ";
                column = 2;
            }
        }
    }
    return line;
}

/// The key with its values and name, without its subkeys.
Key WithoutSubkeys(const Key& key) {
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
            Key& copy = to->subkeys.emplace(folded, WithoutSubkeys(sub)).first->second;
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
    const auto it = subkeys.find(Fold(childName));
    return it == subkeys.end() ? nullptr : &it->second;
}

const Key* Key::child(const std::string& childName) const {
    const auto it = subkeys.find(Fold(childName));
    return it == subkeys.end() ? nullptr : &it->second;
}

Key& Key::childOrCreate(const std::string& childName) {
    Key& sub = subkeys[Fold(childName)];
    if (sub.name.empty()) {
        sub.name = childName;
    }
    return sub;
}

Value* Key::value(const std::string& valueName) {
    const auto it = valueIndex.find(Fold(valueName));
    return it == valueIndex.end() ? nullptr : &values[it->second];
}

const Value* Key::value(const std::string& valueName) const {
    const auto it = valueIndex.find(Fold(valueName));
    return it == valueIndex.end() ? nullptr : &values[it->second];
}

void Key::setValue(const std::string& valueName, std::uint32_t type, std::vector<std::uint8_t> data) {
    const auto [it, added] = valueIndex.try_emplace(Fold(valueName), values.size());
    if (added) {
        values.push_back({valueName, type, std::move(data)});
    } else {
        values[it->second].type = type;
        values[it->second].data = std::move(data);
    }
}

bool Key::removeValue(const std::string& valueName) {
    const auto it = valueIndex.find(Fold(valueName));
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

Key EmptyTree() {
    Key root;
    root.name = kRootName;
    root.childOrCreate("Software");
    return root;
}

std::string Fold(const std::string& name) {
    std::string folded = name;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return folded;
}

bool SplitPath(const std::string& path, std::vector<std::string>& names) {
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

bool IsStorableName(const std::string& name) {
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
    return !control && Utf8Length(name).has_value();
}

bool IsStorableKeyName(const std::string& name) {
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
    const std::optional<std::size_t> length = control ? std::nullopt : Utf8Length(name);
    return length.has_value() && *length > 0 && *length <= kMaxKeyNameLength;
}

bool Parse(const std::string& raw, Key& root, std::string& error) {
    root = EmptyTree();
    const std::string text = Decode(raw);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t nl = text.find('\n', start);
        std::string line = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        if (nl == std::string::npos) {
            break;
        }
        start = nl + 1;
    }

    auto fail = [&](std::size_t index, const std::string& reason) {
        error = "line " + std::to_string(index + 1) + ": " + reason;
        return false;
    };

    std::size_t i = 0;
    while (i < lines.size() && Trim(lines[i]).empty()) {
        ++i;
    }
    if (i == lines.size() || (Trim(lines[i]) != kHeader && Trim(lines[i]) != kOldHeader)) {
        return fail(i, "the header \"" + kHeader + "\" is missing");
    }

    Key* current = nullptr;
    for (++i; i < lines.size(); ++i) {
        const std::string line = Trim(lines[i]);
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']') {
                return fail(i, "a key's name does not end with ]");
            }
            const std::string path = line.substr(1, line.size() - 2);
            std::vector<std::string> names;
            if (!SplitPath(path, names) || names.empty() || Fold(names[0]) != Fold(kRootName)) {
                return fail(i, "the key is not a key of HKEY_CURRENT_USER");
            }
            if (names.size() - 1 > kMaxKeyDepth) {
                return fail(i, "a key lies more than " + std::to_string(kMaxKeyDepth) + " levels deep");
            }
            current = &root;
            for (std::size_t n = 1; n < names.size(); ++n) {
                if (!IsStorableName(names[n])) {
                    return fail(i, "a key's name holds control characters or is not UTF-8");
                }
                if (!IsStorableKeyName(names[n])) {
                    return fail(i, "a key's name is longer than " + std::to_string(kMaxKeyNameLength) +
                                       " characters");
                }
                current = &current->childOrCreate(names[n]);
            }
            continue;
        }
        if (current == nullptr) {
            return fail(i, "a value comes before the first key");
        }
        std::size_t pos = 0;
        std::string name;
        if (line[0] == '@') {
            pos = 1;
        } else if (!ReadQuoted(line, pos, name)) {
            return fail(i, "a value's name is not a quoted text");
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
            ++pos;
        }
        if (pos >= line.size() || line[pos] != '=') {
            return fail(i, "= is missing after a value's name");
        }
        std::string data = Trim(line.substr(pos + 1));
        if (!data.empty() && data[0] == '"') {
            std::size_t at = 0;
            std::string str;
            if (!ReadQuoted(data, at, str) || at != data.size()) {
                return fail(i, "a text value is not closed by a quote");
            }
            std::vector<std::uint8_t> bytes(str.begin(), str.end());
            bytes.push_back(0);
            current->setValue(name, 1, std::move(bytes));
        } else if (StartsWithFolded(data, "dword:")) {
            std::uint32_t n = 0;
            if (!ParseHexNumber(data.substr(6), n)) {
                return fail(i, "a dword value is not a hexadecimal number of at most 8 digits");
            }
            current->setValue(name, 4,
                              {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                               static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)});
        } else if (StartsWithFolded(data, "hex")) {
            std::uint32_t type = 3;
            std::size_t colon = data.find(':');
            if (colon == std::string::npos) {
                return fail(i, "a hex value has no :");
            }
            const std::string kind = data.substr(3, colon - 3);
            if (!kind.empty()) {
                if (kind.size() < 3 || kind.front() != '(' || kind.back() != ')' ||
                    !ParseHexNumber(kind.substr(1, kind.size() - 2), type)) {
                    return fail(i, "a hex value's type is not hex(n)");
                }
            }
            std::string list = data.substr(colon + 1);
            while (!list.empty() && list.back() == '\\') {
                list.pop_back();
                if (++i >= lines.size()) {
                    return fail(i - 1, "a continued hex value ends with the file");
                }
                list += Trim(lines[i]);
            }
            std::vector<std::uint8_t> bytes;
            if (!ParseHexBytes(list, bytes)) {
                return fail(i, "a hex value holds something other than two-digit bytes");
            }
            current->setValue(name, type, std::move(bytes));
        } else {
            return fail(i, "a value's data is neither a quoted text, dword: nor hex:");
        }
    }
    return true;
}

std::optional<std::string> Write(const Key& root, std::size_t limit) {
    std::string out = kHeader + "\n\n";
    // Depth first, names in order, with a list of its own instead of recursion. Each entry is a
    // key and the length of its parent's path at the end of path.
    std::string path;
    std::vector<std::pair<const Key*, std::size_t>> pending{{&root, 0}};
    while (!pending.empty()) {
        const auto [key, parentLength] = pending.back();
        pending.pop_back();
        path.resize(parentLength);
        if (key == &root) {
            path = root.name.empty() ? std::string(kRootName) : root.name;
        } else {
            path += "\\" + key->name;
        }
        if (key != &root || !key->values.empty()) {
            out += "[" + path + "]\n";
            for (const Value& v : key->values) {
                out += ValueLine(v) + "\n";
            }
            out += "\n";
            if (out.size() > limit) {
                return std::nullopt;
            }
        }
        for (auto sub = key->subkeys.rbegin(); sub != key->subkeys.rend(); ++sub) {
            pending.emplace_back(&sub->second, path.size());
        }
    }
    return out;
}

} // namespace platform::hive
