// The simulated airwaves around the ZN6200 card: the networks it can hear, kept as registry data
// under a key of the simulation's own so that a test, a scenario or the Wine demo changes the
// radio by writing the registry (a .reg file, regedit, or the helpers below).
//
// HKLM\Software\VelmoraSim\Radio\Networks\<name>, one subkey per network, heard in the
// registry's enumeration order of the subkeys (sorted by name: "0".."9", then "10"; use names
// of one width). Numbers are REG_DWORD or decimal text; every value but BSSID and Frequency may
// be left out.
//   BSSID          text  "00-1D-5A-10-00-01" (':' separators or none also do); required
//   SSID           text  network name, cut to 32 characters
//   Frequency      num   channel centre frequency in MHz, e.g. 2437, 5180; required
//   ChannelFlags   num   0x0100 turbo channel, 0x0400 802.11g (OFDM on 2.4 GHz)
//   Privacy        num   0 open, 1 WEP, 2 AES
//   Key            text  WEP key of a Privacy 1 network, hex digits (10, 26 or 32, either case):
//                        only a station whose default key equals it joins; without a Key any
//                        station with WEP on does
//   Signal         num   raw signal value as the driver reports it (see the signal table)
//   SignalSwing    num   the signal moves by up to this much either way, one step a second
//   Mode           text  "infra" (access point, the default) or "adhoc" (IBSS)
//   Rates          text  supported rates in Mbps, "1,2,5,11" (5 stands for 5.5; "5.5" also
//                        reads as 5); the link runs at the highest one
//   TxBytesPerSec, RxBytesPerSec, TxFramesPerSec, RxFramesPerSec
//                  num   traffic while this station is joined to the network, seen from the
//                        station (Tx = sent by it)
// A subkey without a readable BSSID or Frequency is not a network and is not heard.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace sim {

inline constexpr std::string_view kRadioNetworksKey = "Software\\VelmoraSim\\Radio\\Networks";

inline constexpr std::uint16_t kChannelTurbo = 0x0100;
inline constexpr std::uint16_t kChannel11g = 0x0400;

using MacAddress = std::array<std::uint8_t, 6>;

// Six octets as "XX-XX-XX-XX-XX-XX", or twelve hex digits with '-', ':' or no separators.
std::optional<MacAddress> ParseMac(std::string_view text);
std::string FormatMac(const MacAddress& mac);  // "00-1D-5A-10-00-01"

struct RadioNetwork {
    MacAddress bssid{};
    std::string ssid;
    std::uint16_t frequency = 0;
    std::uint16_t channelFlags = 0;
    std::uint32_t privacy = 0;
    std::string key;  // WEP key as upper-case hex; "" none
    std::uint32_t signal = 0;
    std::uint32_t signalSwing = 0;
    bool adHoc = false;
    std::vector<std::uint8_t> rates;  // Mbps, 5 = 5.5
    std::uint32_t txBytesPerSec = 0;
    std::uint32_t rxBytesPerSec = 0;
    std::uint32_t txFramesPerSec = 0;
    std::uint32_t rxFramesPerSec = 0;
    bool operator==(const RadioNetwork&) const = default;
};

// The networks in the registry, in driver order.
std::vector<RadioNetwork> ReadRadioNetworks(plat::Registry& reg);
// Writes one network as the subkey `name` (replacing what was there). False when refused.
bool WriteRadioNetwork(plat::Registry& reg, std::string_view name, const RadioNetwork& net);
// Removes every network.
void ClearRadioNetworks(plat::Registry& reg);

// The raw signal at a moment: the network's Signal, moved by its SignalSwing in a triangle wave
// of one step a second (each network in its own phase), never below 0.
std::uint32_t SignalAt(const RadioNetwork& net, std::uint64_t nowMs);

// A number value: REG_DWORD, or decimal (or 0x hex) text.
std::optional<std::uint32_t> ReadNumber(const plat::RegKey& key, std::string_view name);

// A channel the radio tunes to.
struct Channel {
    std::uint16_t frequency = 0;
    std::uint16_t flags = 0;
    bool operator==(const Channel&) const = default;
};

// Channels of one scan pass, 2.4 GHz first, then 5 GHz, then turbo. netBand is the driver's
// NetBand bit set (1 = 5 GHz, 2 = turbo, 4 = 2.4 GHz; none of these three counts as 5, Auto);
// the domain picks the channel plan: 0x40 MKK, 0x30..0x32 ETSI, anything else FCC.
std::vector<Channel> ScanChannels(std::uint32_t netBand, std::uint32_t domain);
// Whether the network is on one of the channels (turbo networks only on turbo channels).
bool Audible(const RadioNetwork& net, const std::vector<Channel>& channels);

// The driver's 72-byte scan-list record of a network.
inline constexpr std::size_t kScanListEntrySize = 72;
void EncodeScanListEntry(const RadioNetwork& net, std::uint32_t signal, std::uint8_t* out);

}  // namespace sim
