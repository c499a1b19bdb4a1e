// The .reg text form of the tree: reading a file into a tree, writing a tree as a file.
#include "platform/linux/hive.h"

#include <QString>

#include <cstdio>
#include <optional>
#include <utility>

namespace platform::hive {

namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00";
const std::string kOldHeader = "REGEDIT4";
constexpr std::size_t kWrapColumn = 76;

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::string escape(const std::string& s) {
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
bool readQuoted(const std::string& line, std::size_t& pos, std::string& out) {
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

bool parseHexNumber(const std::string& s, std::uint32_t& value) {
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

bool parseHexBytes(const std::string& list, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    const std::string trimmed = trim(list);
    if (trimmed.empty()) {
        return true;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = trimmed.find(',', start);
        const std::string item =
            trim(trimmed.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        std::uint32_t value = 0;
        if (item.size() > 2 || !parseHexNumber(item, value)) {
            return false;
        }
        bytes.push_back(static_cast<std::uint8_t>(value));
        if (comma == std::string::npos) {
            return true;
        }
        start = comma + 1;
    }
}

bool startsWithFolded(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && fold(s.substr(0, prefix.size())) == prefix;
}

std::string decode(const std::string& raw) {
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

std::string valueLine(const Value& v) {
    std::string line = v.name.empty() ? std::string("@") : "\"" + escape(v.name) + "\"";
    line += '=';
    const std::string text(v.data.begin(), v.data.end());
    const bool cleanString = v.type == 1 && !v.data.empty() && v.data.back() == 0 &&
                             text.find('\0') == text.size() - 1 &&
                             isStorableName(text.substr(0, text.size() - 1));
    if (cleanString) {
        return line + "\"" + escape(text.substr(0, text.size() - 1)) + "\"";
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
} // namespace

bool parse(const std::string& raw, Key& root, std::string& error) {
    root = emptyTree();
    const std::string text = decode(raw);
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
    while (i < lines.size() && trim(lines[i]).empty()) {
        ++i;
    }
    if (i == lines.size() || (trim(lines[i]) != kHeader && trim(lines[i]) != kOldHeader)) {
        return fail(i, "the header \"" + kHeader + "\" is missing");
    }

    Key* current = nullptr;
    for (++i; i < lines.size(); ++i) {
        const std::string line = trim(lines[i]);
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']') {
                return fail(i, "a key's name does not end with ]");
            }
            const std::string path = line.substr(1, line.size() - 2);
            std::vector<std::string> names;
            if (!splitPath(path, names) || names.empty() || fold(names[0]) != fold(kRootName)) {
                return fail(i, "the key is not a key of HKEY_CURRENT_USER");
            }
            if (names.size() - 1 > kMaxKeyDepth) {
                return fail(i, "a key lies more than " + std::to_string(kMaxKeyDepth) + " levels deep");
            }
            current = &root;
            for (std::size_t n = 1; n < names.size(); ++n) {
                if (!isStorableName(names[n])) {
                    return fail(i, "a key's name holds control characters or is not UTF-8");
                }
                if (!isStorableKeyName(names[n])) {
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
        } else if (!readQuoted(line, pos, name)) {
            return fail(i, "a value's name is not a quoted text");
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
            ++pos;
        }
        if (pos >= line.size() || line[pos] != '=') {
            return fail(i, "= is missing after a value's name");
        }
        std::string data = trim(line.substr(pos + 1));
        if (!data.empty() && data[0] == '"') {
            std::size_t at = 0;
            std::string str;
            if (!readQuoted(data, at, str) || at != data.size()) {
                return fail(i, "a text value is not closed by a quote");
            }
            std::vector<std::uint8_t> bytes(str.begin(), str.end());
            bytes.push_back(0);
            current->setValue(name, 1, std::move(bytes));
        } else if (startsWithFolded(data, "dword:")) {
            std::uint32_t n = 0;
            if (!parseHexNumber(data.substr(6), n)) {
                return fail(i, "a dword value is not a hexadecimal number of at most 8 digits");
            }
            current->setValue(name, 4,
                              {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                               static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)});
        } else if (startsWithFolded(data, "hex")) {
            std::uint32_t type = 3;
            std::size_t colon = data.find(':');
            if (colon == std::string::npos) {
                return fail(i, "a hex value has no :");
            }
            const std::string kind = data.substr(3, colon - 3);
            if (!kind.empty()) {
                if (kind.size() < 3 || kind.front() != '(' || kind.back() != ')' ||
                    !parseHexNumber(kind.substr(1, kind.size() - 2), type)) {
                    return fail(i, "a hex value's type is not hex(n)");
                }
            }
            std::string list = data.substr(colon + 1);
            while (!list.empty() && list.back() == '\\') {
                list.pop_back();
                if (++i >= lines.size()) {
                    return fail(i - 1, "a continued hex value ends with the file");
                }
                list += trim(lines[i]);
            }
            std::vector<std::uint8_t> bytes;
            if (!parseHexBytes(list, bytes)) {
                return fail(i, "a hex value holds something other than two-digit bytes");
            }
            current->setValue(name, type, std::move(bytes));
        } else {
            return fail(i, "a value's data is neither a quoted text, dword: nor hex:");
        }
    }
    return true;
}

std::optional<std::string> write(const Key& root, std::size_t limit) {
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
                out += valueLine(v) + "\n";
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
