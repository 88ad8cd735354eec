#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "config/schema.h"
#include "nicset/configuration_record.h"
#include "nicset/profile_store.h"
#include "tests/native/nicset_fixture.h"

namespace {

using nicset::ConfigurationRecord;
using nicset_test::DriverKey;
using nicset_test::kDriverPath;
using nicset_test::kStorePath;
using nicset_test::Profile;

plat::RegValue Dw(std::uint32_t v) {
    return plat::DwordValue(v);
}
plat::RegValue Sz(std::string_view s) {
    return plat::StringValue(s);
}

void AddProfile(DriverKey& d, int number, std::string_view name) {
    d.Set(Profile(number), "ConfigurationName", Sz(name));
}

std::vector<std::string> Names(const std::vector<ConfigurationRecord>& records) {
    std::vector<std::string> names;
    for (const auto& r : records) names.push_back(r.name);
    return names;
}

ConfigurationRecord Named(std::string name) {
    ConfigurationRecord r;
    r.name = std::move(name);
    return r;
}

TEST(NicsetProfileStore, NewRecordHasTheListDefaults) {
    const ConfigurationRecord r;
    EXPECT_EQ(r.connectionType, 1);
    EXPECT_EQ(r.powerSaving, 1);
    EXPECT_EQ(r.macAddressOn, 0);
    EXPECT_EQ(r.securityOn, 0);
    EXPECT_EQ(r.defaultKey, nicset::kDefaultKeyNone);
    EXPECT_EQ(r.sharedKeyLengths, (std::array<int, 4>{40, 40, 40, 40}));
    EXPECT_EQ(r.uniqueKeyLength, 40);
    EXPECT_EQ(r.wirelessMode, 2);
    EXPECT_EQ(r.encryptionType, 2);
    EXPECT_EQ(r.scanMode, 2);
    EXPECT_EQ(r.transmitPower, 0);
    EXPECT_EQ(r.qos + r.turbo + r.enable11g + r.extendedRange + r.notAdHoc + r.changed, 0);
    EXPECT_EQ(r.adHocBand, 1);
    EXPECT_EQ(r.adapterType, 2);
    EXPECT_EQ(r.adapterTypeSwitch, 1);
    EXPECT_EQ(r.preamble, 1);
    EXPECT_TRUE(r.name.empty() && r.networkName.empty() && r.macAddress.empty() &&
                r.uniqueKey.empty() && r.sharedKeys[3].empty());
}

// Every value a save writes is a schema row that nicset01 writes, with the row's type, and every
// such profile and store row is written.
TEST(NicsetProfileStore, WritesExactlyTheSchemaRowsItOwns) {
    DriverKey d;
    d.Set(kStorePath, "NicTEnable", Dw(0));
    ConfigurationRecord r = Named("Home");
    r.macAddressOn = 1;
    ASSERT_TRUE(nicset::SaveProfiles(d.key, "Home", 0, {r}).storeWritten);

    auto check = [&](std::string_view path, config::Where where) {
        auto key = d.At(path);
        ASSERT_TRUE(key);
        std::set<std::string> written;
        for (const auto& name : key->ValueNames()) {
            SCOPED_TRACE(name);
            written.insert(name);
            const auto& row = config::Row(where, name);  // throws for a name outside the schema
            EXPECT_NE(row.writers & config::kNicset, 0u);
            EXPECT_EQ(key->Get(name)->type, row.type);
        }
        for (const auto& row : config::Schema()) {
            if (row.where == where && (row.writers & config::kNicset)) {
                EXPECT_TRUE(written.contains(std::string(row.name))) << row.name;
            }
        }
    };
    check(kStorePath, config::Where::Store);
    check(Profile(0), config::Where::Profile);

    // The driver values: all text, all named (in exact case: ScanType) as the schema's rows that
    // nicset01 writes.
    auto driver = d.At(kDriverPath);
    for (const auto& name : driver->ValueNames()) {
        SCOPED_TRACE(name);
        EXPECT_NE(config::Row(config::Where::Driver, name).writers & config::kNicset, 0u);
        EXPECT_EQ(driver->Get(name)->type, plat::RegType::Sz);
    }
    EXPECT_EQ(driver->ValueNames().size(), 23u);
}

TEST(NicsetProfileStore, MissingOddAndMistypedValuesLoadAsTheirDefaults) {
    using Field = std::function<int(const ConfigurationRecord&)>;
    struct Case {
        const char* value;
        std::optional<plat::RegValue> stored;  // nullopt: missing
        Field field;
        int expected;
    };
    const Field power = [](const auto& r) { return r.powerSaving; };
    const Field connection = [](const auto& r) { return r.connectionType; };
    const Field defaultKey = [](const auto& r) { return r.defaultKey; };
    const Field band = [](const auto& r) { return r.wirelessMode; };
    const Field tpc = [](const auto& r) { return r.transmitPower; };
    const Field adHoc = [](const auto& r) { return r.adHocBand; };
    const Field preamble = [](const auto& r) { return r.preamble; };
    const Field length = [](const auto& r) { return r.sharedKeyLengths[0]; };
    const Field scan = [](const auto& r) { return r.scanMode; };
    const Case cases[] = {
        {"PowerManagement", std::nullopt, power, 0},
        {"PowerManagement", Dw(2), power, 2},
        {"PowerManagement", Dw(7), power, 1},
        {"PowerManagement", Sz("2"), power, 0},
        {"NetworkConnectionType", std::nullopt, connection, 1},
        {"NetworkConnectionType", Dw(0), connection, 0},
        {"NetworkConnectionType", Dw(5), connection, 1},
        {"DefaultKey", std::nullopt, defaultKey, 0},
        {"DefaultKey", Dw(3), defaultKey, 3},
        {"DefaultKey", Dw(0xFFFFFFFF), defaultKey, -1},
        {"NetBand", Dw(1), band, 1},
        {"NetBand", Dw(9), band, 2},
        {"tpc", Dw(4), tpc, 4},
        {"tpc", Dw(5), tpc, 0},
        {"AdHocBand", Dw(3), adHoc, 3},
        {"AdHocBand", Dw(4), adHoc, 1},
        {"AdHocBand", std::nullopt, adHoc, 1},
        {"Preamble", std::nullopt, preamble, 1},
        {"Preamble", Dw(0), preamble, 0},
        {"SharedKey1Length", Dw(104), length, 104},
        {"SharedKey1Length", Sz("104"), length, 40},
        {"scanType", plat::RegValue{plat::RegType::Binary, {1, 0, 0, 0}}, scan, 2},
        {"scanType", Dw(1), scan, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value) + (c.stored ? "" : " missing"));
        DriverKey d;
        AddProfile(d, 0, "P");
        if (c.stored) d.Set(Profile(0), c.value, *c.stored);
        auto s = nicset::LoadProfiles(d.key);
        ASSERT_EQ(s.records.size(), 1u);
        EXPECT_EQ(c.field(s.records[0]), c.expected);
    }
}

TEST(NicsetProfileStore, StoreWideValuesAndTheDriversAdHoc) {
    struct Case {
        const char* what;
        std::optional<plat::RegValue> nicType, nicTEnable, adHoc;
        int expectType, expectEnable, expectNotAdHoc;
    };
    const Case cases[] = {
        {"all missing", {}, {}, {}, 2, 1, 0},
        {"stored", Dw(1), Dw(0), Dw(0), 1, 0, 1},
        {"out of range", Dw(3), Dw(5), Dw(1), 2, 1, 0},
        {"mistyped", Sz("1"), Sz("0"), Sz("0"), 2, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DriverKey d;
        AddProfile(d, 0, "P");
        if (c.nicType) d.Set(kStorePath, "NicType", *c.nicType);
        if (c.nicTEnable) d.Set(kStorePath, "NicTEnable", *c.nicTEnable);
        if (c.adHoc) d.Set(kDriverPath, "AdHoc", *c.adHoc);
        auto s = nicset::LoadProfiles(d.key);
        EXPECT_EQ(s.nicType, c.expectType);
        EXPECT_EQ(s.nicTEnable, c.expectEnable);
        EXPECT_EQ(s.notAdHoc, c.expectNotAdHoc);
        ASSERT_EQ(s.records.size(), 1u);
        EXPECT_EQ(s.records[0].adapterType, c.expectType);
        EXPECT_EQ(s.records[0].adapterTypeSwitch, c.expectEnable);
        EXPECT_EQ(s.records[0].notAdHoc, c.expectNotAdHoc);
        EXPECT_FALSE(s.majorVersion);
    }
}

TEST(NicsetProfileStore, SkipsSubkeysThatAreNoProfiles) {
    DriverKey d;
    AddProfile(d, 0, "First");
    d.Set(Profile(1), "NetworkName", Sz("nameless"));
    d.Set(Profile(2), "ConfigurationName", Dw(5));
    d.Set(kStorePath + "\\Cfgo", "ConfigurationName", Sz("scratch"));
    AddProfile(d, 3, "Last");
    EXPECT_EQ(Names(nicset::LoadProfiles(d.key).records),
              (std::vector<std::string>{"First", "Last"}));

    DriverKey empty;
    auto s = nicset::LoadProfiles(empty.key);
    EXPECT_TRUE(s.records.empty());
    EXPECT_FALSE(s.selectedFound);
    EXPECT_FALSE(nicset::LoadProfiles(empty.reg, "SYSTEM\\Nowhere"));
}

// Registry order lists Cfg10 and Cfg11 before Cfg2; the list keeps the profiles' numbers.
TEST(NicsetProfileStore, TwelveProfilesKeepTheirNumbersAcrossLoadAndSave) {
    DriverKey d;
    std::vector<std::string> expected;
    for (int i = 0; i < 12; ++i) {
        AddProfile(d, i, "P" + std::to_string(i));
        expected.push_back("P" + std::to_string(i));
    }
    d.Set(kStorePath, "SelectedConfigurationName", Sz("p10"));
    d.Set(kStorePath, "SelectedConfigurationIndex", Dw(10));
    auto s = nicset::LoadProfiles(d.key);
    EXPECT_EQ(Names(s.records), expected);
    EXPECT_TRUE(s.selectedFound);

    ASSERT_TRUE(nicset::SaveProfiles(d.key, "P10", 10, s.records).storeWritten);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(d.Text(Profile(i), "ConfigurationName"), "P" + std::to_string(i));
    auto again = nicset::LoadProfiles(d.key);
    EXPECT_EQ(Names(again.records), expected);
    EXPECT_TRUE(again.selectedFound);
    EXPECT_EQ(again.selectedIndex, 10);
}

TEST(NicsetProfileStore, NamesThatDifferInCaseAreOneName) {
    DriverKey d;
    AddProfile(d, 0, "Home");
    AddProfile(d, 1, "Office");
    AddProfile(d, 2, "HOME");
    d.Set(kStorePath, "SelectedConfigurationName", Sz("home"));
    d.Set(kStorePath, "SelectedConfigurationIndex", Dw(2));
    auto s = nicset::LoadProfiles(d.key);
    ASSERT_EQ(s.records.size(), 3u);
    EXPECT_TRUE(s.selectedFound);
    EXPECT_EQ(nicset::FindRecord(s.records, "home"), 2u);
    EXPECT_EQ(nicset::FindRecord(s.records, "Home"), 2u);
    EXPECT_EQ(nicset::FindRecord(s.records, "office"), 1u);
    EXPECT_EQ(nicset::FindRecord(s.records, "Hom"), std::nullopt);

    // The stored index must also match: the name at another number is not the selection.
    d.Set(kStorePath, "SelectedConfigurationIndex", Dw(1));
    EXPECT_FALSE(nicset::LoadProfiles(d.key).selectedFound);
}

TEST(NicsetProfileStore, SaveRenumbersAndKeepsTheStoreWideValues) {
    DriverKey d;
    for (int i = 0; i < 3; ++i) AddProfile(d, i, "P" + std::to_string(i));
    d.Set(kStorePath, "NicTEnable", Dw(0));
    d.Set(kStorePath, "NicType", Dw(7));
    auto s = nicset::LoadProfiles(d.key);
    s.records.erase(s.records.begin() + 1);
    ASSERT_TRUE(nicset::SaveProfiles(d.key, "P2", 1, s.records).storeWritten);

    auto store = d.At(kStorePath);
    ASSERT_TRUE(store);
    EXPECT_EQ(store->SubKeyNames(), (std::vector<std::string>{"Cfg0", "Cfg1"}));
    EXPECT_EQ(d.Text(Profile(1), "ConfigurationName"), "P2");
    EXPECT_EQ(plat::ReadDword(*store, "MajorVersion"), 2u);
    EXPECT_EQ(plat::ReadDword(*store, "MinorVersion"), 0u);
    EXPECT_EQ(plat::ReadString(*store, "SelectedConfigurationName"), "P2");
    EXPECT_EQ(plat::ReadDword(*store, "SelectedConfigurationIndex"), 1u);
    EXPECT_EQ(plat::ReadDword(*store, "NicType"), 7u) << "kept as stored";
    EXPECT_EQ(plat::ReadDword(*store, "NicTEnable"), 0u);
    // Nothing of the rewrite is left beside the store.
    EXPECT_EQ(d.At(std::string(kDriverPath) + "\\CustomParams")->SubKeyNames(),
              (std::vector<std::string>{"Configurations"}));

    DriverKey fresh;
    ASSERT_TRUE(nicset::SaveProfiles(fresh.key, "", -1, {Named("A")}).storeWritten);
    auto made = fresh.At(kStorePath);
    EXPECT_EQ(plat::ReadDword(*made, "NicType"), 2u);
    EXPECT_FALSE(plat::ValueExists(*made, "NicTEnable")) << "written only when it was there";
    EXPECT_FALSE(fresh.At(kDriverPath)->Get("ssid")) << "no driver values without a selection";
}

TEST(NicsetProfileStore, SavedRecordLoadsBackEqual) {
    DriverKey d;
    ConfigurationRecord r = Named("Lab");
    r.networkName = "LabNet";
    r.connectionType = 0;
    r.powerSaving = 2;
    r.macAddressOn = 1;
    r.macAddress = "021122334455";
    r.securityOn = 1;
    r.defaultKey = 3;
    r.sharedKeys = {"A1", "", "B2", "C3"};
    r.uniqueKey = "D4";
    r.sharedKeyLengths = {104, 40, 128, 40};
    r.uniqueKeyLength = 128;
    r.wirelessMode = 1;
    r.encryptionType = 0;
    r.scanMode = 1;
    r.transmitPower = 3;
    r.qos = r.turbo = r.enable11g = r.extendedRange = 1;
    r.adHocBand = 3;
    r.preamble = 0;
    ASSERT_TRUE(nicset::SaveProfiles(d.key, "Lab", 0, {r}).storeWritten);
    auto s = nicset::LoadProfiles(d.key);
    ASSERT_EQ(s.records.size(), 1u);
    EXPECT_EQ(s.records[0], r);
}

TEST(NicsetProfileStore, DriverValues) {
    struct Case {
        const char* what;
        std::function<void(ConfigurationRecord&)> edit;
        const char* value;
        const char* expected;  // "(missing)" when not written
    };
    const Case cases[] = {
        {"unique key as default", [](auto& r) { r.defaultKey = 0; }, "defaultKey", "4"},
        {"no default key", [](auto& r) { r.defaultKey = -1; }, "defaultKey", "-2"},
        {"second shared key", [](auto& r) { r.defaultKey = 2; }, "defaultKey", "1"},
        {"104-bit key",
         [](auto& r) {
             r.sharedKeys[1] = "AB";
             r.sharedKeyLengths[1] = 104;
         },
         "keyLength1", "13"},
        {"empty key", [](auto& r) { r.sharedKeyLengths[1] = 104; }, "keyLength1", "0"},
        {"152-bit unique key",
         [](auto& r) {
             r.uniqueKey = "AB";
             r.uniqueKeyLength = 128;
         },
         "uniqKeyLength", "16"},
        {"auto, turbo, range", [](auto& r) { r.turbo = r.extendedRange = 1; }, "NetBand", "263"},
        {"802.11b with 11g",
         [](auto& r) {
             r.wirelessMode = 0;
             r.enable11g = 1;
         },
         "NetBand", "12"},
        {"802.11a", [](auto& r) { r.wirelessMode = 1; }, "NetBand", "1"},
        {"unknown mode", [](auto& r) { r.wirelessMode = 5; }, "NetBand", "0"},
        {"ad hoc", [](auto& r) { r.connectionType = 0; }, "bssType", "2"},
        {"unknown connection", [](auto& r) { r.connectionType = 3; }, "bssType", "(missing)"},
        {"power normal", [](auto& r) { r.powerSaving = 1; }, "sleepMode", "2"},
        {"power maximum", [](auto& r) { r.powerSaving = 2; }, "sleepMode", "1"},
        {"scan mode", [](auto& r) { r.scanMode = 1; }, "ScanType", "1"},
        {"unknown scan mode", [](auto& r) { r.scanMode = 3; }, "ScanType", "(missing)"},
        {"ad hoc band 3", [](auto& r) { r.adHocBand = 3; }, "AdHocBand", "3"},
        {"long preamble", [](auto& r) { r.preamble = 0; }, "shortPreamble", "0"},
        {"any preamble", [](auto& r) { r.preamble = 5; }, "shortPreamble", "1"},
        {"address on",
         [](auto& r) {
             r.macAddressOn = 1;
             r.macAddress = "021122334455";
         },
         "NetworkAddress", "021122334455"},
        {"address off", [](auto& r) { r.macAddress = "021122334455"; }, "NetworkAddress",
         "(missing)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DriverKey d;
        d.Set(kDriverPath, "NetworkAddress", Sz("0200DEADBEEF"));
        ConfigurationRecord r = Named("P");
        c.edit(r);
        EXPECT_TRUE(nicset::WriteDriverValues(d.key, r));
        EXPECT_EQ(d.Text(kDriverPath, c.value), c.expected);
    }
}

// The new store is built beside the old one: whatever stops it, the old store stays whole and
// no driver value is written.
TEST(NicsetProfileStore, FailedRewriteKeepsTheOldStore) {
    const std::string build = std::string(kDriverPath) + "\\CustomParams\\Configurations.new";
    struct Case {
        const char* what;
        std::function<void(sim::Registry&)> fault, clear;
        bool countsRefusals;
    };
    auto value = [](const char* name) {
        return Case{name, [=](sim::Registry& r) { r.RefuseValue(name); },
                    [=](sim::Registry& r) { r.AllowValue(name); }, true};
    };
    auto path = [](const char* what, std::string p) {
        return Case{what, [=](sim::Registry& r) { r.Refuse(p); },
                    [=](sim::Registry& r) { r.Allow(p); }, false};
    };
    const Case cases[] = {
        value("MajorVersion"),
        value("ConfigurationName"),
        value("Preamble"),  // the last value of the last profile
        path("build key refused", build),
        path("old store cannot move", kStorePath),
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DriverKey d;
        AddProfile(d, 0, "Old0");
        AddProfile(d, 1, "Old1");
        d.Set(kStorePath, "NicTEnable", Dw(0));
        d.Set(kDriverPath, "ssid", Sz("before"));
        const std::string before = d.Export(kStorePath);
        std::vector<ConfigurationRecord> records = {Named("New0"), Named("New1"), Named("New2")};
        records[0].networkName = "after";

        c.fault(d.reg);
        const auto refusals = d.reg.ValueRefusals();
        auto result = nicset::SaveProfiles(d.key, "New0", 0, records);
        EXPECT_FALSE(result.storeWritten);
        EXPECT_FALSE(result.driverWritten);
        if (c.countsRefusals) {
            EXPECT_GT(d.reg.ValueRefusals(), refusals) << "the fault fired";
        }
        EXPECT_EQ(d.Export(kStorePath), before);
        EXPECT_FALSE(d.At(build));
        EXPECT_EQ(d.Text(kDriverPath, "ssid"), "before");

        // The same save goes through once the fault is gone.
        c.clear(d.reg);
        EXPECT_TRUE(nicset::SaveProfiles(d.key, "New0", 0, records).storeWritten);
        EXPECT_EQ(d.Text(Profile(2), "ConfigurationName"), "New2");
        EXPECT_EQ(d.Text(kDriverPath, "ssid"), "after");
    }
}

TEST(NicsetProfileStore, StoreLeftAsideByACutShortSaveComesBack) {
    DriverKey d;
    const std::string aside = std::string(kDriverPath) + "\\CustomParams\\Configurations.old";
    d.Set(aside, "NicTEnable", Dw(0));
    d.Set(aside + "\\Cfg0", "ConfigurationName", Sz("Old"));
    ASSERT_TRUE(nicset::SaveProfiles(d.key, "New", 0, {Named("New")}).storeWritten);
    EXPECT_EQ(plat::ReadDword(*d.At(kStorePath), "NicTEnable"), 0u);
    EXPECT_FALSE(d.At(aside));
}

}  // namespace
