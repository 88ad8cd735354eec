#include "config/schema.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace config {

namespace {

// clang-format off
constexpr ValueDef kSchema[] = {
    // Driver parameters: read by the driver when the device starts.
    {.name = "ssid", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth, .text = "", .repair = Repair::FreshKey},
    {.name = "bssType", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "clist", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kVelmora},
    {.name = "sleepMode", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "NetBand", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "AdHocBand", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "tpc", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "shortPreamble", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "privacyInvoked", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "defaultKey", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth, .text = "0", .repair = Repair::FreshKey},
    {.name = "key0", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth, .text = "", .repair = Repair::FreshKey},
    {.name = "key1", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth, .text = "", .repair = Repair::FreshKey},
    {.name = "key2", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth, .text = "", .repair = Repair::FreshKey},
    {.name = "key3", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth, .text = "", .repair = Repair::FreshKey},
    {.name = "keyLength0", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth, .text = "0", .repair = Repair::FreshKey},
    {.name = "keyLength1", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth, .text = "0", .repair = Repair::FreshKey},
    {.name = "keyLength2", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth, .text = "0", .repair = Repair::FreshKey},
    {.name = "keyLength3", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth, .text = "0", .repair = Repair::FreshKey},
    {.name = "uniqKey", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth, .text = "", .repair = Repair::FreshKey},
    {.name = "uniqKeyLength", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth, .text = "0", .repair = Repair::FreshKey},
    {.name = "PassLength", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kVelmora, .text = "5", .repair = Repair::IfMissing},
    {.name = "Phrase", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kVelmora, .text = "", .repair = Repair::IfMissing},
    {.name = "WepEntry", .where = Where::Driver, .type = plat::RegType::Dword, .writers = kVelmora, .number = 1, .repair = Repair::IfMissing},
    {.name = "CardCfgId", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kBoth},
    // Written by the installer; marks and names the adapter.
    {.name = "DriverDesc", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kNoWriter},
    {.name = "NetworkType5350", .where = Where::Driver, .type = plat::RegType::None, .writers = kNoWriter},
    {.name = "NetworkAddress", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kNicset},
    {.name = "EncryptionAlg", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kNicset},
    {.name = "ScanType", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kNicset},
    {.name = "QoS", .where = Where::Driver, .type = plat::RegType::Sz, .writers = kNicset},
    {.name = "AdHoc", .where = Where::Driver, .type = plat::RegType::Dword, .writers = kNoWriter},
    // The profile store key.
    {.name = "SelectedConfigurationName", .where = Where::Store, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "SelectedConfigurationIndex", .where = Where::Store, .type = plat::RegType::Dword, .writers = kBoth},
    {.name = "MajorVersion", .where = Where::Store, .type = plat::RegType::Dword, .writers = kNicset, .number = 2},
    {.name = "MinorVersion", .where = Where::Store, .type = plat::RegType::Dword, .writers = kNicset, .number = 0},
    {.name = "NicType", .where = Where::Store, .type = plat::RegType::Dword, .writers = kNicset, .number = 2, .recordDefault = 2},
    {.name = "NicTEnable", .where = Where::Store, .type = plat::RegType::Dword, .writers = kNicset, .recordDefault = 1},
    // One profile; text/number: what velmora writes into a profile it creates.
    {.name = "ConfigurationName", .where = Where::Profile, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "NetworkName", .where = Where::Profile, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "NetworkConnectionType", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = 1},
    {.name = "PowerManagement", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = 1},
    {.name = "NetBand", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = 2},
    {.name = "AdHocBand", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = 1},
    {.name = "EnableTurbo", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = 0},
    {.name = "tpc", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = 0},
    {.name = "clistpro", .where = Where::Profile, .type = plat::RegType::Sz, .writers = kVelmora, .text = "", .repair = Repair::IfMissing},
    {.name = "Preamble", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = 1},
    {.name = "EnableSecurity", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = 0},
    {.name = "DefaultKey", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = -1},
    {.name = "SharedKey1", .where = Where::Profile, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "SharedKey2", .where = Where::Profile, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "SharedKey3", .where = Where::Profile, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "SharedKey4", .where = Where::Profile, .type = plat::RegType::Sz, .writers = kBoth},
    {.name = "SharedKey1Length", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = 40},
    {.name = "SharedKey2Length", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = 40},
    {.name = "SharedKey3Length", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = 40},
    {.name = "SharedKey4Length", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .recordDefault = 40},
    {.name = "UniqueKey", .where = Where::Profile, .type = plat::RegType::Sz, .writers = kBoth, .text = ""},
    {.name = "UniqueKeyLength", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .number = 40, .recordDefault = 40},
    {.name = "PassLength", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kVelmora, .number = 40, .repair = Repair::IfMissing},
    {.name = "Phrase", .where = Where::Profile, .type = plat::RegType::Sz, .writers = kVelmora, .text = "", .repair = Repair::IfMissing},
    {.name = "WepEntry", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kVelmora, .number = 1, .repair = Repair::IfMissing},
    {.name = "MacAddress", .where = Where::Profile, .type = plat::RegType::Sz, .writers = kBoth, .text = "", .newProfileOnly = true},
    {.name = "EnableMacAddress", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .number = 0, .recordDefault = 0, .newProfileOnly = true},
    {.name = "Enable11g", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .number = 0, .recordDefault = 0, .newProfileOnly = true},
    {.name = "EnableRange", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .number = 0, .recordDefault = 0, .newProfileOnly = true},
    {.name = "EncryptionAlg", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .number = 2, .recordDefault = 2, .newProfileOnly = true},
    {.name = "QoS", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .number = 0, .recordDefault = 0, .newProfileOnly = true},
    {.name = "scanType", .where = Where::Profile, .type = plat::RegType::Dword, .writers = kBoth, .number = 2, .recordDefault = 2, .newProfileOnly = true},
};

constexpr Code kConnection[] = {{0, "1", 1}, {1, "2", 0}};
constexpr Code kPower[] = {{0, "0", 0}, {1, "2", 1}, {2, "1", 2}};
constexpr Code kPreamble[] = {{0, "1", 1}, {1, "0", 0}};
constexpr Code kKeyLength[] = {{0, "5", 40}, {1, "13", 104}, {2, "16", 128}};

struct BandCode {
    BandSetting setting;
    std::string_view driver;
};
constexpr BandCode kDriverBand[] = {
    {{0, false}, "5"}, {{0, true}, "7"}, {{1, false}, "4"}, {{2, false}, "1"}, {{2, true}, "3"},
};
// clang-format on

}  // namespace

std::span<const ValueDef> Schema() {
    return kSchema;
}

const ValueDef& Row(Where where, std::string_view name) {
    auto it = std::find_if(std::begin(kSchema), std::end(kSchema),
                           [&](const ValueDef& d) { return d.where == where && d.name == name; });
    if (it == std::end(kSchema)) throw std::logic_error("no such value: " + std::string(name));
    return *it;
}

std::span<const Code> ConnectionCodes() {
    return kConnection;
}
std::span<const Code> PowerCodes() {
    return kPower;
}
std::span<const Code> PreambleCodes() {
    return kPreamble;
}
std::span<const Code> KeyLengthCodes() {
    return kKeyLength;
}

std::optional<int> IndexOfDriver(std::span<const Code> codes, std::string_view text) {
    for (const Code& c : codes)
        if (c.driver == text) return c.index;
    return std::nullopt;
}

std::optional<int> IndexOfProfile(std::span<const Code> codes, std::uint32_t number) {
    for (const Code& c : codes)
        if (c.profile == number) return c.index;
    return std::nullopt;
}

std::optional<std::string_view> DriverText(std::span<const Code> codes, int index) {
    for (const Code& c : codes)
        if (c.index == index) return c.driver;
    return std::nullopt;
}

std::optional<std::uint32_t> ProfileNumber(std::span<const Code> codes, int index) {
    for (const Code& c : codes)
        if (c.index == index) return c.profile;
    return std::nullopt;
}

std::optional<BandSetting> DecodeDriverBand(std::string_view text) {
    for (const BandCode& c : kDriverBand)
        if (c.driver == text) return c.setting;
    return std::nullopt;
}

std::string_view EncodeDriverBand(BandSetting setting) {
    if (setting.band == 1) return "4";
    const bool fiveGhz = setting.band == 2;
    if (fiveGhz) return setting.turbo ? "3" : "1";
    return setting.turbo ? "7" : "5";
}

std::uint32_t ProfileBand(int bandIndex) {
    if (bandIndex == 1) return 0;
    if (bandIndex == 2) return 1;
    return 2;
}

int BandIndexOfProfile(std::uint32_t number) {
    if (number == 0) return 1;
    if (number == 1) return 2;
    return 0;
}

std::optional<std::uint32_t> BitsOfLengthText(std::string_view text) {
    auto index = IndexOfDriver(kKeyLength, text);
    if (!index) return std::nullopt;
    return ProfileNumber(kKeyLength, *index);
}

int KeyDigits(int index) {
    constexpr int kDigits[] = {10, 26, 32};
    return index >= 0 && index < 3 ? kDigits[index] : 0;
}

int KeyLengthIndex(std::uint32_t bits) {
    return IndexOfProfile(kKeyLength, bits).value_or(0);
}

}  // namespace config
