#include "adapter/zero_config.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "sim/registry.h"
#include "sim/services.h"
#include "sim/system.h"

namespace {

constexpr char kDriverKey[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001";
constexpr char kGuid[] = "{6C1D0A52-3E0B-4C4F-9D6B-0F6C0A3E62A1}";

enum class Flags { NoKey, KeyWithoutFlags, Dword, Text };

struct Case {
    const char* name;
    plat::OsVersion os;
    std::optional<std::uint32_t> serviceState;  // nullopt: no such service
    Flags flags;
    std::uint32_t value;
    bool expected;
};

class ZeroConfig : public ::testing::TestWithParam<Case> {};

TEST_P(ZeroConfig, Decides) {
    const Case& c = GetParam();
    sim::Registry reg;
    sim::ServiceControl services;
    sim::System system;
    system.SetVersion(c.os);
    if (c.serviceState) services.Add("WZCSVC", *c.serviceState);
    plat::WriteString(*reg.Create(kDriverKey), "NetCfgInstanceId", kGuid);
    const std::string iface = plat::JoinPath(adapter::kZeroConfigInterfacesKey, kGuid);
    if (c.flags != Flags::NoKey) {
        auto key = reg.Create(iface);
        if (c.flags == Flags::Dword) plat::WriteDword(*key, "ControlFlags", c.value);
        if (c.flags == Flags::Text) plat::WriteString(*key, "ControlFlags", "32768");
    }
    EXPECT_EQ(adapter::IsZeroConfigManaged(system, services, reg, kDriverKey), c.expected);
    if (c.os.family == plat::OsFamily::Win95 || c.os.major < 5) {
        EXPECT_TRUE(services.Calls().empty());
    } else {
        ASSERT_FALSE(services.Calls().empty());
        EXPECT_EQ(services.Calls()[0].kind, sim::ServiceControl::CallKind::OpenManager);
    }
}

constexpr plat::OsVersion kXp{plat::OsFamily::NT, 5, 1};
constexpr plat::OsVersion k2000{plat::OsFamily::NT, 5, 0};
constexpr plat::OsVersion kNt4{plat::OsFamily::NT, 4, 0};
constexpr plat::OsVersion kMe{plat::OsFamily::Win95, 4, 90};
constexpr std::uint32_t kRunning = plat::kServiceRunning;
constexpr std::uint32_t kStopped = plat::kServiceStopped;

INSTANTIATE_TEST_SUITE_P(
    Table, ZeroConfig,
    ::testing::Values(Case{"Win95FamilyNeverAsks", kMe, kRunning, Flags::Dword, 0x8000, false},
                      Case{"Nt4NeverAsks", kNt4, kRunning, Flags::Dword, 0x8000, false},
                      Case{"XpRunningManaged", kXp, kRunning, Flags::Dword, 0x8000 | 0x2, true},
                      Case{"XpRunningNotManaged", kXp, kRunning, Flags::Dword, 0x7FFF, false},
                      Case{"XpStoppedManagedFlag", kXp, kStopped, Flags::Dword, 0x8000, false},
                      Case{"XpServiceMissing", kXp, std::nullopt, Flags::Dword, 0x8000, false},
                      Case{"XpNoInterfaceKeyEvenStopped", kXp, kStopped, Flags::NoKey, 0, true},
                      Case{"W2000NoInterfaceKey", k2000, kRunning, Flags::NoKey, 0, false},
                      Case{"W2000RunningManaged", k2000, kRunning, Flags::Dword, 0x8000, true},
                      Case{"NoControlFlags", kXp, kRunning, Flags::KeyWithoutFlags, 0, false},
                      Case{"FlagsAsTextCountAsZero", kXp, kRunning, Flags::Text, 0, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ZeroConfig, RefusedServiceCountsAsNotRunning) {
    sim::Registry reg;
    sim::ServiceControl services;
    sim::System system;
    system.SetVersion(kXp);
    services.Add("WZCSVC", kRunning);
    services.SetAccessRefused("WZCSVC", true);
    plat::WriteString(*reg.Create(kDriverKey), "NetCfgInstanceId", kGuid);
    plat::WriteDword(*reg.Create(plat::JoinPath(adapter::kZeroConfigInterfacesKey, kGuid)),
                     "ControlFlags", 0x8000);
    EXPECT_FALSE(adapter::IsZeroConfigManaged(system, services, reg, kDriverKey));
}

TEST(ZeroConfig, NoAdapterIdentifierReadsTheInterfacesKeyItself) {
    sim::Registry reg;
    sim::ServiceControl services;
    sim::System system;
    system.SetVersion(kXp);
    services.Add("WZCSVC", kRunning);
    reg.Create(adapter::kZeroConfigInterfacesKey);
    EXPECT_FALSE(adapter::IsZeroConfigManaged(system, services, reg, kDriverKey));
}

TEST(ReadAdapterValue, ReadsTextNumbersAndMisses) {
    sim::Registry reg;
    auto key = reg.Create(kDriverKey);
    plat::WriteString(*key, "ssid", "Harbour");
    plat::WriteDword(*key, "NetBand", 5);
    plat::WriteDword(*key, "Negative", 0xFFFFFFFF);
    const std::uint8_t noZero[] = {'a', 'b'};
    key->Set("Raw", plat::RegType::Binary, noZero);

    struct Row {
        const char* name;
        bool found;
        const char* text;
    } rows[] = {
        {"ssid", true, "Harbour"}, {"NetBand", true, "5"},    {"Negative", true, "-1"},
        {"Raw", true, "ab"},       {"missing", false, "old"},
    };
    for (const Row& r : rows) {
        std::string text = "old";
        EXPECT_EQ(adapter::ReadAdapterValue(reg, kDriverKey, r.name, text), r.found) << r.name;
        EXPECT_EQ(text, r.text) << r.name;
    }
    std::string text = "old";
    EXPECT_FALSE(adapter::ReadAdapterValue(reg, "System\\NoSuchKey", "ssid", text));
    EXPECT_FALSE(adapter::ReadAdapterValue(reg, "", "ssid", text));
    EXPECT_EQ(text, "old");
}

}  // namespace
