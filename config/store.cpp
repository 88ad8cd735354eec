#include "config/store.h"

#include <algorithm>

#include "config/channels.h"
#include "config/schema.h"

namespace config {

std::string ProfileKeyName(int index) {
    return "Cfg" + std::to_string(index);
}

std::string StorePath(std::string_view driverKeyPath) {
    if (driverKeyPath.empty()) return {};
    return plat::JoinPath(driverKeyPath, kStoreSubPath);
}

std::string ProfilePath(std::string_view driverKeyPath, int index) {
    if (driverKeyPath.empty()) return {};
    return plat::JoinPath(StorePath(driverKeyPath), ProfileKeyName(index));
}

int ProfileCount(const Key& store) {
    const auto names = store.SubKeyNames();
    const bool hasCfgo = std::any_of(names.begin(), names.end(), [](const std::string& n) {
        return plat::SameName(n, kNotAProfileKey);
    });
    return static_cast<int>(names.size()) - (hasCfgo ? 1 : 0);
}

std::optional<int> FindProfile(plat::Registry& reg, std::string_view driverKeyPath,
                               std::string_view name) {
    auto store = Key::Open(reg, StorePath(driverKeyPath));
    if (!store) return std::nullopt;
    const int count = ProfileCount(*store);
    for (int i = 0; i < count; ++i) {
        auto profile = Key::Open(reg, ProfilePath(driverKeyPath, i));
        if (profile && profile->ReadString("ConfigurationName") == name) return i;
    }
    return std::nullopt;
}

namespace {

void WriteDefault(Key& key, const ValueDef& d) {
    if (d.type == plat::RegType::Dword)
        key.WriteDword(d.name, d.number);
    else
        key.WriteString(d.name, d.text);
}

}  // namespace

void RepairDriverKey(Key& driver) {
    const bool fresh = !driver.ValueExists("key0");
    for (const ValueDef& d : Schema()) {
        if (d.where != Where::Driver) continue;
        if ((d.repair == Repair::FreshKey && fresh) ||
            (d.repair == Repair::IfMissing && !driver.ValueExists(d.name)))
            WriteDefault(driver, d);
    }
}

void WriteKeyLengthBytes(Key& key, std::string_view name, int index) {
    if (auto text = DriverText(KeyLengthCodes(), index)) key.WriteString(name, *text);
}

void WriteKeyLengthBits(Key& key, std::string_view name, int index) {
    if (auto bits = ProfileNumber(KeyLengthCodes(), index)) key.WriteDword(name, *bits);
}

void WriteChannelToken(Key& key, std::string_view name, std::string_view channelText) {
    key.WriteString(name, ChannelToken(channelText));
}

}  // namespace config
