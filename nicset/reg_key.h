// nicset01's registry key wrapper: one open key under HKEY_LOCAL_MACHINE, empty when closed.
// Every operation reports success as a boolean (or an empty optional) and never throws.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace nicset {

// String reads go through a buffer of this many bytes, terminating zero included.
inline constexpr std::size_t kStringBufferBytes = 1024;
// Subkey names are enumerated into a buffer of this many bytes.
inline constexpr std::size_t kNameBufferBytes = 1024;

class RegKey {
  public:
    RegKey() = default;
    RegKey(RegKey&&) noexcept = default;
    RegKey& operator=(RegKey&&) noexcept = default;

    bool IsOpen() const { return key_ != nullptr; }
    // The full path under HKEY_LOCAL_MACHINE; empty when closed.
    const std::string& Path() const { return path_; }

    // Opens an existing key of HKEY_LOCAL_MACHINE; an empty path names no key. False when the
    // key does not exist or this object already holds one.
    bool Open(plat::Registry& registry, std::string_view path);
    // A subkey of an open key, or with an empty name the key itself again.
    bool Open(const RegKey& parent, std::string_view subkey);
    // Opens a subkey of this key into `child`, which must be closed.
    bool OpenChild(std::string_view subkey, RegKey& child) const;

    // Create-or-open (missing parents too); `created` tells whether the key was made.
    bool Create(plat::Registry& registry, std::string_view path, bool* created = nullptr);
    bool Create(const RegKey& parent, std::string_view subkey, bool* created = nullptr);
    bool CreateChild(std::string_view subkey, RegKey& child, bool* created = nullptr) const;

    void Close();

    // Only a REG_DWORD of 4 bytes reads.
    std::optional<std::uint32_t> ReadDword(std::string_view name) const;
    // REG_SZ or REG_EXPAND_SZ, up to its first zero. A value whose data does not fit the
    // buffer (more than kStringBufferBytes bytes, or no room left for the terminating zero)
    // does not read, as the registry answers "more data" for it.
    std::optional<std::string> ReadString(std::string_view name) const;
    bool ValueExists(std::string_view name) const;
    // The name of subkey n in the registry's enumeration order; nullopt past the last.
    std::optional<std::string> EnumSubKey(std::size_t n) const;

    bool WriteDword(std::string_view name, std::uint32_t value);
    // REG_SZ with its terminating zero.
    bool WriteString(std::string_view name, std::string_view text);
    bool DeleteValue(std::string_view name);

    // A subkey with its whole subtree.
    bool DeleteChildTree(std::string_view subkey);
    // Renames a subkey with its values and subkeys; the target must not exist.
    bool MoveChild(std::string_view from, std::string_view to);

    // The seam's key, for helpers shared with velmora; nullptr when closed.
    plat::RegKey* Handle() const { return key_.get(); }

  private:
    bool Take(plat::Registry& registry, std::string path, std::unique_ptr<plat::RegKey> key);

    plat::Registry* registry_ = nullptr;
    std::string path_;
    std::unique_ptr<plat::RegKey> key_;
};

}  // namespace nicset
