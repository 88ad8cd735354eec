// Registry seam: keys under HKEY_LOCAL_MACHINE, addressed by backslash paths.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

enum class RegType : std::uint32_t {
    None = 0,
    Sz = 1,
    ExpandSz = 2,
    Binary = 3,
    Dword = 4,
    MultiSz = 7,
};

// A value as the registry holds it: its type and its raw bytes (strings with their
// terminating zero, as the ANSI registry calls return them).
struct RegValue {
    RegType type = RegType::None;
    std::vector<std::uint8_t> data;
    bool operator==(const RegValue&) const = default;
};

// An open key. Closing is the destructor. Once its key is deleted every operation fails.
class RegKey {
  public:
    virtual ~RegKey() = default;
    virtual std::optional<RegValue> Get(std::string_view name) const = 0;
    // The empty name is the key's default value. False when the registry refuses the write.
    virtual bool Set(std::string_view name, RegType type, std::span<const std::uint8_t> data) = 0;
    virtual bool DeleteValue(std::string_view name) = 0;
    // Names in the registry's own enumeration order.
    virtual std::vector<std::string> SubKeyNames() const = 0;
    virtual std::vector<std::string> ValueNames() const = 0;
};

class Registry {
  public:
    virtual ~Registry() = default;
    // Opens an existing key; nullptr when it does not exist or the path is not valid
    // (SplitKeyPath). An empty path names no key.
    virtual std::unique_ptr<RegKey> Open(std::string_view path) = 0;
    // Opens the key, creating it and any missing parents; nullptr when refused.
    virtual std::unique_ptr<RegKey> Create(std::string_view path) = 0;
    // Deletes the key with its whole subtree. False when it did not exist or could not go.
    // Keys directly under the root (the hives) never go.
    virtual bool DeleteTree(std::string_view path) = 0;
    // Moves a key with all its values and subkeys to a new path that must not exist yet and must
    // not lie inside the source.
    virtual bool MoveKey(std::string_view from, std::string_view to) = 0;
};

// Windows' limits on names, in characters.
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;

// The names along a key path; nullopt when the path is empty or a name in it is empty (leading,
// trailing or doubled backslash), too long or holds a zero. Both implementations refuse such paths
// the same way, so callers never meet the differences between Windows versions there.
std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view path);
bool IsValidValueName(std::string_view name);
// Names compare as the registry compares them: ignoring the case of ASCII and Latin-1 letters.
std::string UpperName(std::string_view name);
bool SameName(std::string_view a, std::string_view b);
// True when `path` names the key `ancestor` or a key below it (both valid paths).
bool IsSameOrBelow(std::string_view path, std::string_view ancestor);

// Typed access over raw values, shared by every caller so the encodings live in one place.
std::optional<std::string> ReadString(const RegKey& key, std::string_view name);   // SZ/EXPAND_SZ
std::optional<std::uint32_t> ReadDword(const RegKey& key, std::string_view name);  // DWORD, 4 bytes
bool WriteString(RegKey& key, std::string_view name, std::string_view text,
                 RegType type = RegType::Sz);
bool WriteDword(RegKey& key, std::string_view name, std::uint32_t value);
bool ValueExists(const RegKey& key, std::string_view name);
bool KeyExists(Registry& reg, std::string_view path);
bool SubKeyExists(Registry& reg, std::string_view path, std::string_view sub);
std::string JoinPath(std::string_view parent, std::string_view child);
RegValue StringValue(std::string_view text, RegType type = RegType::Sz);
RegValue DwordValue(std::uint32_t value);

}  // namespace plat
