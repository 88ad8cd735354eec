// The registry layer's error rule, the profile store's count and search, the repair of a fresh
// driver key and the length codes, on the simulated registry.
#include <gtest/gtest.h>

#include "config/schema.h"
#include "config/store.h"
#include "sim/registry.h"

namespace {

constexpr char kDriver[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001";

struct Store : ::testing::Test {
    sim::Registry reg;
    config::Key driver = config::Key::Create(reg, kDriver);
    std::string Text(std::string_view name) {
        return plat::ReadString(*reg.Open(kDriver), name).value_or("<missing>");
    }
};

std::string ErrorOf(auto&& f) {
    try {
        f();
    } catch (const config::RegistryError& e) {
        return e.what();
    }
    return "<none>";
}

TEST_F(Store, EmptyOrMissingPathsNeverOpen) {
    EXPECT_FALSE(config::Key::Open(reg, ""));
    EXPECT_FALSE(config::Key::Open(reg, std::string(kDriver) + "\\Nothing"));
    EXPECT_TRUE(config::StorePath("").empty());
    EXPECT_FALSE(config::FindProfile(reg, "", "Home"));
    EXPECT_EQ(ErrorOf([&] { config::Key::Create(reg, ""); }), "Failed to create key ");
    reg.Refuse("SOFTWARE\\Locked");
    EXPECT_EQ(ErrorOf([&] { config::Key::Create(reg, "SOFTWARE\\Locked\\A"); }),
              "Failed to create key SOFTWARE\\Locked\\A");
}

TEST_F(Store, ReadErrorsNameTheValue) {
    auto raw = reg.Open(kDriver);
    plat::WriteDword(*raw, "WepEntry", 0);
    plat::WriteString(*raw, "tpc", "3");
    const std::uint8_t shortDword[2] = {1, 0};
    raw->Set("Short", plat::RegType::Dword, shortDword);
    EXPECT_EQ(driver.ReadString("missing"), "");
    EXPECT_EQ(driver.ReadString("tpc"), "3");
    EXPECT_EQ(driver.ReadDword("WepEntry"), 0u);
    struct Case {
        std::function<void()> read;
        std::string text;
    } cases[] = {
        {[&] { driver.ReadDword("tpc"); }, "Invalid data type for 'tpc'"},
        {[&] { driver.ReadDword("Absent"); }, "Failed to get data for 'Absent'"},
        {[&] { driver.ReadDword("Short"); }, "Invalid data type for 'Short'"},
        {[&] { driver.ReadString("WepEntry"); }, "Invalid data type for 'WepEntry'"},
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.read), c.text);
}

TEST_F(Store, RefusedWriteRaisesAndEarlierWritesStay) {
    reg.RefuseValue("bssType");
    driver.WriteString("ssid", "Home");
    EXPECT_EQ(ErrorOf([&] { driver.WriteString("bssType", "1"); }),
              "Failed to set data for 'bssType'");
    EXPECT_EQ(ErrorOf([&] { driver.WriteDword("BSSTYPE", 1); }),
              "Failed to set data for 'BSSTYPE'");
    EXPECT_EQ(reg.ValueRefusals(), 2u);
    EXPECT_EQ(Text("ssid"), "Home");
    EXPECT_EQ(Text("bssType"), "<missing>");
}

TEST_F(Store, FreshKeyRepairCreatesTheEmptyKeySetOnly) {
    config::RepairDriverKey(driver);
    for (const char* name : {"key0", "key1", "key2", "key3", "uniqKey", "ssid", "Phrase"})
        EXPECT_EQ(Text(name), "") << name;
    for (const char* name : {"keyLength0", "keyLength3", "uniqKeyLength", "defaultKey"})
        EXPECT_EQ(Text(name), "0") << name;
    EXPECT_EQ(Text("PassLength"), "5");
    EXPECT_EQ(driver.ReadDword("WepEntry"), 1u);
    EXPECT_EQ(reg.Open(kDriver)->ValueNames().size(), 15u);
}

TEST_F(Store, RepairKeepsAnExistingKeySet) {
    driver.WriteString("key0", "SENTINEL");
    driver.WriteString("ssid", "Home");
    driver.WriteString("PassLength", "13");
    driver.WriteDword("WepEntry", 0);
    const auto before = reg.WriteCount();
    config::RepairDriverKey(driver);
    EXPECT_EQ(reg.WriteCount(), before + 1);  // only the missing Phrase
    EXPECT_EQ(Text("key0"), "SENTINEL");
    EXPECT_EQ(Text("ssid"), "Home");
    EXPECT_EQ(Text("PassLength"), "13");
    EXPECT_EQ(Text("keyLength0"), "<missing>");
}

TEST_F(Store, ProfilesAreCountedWithoutCfgoAndFoundByExactName) {
    const std::string store = config::StorePath(kDriver);
    const char* names[] = {"Home", "Office", "home"};
    for (int i = 0; i < 3; ++i) {
        auto k = config::Key::Create(reg, config::ProfilePath(kDriver, i));
        k.WriteString("ConfigurationName", names[i]);
    }
    config::Key::Create(reg, store + "\\Cfgo");
    EXPECT_EQ(config::ProfileCount(*config::Key::Open(reg, store)), 3);
    EXPECT_EQ(config::FindProfile(reg, kDriver, "home"), 2);
    EXPECT_EQ(config::FindProfile(reg, kDriver, "Office"), 1);
    EXPECT_EQ(config::FindProfile(reg, kDriver, "Offic"), std::nullopt);
    config::Key::Create(reg, store + "\\Cfg3");  // a fourth subkey once Cfgo goes
    reg.DeleteTree(store + "\\Cfgo");
    EXPECT_EQ(config::ProfileCount(*config::Key::Open(reg, store)), 4);
}

TEST_F(Store, KeyLengthCodesBothWays) {
    struct Case {
        int index;
        std::string_view bytes;
        std::uint32_t bits;
    } cases[] = {{0, "5", 40}, {1, "13", 104}, {2, "16", 128}};
    for (const auto& c : cases) {
        config::WriteKeyLengthBytes(driver, "keyLength0", c.index);
        config::WriteKeyLengthBits(driver, "SharedKey1Length", c.index);
        EXPECT_EQ(Text("keyLength0"), c.bytes);
        EXPECT_EQ(driver.ReadDword("SharedKey1Length"), c.bits);
        EXPECT_EQ(config::BitsOfLengthText(c.bytes), c.bits);
        EXPECT_EQ(config::KeyLengthIndex(c.bits), c.index);
    }
    const auto before = reg.WriteCount();
    config::WriteKeyLengthBytes(driver, "keyLength0", -1);
    config::WriteKeyLengthBits(driver, "SharedKey1Length", 3);
    EXPECT_EQ(reg.WriteCount(), before);
    EXPECT_EQ(config::KeyLengthIndex(64), 0);
    EXPECT_EQ(config::BitsOfLengthText("0"), std::nullopt);
}

TEST(Schema, DriverBandCodesAndUnknownTexts) {
    using config::BandSetting;
    struct Case {
        std::string_view text;
        BandSetting setting;
    } cases[] = {{"5", {0, false}},
                 {"7", {0, true}},
                 {"4", {1, false}},
                 {"1", {2, false}},
                 {"3", {2, true}}};
    for (const auto& c : cases) {
        EXPECT_EQ(config::DecodeDriverBand(c.text), c.setting) << c.text;
        EXPECT_EQ(config::EncodeDriverBand(c.setting), c.text);
    }
    // Written by the other program for 2.4 GHz with turbo, or with the 802.11g bit.
    EXPECT_EQ(config::DecodeDriverBand("6"), std::nullopt);
    EXPECT_EQ(config::DecodeDriverBand("13"), std::nullopt);
    EXPECT_EQ(config::EncodeDriverBand({1, true}), "4");
    for (int band : {0, 1, 2})
        EXPECT_EQ(config::BandIndexOfProfile(config::ProfileBand(band)), band);
    EXPECT_EQ(config::ProfileBand(-1), 2u);
}

TEST(Schema, EveryNameIsUniqueWithinItsKeyAndTypedAsStored) {
    for (const auto& a : config::Schema()) {
        int same = 0;
        for (const auto& b : config::Schema())
            if (a.where == b.where && plat::SameName(a.name, b.name)) ++same;
        EXPECT_EQ(same, 1) << a.name;
        if (a.where == config::Where::Profile && a.type == plat::RegType::Sz) {
            EXPECT_EQ(a.number, 0u) << a.name;
        }
    }
    EXPECT_EQ(config::Row(config::Where::Driver, "WepEntry").type, plat::RegType::Dword);
    EXPECT_EQ(config::Row(config::Where::Profile, "NetBand").type, plat::RegType::Dword);
    EXPECT_THROW(config::Row(config::Where::Driver, "nothing"), std::logic_error);
}

}  // namespace
