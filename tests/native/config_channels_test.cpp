// Channel lists by domain and band, the channel token both ways and the band check.
#include <gtest/gtest.h>

#include "config/channels.h"

namespace {

using config::ChannelChoice;

std::vector<std::string> ListOf(std::span<const std::string_view> channels) {
    std::vector<std::string> items{"Automatic"};
    for (auto c : channels) items.emplace_back(c);
    return items;
}

TEST(Channels, ListChosenByDomainAndAdHocBand) {
    struct Case {
        std::optional<std::uint32_t> domain;
        int adHoc;
        std::size_t count;
        std::string_view first, last;
    } cases[] = {
        {0x10, 0, 11, "1   B/2.412GHz", "11 B/2.462GHz"},
        {0x10, 1, 13, "36   A/5.180GHz", "165 A/5.825GHz"},
        {0x10, 2, 5, "42   T/5.210GHz", "160 T/5.800GHz"},
        {0x30, 0, 13, "1   B/2.412GHz", "13 B/2.472GHz"},
        {0x30, 1, 19, "36   A/5.180GHz", "140 A/5.700GHz"},
        {0x30, 2, 19, "36   A/5.180GHz", "140 A/5.700GHz"},
        {0x40, 0, 14, "1   B/2.412GHz", "14 B/2.484GHz"},
        {0x40, 1, 4, "34 A/5.170GHz", "46 A/5.230GHz"},
        {0x40, 2, 4, "34 A/5.170GHz", "46 A/5.230GHz"},
        {0x20, 0, 0, "", ""},
        {0x31, 1, 0, "", ""},
        {std::nullopt, 1, 0, "", ""},
        {0x10, -1, 0, "", ""},
    };
    for (const auto& c : cases) {
        auto list = config::DomainChannels(c.domain, c.adHoc);
        ASSERT_EQ(list.size(), c.count) << c.domain.value_or(0) << "/" << c.adHoc;
        if (c.count) {
            EXPECT_EQ(list.front(), c.first);
            EXPECT_EQ(list.back(), c.last);
        }
    }
    EXPECT_EQ(config::FixedChannels(0).size(), 11u);
    EXPECT_EQ(config::FixedChannels(1).front(), "36   A/5.180GHz");
    EXPECT_EQ(config::FixedChannels(2).size(), 5u);
    EXPECT_TRUE(config::FixedChannels(3).empty());
}

TEST(Channels, TokenOfEveryKindOfText) {
    struct Case {
        std::string_view text, token;
    } cases[] = {
        {"Automatic", ""},
        {"1   B/2.412GHz", "b2412"},
        {"10 B/2.457GHz", "b2457"},
        {"13 B/2.472GHz", "b2472"},
        {"14 B/2.484GHz", "b2484"},
        {"42   T/5.210GHz", "t5210"},
        {"160 T/5.800GHz", "t5800"},
        {"100 A/5.500GHz", "100"},
        {"36   A/5.180GHz", "36"},
        {"34 A/5.170GHz", "34"},
        // The MKK 5 GHz channel 42 is no turbo channel: it keeps its number.
        {"42 A/5.210GHz", "42"},
        // No selection leaves an empty text: automatic.
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(config::ChannelToken(c.text), c.token) << c.text;
    // Every list text comes back to its own item.
    for (auto list : {config::Channels24(), config::Etsi5Channels(), config::Mkk5Channels(),
                      config::TurboChannels(), config::Fcc5Channels()}) {
        auto items = ListOf(list);
        for (std::size_t i = 1; i < items.size(); ++i) {
            auto choice = config::ChooseByToken(config::ChannelToken(items[i]), items);
            EXPECT_EQ(choice.item, static_cast<int>(i)) << items[i];
        }
    }
}

TEST(Channels, TokenLookupAfterAProfileWasChosen) {
    auto fcc = ListOf(config::Fcc5Channels());
    EXPECT_EQ(config::ChooseByToken("149", fcc).item, 9);
    auto miss = config::ChooseByToken("100", fcc);
    EXPECT_EQ(miss.item, std::nullopt);
    EXPECT_EQ(miss.message, "find setting error");
    // 2.4 GHz and turbo tokens select by position whatever the list holds.
    EXPECT_EQ(config::ChooseByToken("b2484", fcc).item, 14);
    EXPECT_EQ(config::ChooseByToken("t5800", fcc).item, 5);
}

TEST(Channels, RestoredSelectionAndItsMessages) {
    auto fcc24 = ListOf(config::DomainChannels(0x10, 0));
    auto etsi24 = ListOf(config::DomainChannels(0x30, 0));
    auto mkk24 = ListOf(config::DomainChannels(0x40, 0));
    auto etsi5 = ListOf(config::DomainChannels(0x30, 1));
    auto turbo = ListOf(config::DomainChannels(0x10, 2));
    const std::vector<std::string> automaticOnly{"Automatic"};
    struct Case {
        std::string_view token;
        int adHoc;
        const std::vector<std::string>& items;
        std::optional<int> item;
        std::string_view message;
    } cases[] = {
        {"", 1, etsi5, 0, ""},
        {"b2472", 0, etsi24, 13, ""},
        {"b2484", 0, etsi24, std::nullopt, "error occor3"},
        {"b2484", 0, mkk24, 14, ""},
        {"b2467", 0, fcc24, std::nullopt, "error occor1"},
        {"b2472", 0, fcc24, std::nullopt, "error occor2"},
        {"36", 0, fcc24, std::nullopt, "error occor4"},
        {"b2462", 0, automaticOnly, 11, ""},  // past the end: no selection
        {"b2467", 0, automaticOnly, std::nullopt, "error occor1"},
        {"120", 1, etsi5, 14, ""},
        {"165", 1, etsi5, std::nullopt, ""},
        {"t5250", 2, turbo, 2, ""},
        {"36", 2, turbo, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        auto choice = config::ChooseRestored(c.token, c.adHoc, c.items);
        EXPECT_EQ(choice.item, c.item) << c.token;
        EXPECT_EQ(choice.message, c.message) << c.token;
    }
}

TEST(Channels, BandCompatibilityInOrder) {
    const std::string_view turbo =
        "The turbo mode selection is not compatable with the AdHoc mode.";
    const std::string_view band =
        "The AdHoc NetWork selection is not compatable with Wireless mode.";
    const std::string_view ssid = "Station can't start an AdHoc without an SSID.";
    struct Case {
        config::BandState s;
        std::optional<std::string_view> message;
    } cases[] = {
        {{0, 2, 0, true, true}, turbo},         {{2, 0, 1, true, true}, band},
        {{1, 1, 0, false, false}, band},        {{0, 1, 0, true, true}, ssid},
        {{0, 1, 0, false, true}, std::nullopt}, {{2, 2, 1, true, false}, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(config::CheckBandCompatibility(c.s), c.message);
}

}  // namespace
