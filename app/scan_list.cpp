#include "app/scan_list.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace app {

namespace {

std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

char BandLetter24(const ScanListEntry& e) {
    return (e.channelFlags & kChannelFlag11g) ? 'G' : 'B';
}

}  // namespace

ScanListEntry DecodeScanListEntry(const std::uint8_t* record) {
    ScanListEntry e;
    std::copy(record, record + 6, e.bssid.begin());
    const std::uint8_t* name = record + 8;
    const std::uint8_t* end = std::find(name, name + kScanSsidBytes, std::uint8_t{0});
    e.ssid.assign(name, end);
    e.privacy = Le32(record + 40);
    e.signal = Le32(record + 44);
    e.frequency = Le16(record + 56);
    e.channelFlags = Le16(record + 58);
    e.adHoc = Le32(record + 60);
    return e;
}

std::vector<ScanListEntry> DecodeScanList(const std::uint8_t* buffer, std::size_t bufferSize,
                                          std::size_t bytesWritten) {
    std::vector<ScanListEntry> list;
    if (!buffer) return list;
    std::size_t count = std::min(bytesWritten, bufferSize) / kScanListEntrySize;
    list.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        list.push_back(DecodeScanListEntry(buffer + i * kScanListEntrySize));
    return list;
}

int SignalPercent(std::uint32_t raw) {
    // Piecewise linear; each step truncates. Unsigned, so a huge value is just strong.
    if (raw > 70) return 100;
    int s = static_cast<int>(raw);
    if (s >= 41) return 90 + (s - 40) * 10 / 30;
    if (s >= 35) return 70 + (s - 34) * 20 / 6;
    if (s >= 15) return 50 + (s - 14) * 20 / 20;
    return s * 50 / 14;
}

int ChannelNumber(std::uint16_t frequency) {
    int f = frequency;
    if (f > 5000) return (f - 5000) / 5;
    if (f == 2484) return 14;
    if (f < 2484) return (f - 2407) / 5;
    return 15 + (f - 2512) / 20;
}

char GridBandLetter(const ScanListEntry& e) {
    if (e.frequency <= 5000) return BandLetter24(e);
    switch (e.frequency) {
        case 5210:
        case 5250:
        case 5290:
        case 5760:
        case 5800:
            return 'T';
        default:
            return 'A';
    }
}

char ListBandLetter(const ScanListEntry& e) {
    if (e.frequency <= 5000) return BandLetter24(e);
    return (e.channelFlags & kChannelFlagTurbo) ? 'T' : 'A';
}

std::string MacCellText(const std::array<std::uint8_t, 6>& b) {
    char text[18];
    std::snprintf(text, sizeof text, "%02x-%02x-%02x-%02x-%02x-%02x", b[0], b[1], b[2], b[3], b[4],
                  b[5]);
    std::string s = text;
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string ChannelCellText(const ScanListEntry& e) {
    char text[24];
    std::snprintf(text, sizeof text, " %3d %c", ChannelNumber(e.frequency), GridBandLetter(e));
    return text;
}

std::string SignalCellText(const ScanListEntry& e) {
    char text[8];
    std::snprintf(text, sizeof text, "%2d%%", SignalPercent(e.signal));
    return text;
}

std::string SecurityCellText(std::uint32_t privacy) {
    switch (privacy) {
        case 0:
            return " No ";
        case 1:
            return " WEP ";
        case 2:
            return " AES ";
        default:
            return " N/A ";
    }
}

std::string ModeCellText(std::uint32_t adHoc) {
    return adHoc == 0 ? " Infrastructure " : " AdHoc ";
}

std::vector<std::string> ScanGridRow(const ScanListEntry& e) {
    return {e.ssid,
            MacCellText(e.bssid),
            ChannelCellText(e),
            SignalCellText(e),
            SecurityCellText(e.privacy),
            ModeCellText(e.adHoc)};
}

bool OfferedInNameList(const ScanListEntry& e, bool infrastructureChecked, bool adHocChecked,
                       int radioBandIndex, int turboIndex) {
    bool mode = (infrastructureChecked && e.adHoc == 0) || (adHocChecked && e.adHoc != 0);
    if (!mode) return false;
    char band = ListBandLetter(e);
    switch (radioBandIndex) {
        case 0:  // Auto
            if (turboIndex == 0) return band == 'A' || band == 'B';
            return turboIndex == 1;
        case 1:  // 2.4 GHz
            return band == 'B';
        case 2:  // 5 GHz
            if (turboIndex == 0) return band == 'A';
            return turboIndex == 1 && band == 'T';
        default:
            return false;
    }
}

}  // namespace app
