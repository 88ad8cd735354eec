// velmora's registry layer: one object per open key under HKEY_LOCAL_MACHINE. Keys are opened
// without being created; a missing string reads as empty; a missing or mistyped number and a
// refused write raise RegistryError, which ends the running handler and is shown to the user.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace config {

class RegistryError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Key {
  public:
    // nullopt when the key does not exist; an empty path never opens (it would be the root).
    static std::optional<Key> Open(plat::Registry& reg, std::string_view path);
    // Opens the key, creating it when missing; "Failed to create key %s" when refused.
    static Key Create(plat::Registry& reg, std::string_view path);

    const std::string& Path() const { return path_; }

    // Missing: ""; a value of a non-string type: "Invalid data type for '%s'".
    std::string ReadString(std::string_view name) const;
    // "Failed to get data for '%s'" when missing, "Invalid data type for '%s'" when not a DWORD.
    std::uint32_t ReadDword(std::string_view name) const;
    bool ValueExists(std::string_view name) const;
    bool SubKeyExists(std::string_view name) const;
    std::vector<std::string> SubKeyNames() const;

    // "Failed to set data for '%s'" when the registry refuses.
    void WriteString(std::string_view name, std::string_view text);
    void WriteDword(std::string_view name, std::uint32_t value);

    // The subkey with its whole subtree; false when it did not go.
    bool DeleteSubKey(std::string_view name);
    // Renames a subkey, values and subkeys with it; false when it could not move.
    bool MoveSubKey(std::string_view from, std::string_view to);

  private:
    Key(plat::Registry& reg, std::string path, std::unique_ptr<plat::RegKey> key);
    plat::Registry* reg_;
    std::string path_;
    std::unique_ptr<plat::RegKey> key_;
};

}  // namespace config
