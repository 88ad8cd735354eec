#include "nicset/profile_store.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "config/schema.h"
#include "nicset/record_fields.h"

namespace nicset {

namespace {

constexpr std::string_view kProfilePrefix = "Cfg";

int AsInt(std::uint32_t v) {
    return static_cast<int>(static_cast<std::int32_t>(v));
}

std::uint32_t AsDword(int v) {
    return static_cast<std::uint32_t>(v);
}

// The number after the three-letter prefix; -1 when the rest is not a decimal number.
int SubKeyNumber(std::string_view name) {
    if (name.size() <= kProfilePrefix.size()) return -1;
    auto digits = name.substr(kProfilePrefix.size());
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    int n = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    return ec == std::errc{} && end == digits.data() + digits.size() ? n : -1;
}

std::optional<ConfigurationRecord> ReadRecord(const RegKey& key, const ProfileStore& store) {
    ConfigurationRecord r;
    r.adapterType = store.nicType;
    r.adapterTypeSwitch = store.nicTEnable;
    r.notAdHoc = store.notAdHoc;
    for (const RecordField& f : RecordFields()) {
        if (f.text) {
            auto text = key.ReadString(f.name);
            // A profile is known by its name: without one it is no profile.
            if (!text && &f == RecordFields().data()) return std::nullopt;
            TextOf(f, r) = text.value_or("");
            continue;
        }
        int& field = NumberOf(f, r);
        if (auto v = key.ReadDword(f.name)) {
            // Out of range keeps the new record's value.
            if (AsInt(*v) >= f.lo && AsInt(*v) <= f.hi) field = AsInt(*v);
        } else if (f.whenMissing) {
            field = *f.whenMissing;
        }
    }
    return r;
}

bool WriteRecord(RegKey& key, const ConfigurationRecord& r) {
    bool ok = true;
    for (const RecordField& f : RecordFields())
        ok = (f.text ? key.WriteString(f.name, *f.text(r))
                     : key.WriteDword(f.name, AsDword(*f.number(r)))) &&
             ok;
    return ok;
}

// The whole new store under kStoreBuildSubPath; false at the first thing that does not go in.
bool BuildStore(RegKey& driverKey, std::string_view selectedName, int selectedIndex,
                const std::vector<ConfigurationRecord>& records) {
    std::optional<std::uint32_t> nicType, nicTEnable;
    {
        RegKey old;
        if (driverKey.OpenChild(config::kStoreSubPath, old)) {
            nicType = old.ReadDword("NicType");
            nicTEnable = old.ReadDword("NicTEnable");
        }
    }
    driverKey.DeleteChildTree(kStoreBuildSubPath);  // left by a save that was cut short
    RegKey store;
    if (!driverKey.CreateChild(kStoreBuildSubPath, store)) return false;
    auto version = [](std::string_view name) {
        return config::Row(config::Where::Store, name).number;
    };
    bool ok = store.WriteDword("MajorVersion", version("MajorVersion")) &&
              store.WriteDword("MinorVersion", version("MinorVersion")) &&
              store.WriteString("SelectedConfigurationName", selectedName) &&
              store.WriteDword("SelectedConfigurationIndex", AsDword(selectedIndex)) &&
              store.WriteDword("NicType", nicType.value_or(version("NicType"))) &&
              (!nicTEnable || store.WriteDword("NicTEnable", *nicTEnable));
    for (std::size_t i = 0; ok && i < records.size(); ++i) {
        RegKey profile;
        ok = store.CreateChild(std::string(kProfilePrefix) + std::to_string(i), profile) &&
             WriteRecord(profile, records[i]);
    }
    return ok;
}

// Puts the built store in the old one's place; on failure the old store stays.
bool SwapInStore(RegKey& driverKey) {
    RegKey probe;
    const bool hadStore = driverKey.OpenChild(config::kStoreSubPath, probe);
    probe.Close();
    if (hadStore) {
        driverKey.DeleteChildTree(kStoreBackupSubPath);
        if (!driverKey.MoveChild(config::kStoreSubPath, kStoreBackupSubPath)) return false;
    }
    if (!driverKey.MoveChild(kStoreBuildSubPath, config::kStoreSubPath)) {
        if (hadStore) driverKey.MoveChild(kStoreBackupSubPath, config::kStoreSubPath);
        return false;
    }
    if (hadStore) driverKey.DeleteChildTree(kStoreBackupSubPath);
    return true;
}

// A store moved aside by a save that was cut short before the new one went in.
void RecoverStore(RegKey& driverKey) {
    RegKey probe;
    if (driverKey.OpenChild(config::kStoreSubPath, probe)) return;
    driverKey.MoveChild(kStoreBackupSubPath, config::kStoreSubPath);
}

std::string Decimal(int v) {
    return std::to_string(v);
}

// Key length in bytes, "0" for no key.
std::string KeyLengthText(const std::string& key, int bits) {
    return key.empty() ? "0" : Decimal(bits / 8);
}

bool InRange(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

}  // namespace

ProfileStore LoadProfiles(const RegKey& driverKey) {
    ProfileStore s;
    auto adHoc = driverKey.ReadDword("AdHoc");
    s.notAdHoc = adHoc && *adHoc == 0 ? 1 : 0;
    RegKey store;
    if (!driverKey.OpenChild(config::kStoreSubPath, store)) return s;
    s.majorVersion = store.ReadDword("MajorVersion");
    s.minorVersion = store.ReadDword("MinorVersion");
    if (auto t = store.ReadDword("NicType"); t && *t <= 2) s.nicType = AsInt(*t);
    if (auto e = store.ReadDword("NicTEnable"); e && *e == 0) s.nicTEnable = 0;
    s.selectedName = store.ReadString("SelectedConfigurationName").value_or("");
    if (auto i = store.ReadDword("SelectedConfigurationIndex")) s.selectedIndex = AsInt(*i);

    struct Loaded {
        int number;
        ConfigurationRecord record;
    };
    std::vector<Loaded> loaded;
    for (std::size_t n = 0;; ++n) {
        auto name = store.EnumSubKey(n);
        if (!name) break;
        if (plat::SameName(*name, config::kNotAProfileKey)) continue;
        RegKey sub;
        if (!store.OpenChild(*name, sub)) continue;
        auto record = ReadRecord(sub, s);
        if (!record) continue;
        const int number = SubKeyNumber(*name);
        if (number == s.selectedIndex && !record->name.empty() &&
            plat::SameName(record->name, s.selectedName))
            s.selectedFound = true;
        loaded.push_back({number, std::move(*record)});
    }
    // Registry order puts Cfg10 before Cfg2; the numbers are the list order.
    std::stable_sort(loaded.begin(), loaded.end(), [](const Loaded& a, const Loaded& b) {
        return std::pair(a.number < 0, a.number) < std::pair(b.number < 0, b.number);
    });
    for (auto& l : loaded) s.records.push_back(std::move(l.record));
    return s;
}

std::optional<ProfileStore> LoadProfiles(plat::Registry& registry, std::string_view driverKeyPath) {
    RegKey key;
    if (!key.Open(registry, driverKeyPath)) return std::nullopt;
    return LoadProfiles(key);
}

std::optional<std::size_t> FindRecord(const std::vector<ConfigurationRecord>& records,
                                      std::string_view name) {
    for (std::size_t i = records.size(); i-- > 0;)
        if (plat::SameName(records[i].name, name)) return i;
    return std::nullopt;
}

SaveResult SaveProfiles(RegKey& driverKey, std::string_view selectedName, int selectedIndex,
                        const std::vector<ConfigurationRecord>& records) {
    SaveResult result;
    if (!driverKey.IsOpen()) return result;
    RecoverStore(driverKey);
    if (!BuildStore(driverKey, selectedName, selectedIndex, records)) {
        driverKey.DeleteChildTree(kStoreBuildSubPath);
        return result;
    }
    if (!SwapInStore(driverKey)) {
        driverKey.DeleteChildTree(kStoreBuildSubPath);
        return result;
    }
    result.storeWritten = true;
    if (selectedIndex >= 0 && static_cast<std::size_t>(selectedIndex) < records.size())
        result.driverWritten = WriteDriverValues(driverKey, records[std::size_t(selectedIndex)]);
    return result;
}

SaveResult SaveProfiles(plat::Registry& registry, std::string_view driverKeyPath,
                        std::string_view selectedName, int selectedIndex,
                        const std::vector<ConfigurationRecord>& records) {
    RegKey key;
    if (!key.Open(registry, driverKeyPath)) return {};
    return SaveProfiles(key, selectedName, selectedIndex, records);
}

std::uint32_t DriverNetBand(const ConfigurationRecord& r) {
    constexpr std::array<std::uint32_t, 3> kModeBits = {4, 1, 5};
    std::uint32_t bits = InRange(r.wirelessMode, 0, 2) ? kModeBits[std::size_t(r.wirelessMode)] : 0;
    if (r.enable11g) bits += 8;
    if (r.turbo) bits += 2;
    if (r.extendedRange) bits += 256;
    return bits;
}

bool WriteDriverValues(RegKey& k, const ConfigurationRecord& r) {
    bool ok = true;
    auto put = [&](std::string_view name, std::string_view text) {
        ok = k.WriteString(name, text) && ok;
    };
    // A code outside its range writes nothing for that value.
    auto code = [&](std::string_view name, int v, int hi) {
        if (InRange(v, 0, hi)) put(name, Decimal(v));
    };
    auto coded = [&](std::string_view name, std::span<const config::Code> codes, int number) {
        if (number < 0) return;
        if (auto index = config::IndexOfProfile(codes, AsDword(number)))
            put(name, *config::DriverText(codes, *index));
    };

    put("ssid", r.networkName);
    coded("bssType", config::ConnectionCodes(), r.connectionType);
    coded("sleepMode", config::PowerCodes(), r.powerSaving);
    if (r.macAddressOn)
        put("NetworkAddress", r.macAddress);
    else if (k.ValueExists("NetworkAddress"))
        ok = k.DeleteValue("NetworkAddress") && ok;
    put("privacyInvoked", r.securityOn ? "1" : "0");
    // The driver counts shared keys from 0 and calls the unique key 4.
    put("defaultKey", r.defaultKey == kDefaultKeyUnique ? "4" : Decimal(r.defaultKey - 1));
    for (std::size_t i = 0; i < r.sharedKeys.size(); ++i)
        put("key" + Decimal(int(i)), r.sharedKeys[i]);
    put("uniqKey", r.uniqueKey);
    for (std::size_t i = 0; i < r.sharedKeys.size(); ++i)
        put("keyLength" + Decimal(int(i)), KeyLengthText(r.sharedKeys[i], r.sharedKeyLengths[i]));
    put("uniqKeyLength", KeyLengthText(r.uniqueKey, r.uniqueKeyLength));
    put("NetBand", std::to_string(DriverNetBand(r)));
    code("EncryptionAlg", r.encryptionType, 2);
    code("ScanType", r.scanMode, 2);
    code("tpc", r.transmitPower, 4);
    put("QoS", r.qos ? "1" : "0");
    code("AdHocBand", r.adHocBand, 3);
    put("shortPreamble", r.preamble != 0 ? "1" : "0");
    return ok;
}

}  // namespace nicset
