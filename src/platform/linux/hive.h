#pragma once

// The current user's registry tree and its text form, the registry editor's .reg export format.

#include <cstdint>
#include <optional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform::hive {

struct Value {
    std::string name; ///< as first stored; compared without regard to ASCII case
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

/// Trees may be as deep as a file allows: copying, writing and freeing one never recurses.
struct Key {
    Key() = default;
    Key(const Key& other);
    Key(Key&&) noexcept = default;
    Key& operator=(const Key& other);
    Key& operator=(Key&&) noexcept = default;
    ~Key();

    std::string name;                   ///< as first created
    std::vector<Value> values;          ///< in the order they were first stored; change them
                                        ///< through setValue and removeValue only
    std::map<std::string, Key> subkeys; ///< by folded name
    std::unordered_map<std::string, std::size_t> valueIndex; ///< folded name: place in values

    /// The subkey of that name, or null.
    Key* child(const std::string& name);
    const Key* child(const std::string& name) const;
    /// The subkey of that name, created when missing.
    Key& childOrCreate(const std::string& name);
    /// The value of that name, or null; found in constant time.
    Value* value(const std::string& name);
    const Value* value(const std::string& name) const;
    /// Stores a value, replacing one of the same name in its place.
    void setValue(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data);
    /// Removes a value; false when there was none.
    bool removeValue(const std::string& name);
    /// The key at the path of names below this one, or null.
    Key* find(const std::vector<std::string>& path);
    const Key* find(const std::vector<std::string>& path) const;
};

/// The registry's own limits: a key lies at most this many levels below the root, and its name
/// is at most this many characters long.
inline constexpr std::size_t kMaxKeyDepth = 512;
inline constexpr std::size_t kMaxKeyNameLength = 255;

/// The name of the root of the tree, as the file spells it.
inline const char* const kRootName = "HKEY_CURRENT_USER";

/// An empty tree: the root and its "Software" key, which always exists.
Key EmptyTree();

/// ASCII lower case, for comparing names.
std::string Fold(const std::string& name);

/// Splits a backslash-separated path into its names. An empty path gives no names; one trailing
/// backslash is allowed. False for an empty name inside the path.
bool SplitPath(const std::string& path, std::vector<std::string>& names);

/// True for a key or value name the file can hold: valid UTF-8 without control characters.
bool IsStorableName(const std::string& name);
/// True for a key name the registry allows: storable, not empty, and at most kMaxKeyNameLength
/// characters (code points) long.
bool IsStorableKeyName(const std::string& name);

/// Reads the text of a .reg file (UTF-8, or UTF-16 with its byte order mark) into a tree below
/// an empty one. False, with the line and reason in error, when the text is not such a file.
bool Parse(const std::string& text, Key& root, std::string& error);

/// The .reg text of a tree: header, then one section per key, depth first, names in order.
/// Nothing when the text would be longer than limit bytes.
std::optional<std::string> Write(const Key& root, std::size_t limit = SIZE_MAX);

} // namespace platform::hive
