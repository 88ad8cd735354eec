// The driver key and its profile store: paths, the profile count and search, the repair of a
// fresh driver key and the key-length writers.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "config/reg_key.h"

namespace config {

// "<driver key>\CustomParams\Configurations" and its "\Cfg<index>"; empty for an empty driver key.
std::string StorePath(std::string_view driverKeyPath);
std::string ProfilePath(std::string_view driverKeyPath, int index);
std::string ProfileKeyName(int index);

// Subkeys of the store, less the `Cfgo` key that is not a profile.
int ProfileCount(const Key& store);
// Index of the profile of that name (exact case), skipping subkeys that do not open.
std::optional<int> FindProfile(plat::Registry& reg, std::string_view driverKeyPath,
                               std::string_view name);

// Writes the values a driver key lacks at load: the empty key set when `key0` is missing, and
// each missing passphrase value. Nothing else is created.
void RepairDriverKey(Key& driver);

// "5", "13", "16" / DWORD 40, 104, 128 for combo index 0, 1, 2; nothing for another index.
void WriteKeyLengthBytes(Key& key, std::string_view name, int index);
void WriteKeyLengthBits(Key& key, std::string_view name, int index);

// The channel token of a channel list text ("" for "Automatic"), as REG_SZ.
void WriteChannelToken(Key& key, std::string_view name, std::string_view channelText);

}  // namespace config
