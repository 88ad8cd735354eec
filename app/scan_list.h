// The driver's scan list: the networks it has heard, as 72-byte records, and the texts the
// Stations grid and the network-name list show of them.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace app {

inline constexpr std::size_t kScanListEntrySize = 72;
inline constexpr std::size_t kScanSsidBytes = 32;
// Receive buffers: the grid reads up to 50 records, the drop-down up to 69.
inline constexpr std::size_t kGridScanBufferSize = 3600;
inline constexpr std::size_t kListScanBufferSize = 5000;

inline constexpr std::uint16_t kChannelFlagTurbo = 0x0100;
inline constexpr std::uint16_t kChannelFlag11g = 0x0400;

struct ScanListEntry {
    std::array<std::uint8_t, 6> bssid{};
    std::string ssid;             // up to the first zero byte, at most 32 bytes
    std::uint32_t privacy = 0;    // 0 none, 1 WEP, 2 AES
    std::uint32_t signal = 0;     // raw; see SignalPercent
    std::uint16_t frequency = 0;  // MHz
    std::uint16_t channelFlags = 0;
    std::uint32_t adHoc = 0;  // 0 access point, else an ad hoc cell
    bool operator==(const ScanListEntry&) const = default;
};

// One record from its 72 bytes (little-endian fields).
ScanListEntry DecodeScanListEntry(const std::uint8_t* record);
// The whole records among the first bytesWritten bytes of a buffer of bufferSize bytes; a
// trailing part record is ignored, and a count beyond the buffer reads only the buffer.
std::vector<ScanListEntry> DecodeScanList(const std::uint8_t* buffer, std::size_t bufferSize,
                                          std::size_t bytesWritten);

// Raw signal value to 0..100 percent.
int SignalPercent(std::uint32_t raw);

// Channel number of a centre frequency; may be out of any band for a frequency no channel has.
int ChannelNumber(std::uint16_t frequency);
// 'B', 'G', 'A' or 'T'. The grid knows turbo channels by their frequency, the network-name list
// by the record's turbo flag.
char GridBandLetter(const ScanListEntry& e);
char ListBandLetter(const ScanListEntry& e);

// Grid cell texts, blanks included.
std::string MacCellText(const std::array<std::uint8_t, 6>& bssid);
std::string ChannelCellText(const ScanListEntry& e);
std::string SignalCellText(const ScanListEntry& e);
std::string SecurityCellText(std::uint32_t privacy);
std::string ModeCellText(std::uint32_t adHoc);
// The six cells of the record's grid row: SSID, MAC address, channel, signal, security, mode.
std::vector<std::string> ScanGridRow(const ScanListEntry& e);

// Whether the network-name list offers the record under the Configuration page's choices:
// the mode buttons, and the wireless mode and turbo items (indexes, -1 for none).
bool OfferedInNameList(const ScanListEntry& e, bool infrastructureChecked, bool adHocChecked,
                       int radioBandIndex, int turboIndex);

}  // namespace app
