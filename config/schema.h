// Every value the adapter's driver key and its profile store hold: name, registry type, who
// writes it and the values a missing one is given. Readers, writers and the repair of a fresh
// key work from this one table, and so do both programs, each with its own policy for a
// missing value (velmora: an error for numbers; nicset01: the record default).
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace config {

inline constexpr std::string_view kStoreSubPath = "CustomParams\\Configurations";
inline constexpr std::string_view kNotAProfileKey = "Cfgo";

enum class Where { Driver, Store, Profile };

enum Writer : unsigned { kNoWriter = 0, kVelmora = 1, kNicset = 2, kBoth = 3 };

// What velmora creates at load when a value is missing.
enum class Repair {
    None,
    FreshKey,   // written when the driver key has no `key0` yet
    IfMissing,  // written whenever the value is missing
};

struct ValueDef {
    std::string_view name;  // exact case
    Where where;
    plat::RegType type;
    unsigned writers;
    // The value a fresh driver key is repaired with, or that velmora writes into a profile it
    // creates; text for REG_SZ, number for REG_DWORD.
    std::string_view text = {};
    std::uint32_t number = 0;
    Repair repair = Repair::None;
    // nicset01's stand-in for a missing profile value (a new record's field).
    std::int32_t recordDefault = 0;
    // velmora writes it only into a profile it creates and keeps it when overwriting one.
    bool newProfileOnly = false;
};

std::span<const ValueDef> Schema();
// The row of a value; throws std::logic_error for a name the table lacks (a programming error).
const ValueDef& Row(Where where, std::string_view name);

// ---- Codes: one row per control item, with the driver text and the profile number ----

struct Code {
    int index;  // control item index
    std::string_view driver;
    std::uint32_t profile;
};

// bssType / NetworkConnectionType: rbInfra (0) or rbAdHoc (1).
std::span<const Code> ConnectionCodes();
// sleepMode / PowerManagement: cbPowerSaving "Off", "Normal", "Maximum".
std::span<const Code> PowerCodes();
// shortPreamble / Preamble: cbPreamble "Auto", "Long Only".
std::span<const Code> PreambleCodes();
// keyLength0..3, PassLength (driver: bytes) / SharedKey*Length, PassLength (profile: bits).
std::span<const Code> KeyLengthCodes();

std::optional<int> IndexOfDriver(std::span<const Code> codes, std::string_view text);
std::optional<int> IndexOfProfile(std::span<const Code> codes, std::uint32_t number);
std::optional<std::string_view> DriverText(std::span<const Code> codes, int index);
std::optional<std::uint32_t> ProfileNumber(std::span<const Code> codes, int index);

// Driver NetBand: the band item (0 "Auto", 1 2.4 GHz, 2 5 GHz) with turbo.
struct BandSetting {
    int band;
    bool turbo;
    bool operator==(const BandSetting&) const = default;
};
std::optional<BandSetting> DecodeDriverBand(std::string_view text);
// "5"/"7", "4", "1"/"3"; turbo counts only for Auto and 5 GHz.
std::string_view EncodeDriverBand(BandSetting setting);
// Profile NetBand: 0 2.4 GHz, 1 5 GHz, 2 Auto (also for no item).
std::uint32_t ProfileBand(int bandIndex);
int BandIndexOfProfile(std::uint32_t number);

// Driver key-length text to bits: "5"/"13"/"16" -> 40/104/128, anything else nullopt.
std::optional<std::uint32_t> BitsOfLengthText(std::string_view text);
// Hex digits of a key of size index 0, 1, 2 (10, 26, 32); 0 for any other index.
int KeyDigits(int index);
// Bits to the combo index: 104 -> 1, 128 -> 2, anything else 0.
int KeyLengthIndex(std::uint32_t bits);

}  // namespace config
