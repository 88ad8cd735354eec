#include "app/scan_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Fields {
    std::array<std::uint8_t, 6> bssid{};
    std::string ssid;
    std::uint32_t privacy = 0, signal = 0, adHoc = 0;
    std::uint16_t frequency = 0, flags = 0;
};

void Put(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A record written at the offsets the driver uses; the bytes nobody reads are 0xEE so a field
// read from the wrong place shows.
std::vector<std::uint8_t> Record(const Fields& f) {
    std::vector<std::uint8_t> b(app::kScanListEntrySize, 0xEE);
    std::memcpy(b.data(), f.bssid.data(), 6);
    std::memset(b.data() + 8, 0, 32);
    std::memcpy(b.data() + 8, f.ssid.data(), std::min<std::size_t>(f.ssid.size(), 32));
    Put(b, 40, f.privacy, 4);
    Put(b, 44, f.signal, 4);
    Put(b, 56, f.frequency, 2);
    Put(b, 58, f.flags, 2);
    Put(b, 60, f.adHoc, 4);
    return b;
}

app::ScanListEntry Entry(std::uint16_t frequency, std::uint16_t flags = 0,
                         std::uint32_t adHoc = 0) {
    app::ScanListEntry e;
    e.frequency = frequency;
    e.channelFlags = flags;
    e.adHoc = adHoc;
    return e;
}

TEST(ScanListDecode, ReadsEveryFieldLittleEndian) {
    Fields f{{0x00, 0x1d, 0x5a, 0xab, 0xcd, 0xef}, "Harbor", 2, 0x01020304, 7, 0x1234, 0x0500};
    auto bytes = Record(f);
    auto list = app::DecodeScanList(bytes.data(), bytes.size(), bytes.size());
    ASSERT_EQ(list.size(), 1u);
    const auto& e = list[0];
    EXPECT_EQ(e.bssid, f.bssid);
    EXPECT_EQ(e.ssid, "Harbor");
    EXPECT_EQ(e.privacy, 2u);
    EXPECT_EQ(e.signal, 0x01020304u);
    EXPECT_EQ(e.frequency, 0x1234);
    EXPECT_EQ(e.channelFlags, 0x0500);
    EXPECT_EQ(e.adHoc, 7u);
}

TEST(ScanListDecode, NameEndsAtFirstZeroOrAfterThirtyTwoBytes) {
    auto full = Record({{}, std::string(32, 'N')});
    // Without a zero the name takes all 32 bytes and stops before the privacy field.
    full[40] = 'X';
    EXPECT_EQ(app::DecodeScanListEntry(full.data()).ssid, std::string(32, 'N'));

    auto cut = Record({{}, "Quay"});
    cut[8 + 5] = 'Z';  // after the terminating zero: not part of the name
    EXPECT_EQ(app::DecodeScanListEntry(cut.data()).ssid, "Quay");

    auto empty = Record({});
    EXPECT_EQ(app::DecodeScanListEntry(empty.data()).ssid, "");
}

TEST(ScanListDecode, CountsWholeRecordsWithinWrittenBytesAndBuffer) {
    std::vector<std::uint8_t> buffer;
    for (std::uint16_t f : {2412, 2437, 5180}) {
        auto r = Record({{}, "n", 0, 0, 0, f});
        buffer.insert(buffer.end(), r.begin(), r.end());
    }
    struct Case {
        std::size_t bufferSize, written, records;
    };
    const Case cases[] = {
        {216, 216, 3}, {216, 144 + 40, 2},  // the trailing part record is ignored
        {216, 71, 0},  {216, 0, 0},
        {150, 216, 2},  // a count beyond the buffer reads only what is there
    };
    for (const auto& c : cases) {
        auto list = app::DecodeScanList(buffer.data(), c.bufferSize, c.written);
        ASSERT_EQ(list.size(), c.records) << c.bufferSize << " " << c.written;
        if (c.records >= 2) {
            EXPECT_EQ(list[1].frequency, 2437);
        }
    }
}

TEST(ScanListSignal, PercentTable) {
    const std::pair<std::uint32_t, int> cases[] = {
        {0, 0},   {3, 10},  {14, 50}, {15, 51},  {20, 56},  {34, 70},  {35, 73},
        {40, 90}, {41, 90}, {55, 95}, {70, 100}, {71, 100}, {80, 100}, {0xFFFFFFFF, 100},
    };
    for (auto [raw, percent] : cases) EXPECT_EQ(app::SignalPercent(raw), percent) << raw;
}

TEST(ScanListChannel, NumberFromFrequency) {
    const std::pair<std::uint16_t, int> cases[] = {
        {2412, 1},  {2437, 6},  {2472, 13}, {2484, 14},  {2512, 15},
        {2532, 16}, {5180, 36}, {5250, 50}, {5805, 161},
    };
    for (auto [f, channel] : cases) EXPECT_EQ(app::ChannelNumber(f), channel) << f;
}

TEST(ScanListChannel, BandLetterForGridAndList) {
    struct Case {
        std::uint16_t frequency, flags;
        char grid, list;
    };
    const Case cases[] = {
        {2437, 0, 'B', 'B'},
        {2437, app::kChannelFlag11g, 'G', 'G'},
        // Turbo channels: the grid goes by the frequency, the list by the flag.
        {5250, 0, 'T', 'A'},
        {5250, app::kChannelFlagTurbo, 'T', 'T'},
        {5180, app::kChannelFlagTurbo, 'A', 'T'},
        {5800, 0, 'T', 'A'},
        {5000, 0, 'B', 'B'},
    };
    for (const auto& c : cases) {
        auto e = Entry(c.frequency, c.flags);
        EXPECT_EQ(app::GridBandLetter(e), c.grid) << c.frequency << " " << c.flags;
        EXPECT_EQ(app::ListBandLetter(e), c.list) << c.frequency << " " << c.flags;
    }
}

TEST(ScanListCells, GridRowTexts) {
    app::ScanListEntry e = Entry(5250);
    e.bssid = {0x00, 0x1d, 0x5a, 0xab, 0x0c, 0xff};
    e.ssid = "Harbor";
    e.signal = 20;
    e.privacy = 1;
    EXPECT_EQ(app::ScanGridRow(e),
              (std::vector<std::string>{"Harbor", "00-1D-5A-AB-0C-FF", "  50 T", "56%", " WEP ",
                                        " Infrastructure "}));

    EXPECT_EQ(app::ChannelCellText(Entry(2437)), "   6 B");
    EXPECT_EQ(app::ChannelCellText(Entry(5805)), " 161 A");
    for (auto [raw, text] : {std::pair{1u, " 3%"}, std::pair{3u, "10%"}, std::pair{80u, "100%"}}) {
        e.signal = raw;
        EXPECT_EQ(app::SignalCellText(e), text) << raw;
    }
    EXPECT_EQ(app::SecurityCellText(0), " No ");
    EXPECT_EQ(app::SecurityCellText(2), " AES ");
    EXPECT_EQ(app::SecurityCellText(3), " N/A ");
    EXPECT_EQ(app::ModeCellText(0), " Infrastructure ");
    EXPECT_EQ(app::ModeCellText(2), " AdHoc ");
}

// The band filter of the network-name list, over one record of each list band letter.
TEST(ScanListNameList, BandFilterTable) {
    const std::pair<char, app::ScanListEntry> records[] = {
        {'A', Entry(5180)},
        {'B', Entry(2437)},
        {'G', Entry(2437, app::kChannelFlag11g)},
        {'T', Entry(5250, app::kChannelFlagTurbo)},
    };
    struct Case {
        int band, turbo;
        std::string kept;
    };
    const Case cases[] = {
        {0, 0, "AB"}, {0, 1, "ABGT"}, {1, 0, "B"}, {1, 1, "B"}, {1, -1, "B"}, {2, 0, "A"},
        {2, 1, "T"},  {0, -1, ""},    {2, -1, ""}, {-1, 0, ""}, {3, 1, ""},
    };
    for (const auto& c : cases) {
        std::string kept;
        for (const auto& [letter, e] : records)
            if (app::OfferedInNameList(e, true, false, c.band, c.turbo)) kept += letter;
        EXPECT_EQ(kept, c.kept) << "band " << c.band << " turbo " << c.turbo;
    }
    // A turbo-frequency record without its flag counts as 802.11a.
    EXPECT_TRUE(app::OfferedInNameList(Entry(5250), true, false, 2, 0));
    EXPECT_FALSE(app::OfferedInNameList(Entry(5250), true, false, 2, 1));
}

TEST(ScanListNameList, ModeFilter) {
    auto ap = Entry(2437, 0, 0);
    auto cell = Entry(2437, 0, 5);
    EXPECT_TRUE(app::OfferedInNameList(ap, true, false, 1, 0));
    EXPECT_FALSE(app::OfferedInNameList(cell, true, false, 1, 0));
    EXPECT_TRUE(app::OfferedInNameList(cell, false, true, 1, 0));
    EXPECT_FALSE(app::OfferedInNameList(ap, false, true, 1, 0));
    EXPECT_FALSE(app::OfferedInNameList(ap, false, false, 1, 0));
    EXPECT_FALSE(app::OfferedInNameList(cell, false, false, 1, 0));
}

}  // namespace
