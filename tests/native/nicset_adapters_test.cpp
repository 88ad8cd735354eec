#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapter/device_control.h"
#include "nicset/adapters.h"
#include "nicset/card_id.h"
#include "nicset/reg_key.h"
#include "sim/pc.h"
#include "sim/regfile.h"
#include "sim/zn6200_install.h"
#include "tests/contract/devices_contract.h"

namespace {

constexpr plat::OsVersion kXp{plat::OsFamily::NT, 5, 1};
constexpr plat::OsVersion kNt4{plat::OsFamily::NT, 4, 0};
constexpr plat::OsVersion kWin98{plat::OsFamily::Win95, 4, 10};

constexpr const char* kName = "Velmora ZN6200 802.11a/b Wireless Adapter";

struct Found {
    std::string display, instance, path;
    bool operator==(const Found&) const = default;
};

std::vector<Found> Discover(sim::Pc& pc, plat::OsVersion os) {
    std::vector<Found> found;
    for (const auto& a : nicset::DiscoverAdapters(pc.registry(), pc.setup(), os))
        found.push_back({a.displayName, a.instanceKeyName, a.driverKeyPath});
    return found;
}

TEST(NicsetAdapters, NtFiveFindsTheDeviceAndLoadsItsStore) {
    sim::Pc pc;
    ASSERT_TRUE(sim::InstallZn6200File(pc, FixturePath("zn6200-installed.reg")));
    const std::string path =
        "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001";
    ASSERT_TRUE(sim::ImportReg(pc.registry(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\" + path +
                                                  "\\CustomParams\\Configurations]\n"
                                                  "\"SelectedConfigurationName\"=\"Home\"\n"
                                                  "\"MajorVersion\"=dword:00000002\n"
                                                  "[HKEY_LOCAL_MACHINE\\" +
                                                  path +
                                                  "\\CustomParams\\Configurations\\Cfg0]\n"
                                                  "\"ConfigurationName\"=\"Home\"\n"));
    EXPECT_EQ(Discover(pc, kXp), (std::vector<Found>{{kName, "0001", path}}))
        << "the other maker's adapter is not listed";

    auto adapters = nicset::DiscoverAdapters(pc.registry(), pc.setup(), kXp);
    ASSERT_EQ(adapters.size(), 1u);
    const auto& a = adapters[0];
    EXPECT_EQ(a.records.size(), 1u);
    EXPECT_EQ(a.storedSelectedName, "Home");
    EXPECT_EQ(a.currentSelectionName, "Home");
    EXPECT_EQ(a.selectedFound, 1);
    EXPECT_EQ(a.majorVersion, 2);
    EXPECT_EQ(a.minorVersion, 0) << "absent";

    // A friendly name, when there is one, is what the list shows.
    const std::string enumKey =
        "SYSTEM\\CurrentControlSet\\Enum\\PCI\\VEN_1D5A&DEV_0620&SUBSYS_06201D5A&REV_01\\"
        "4&1f7dbc9f&0&40f0";
    plat::WriteString(*pc.registry().Open(enumKey), "FriendlyName", "Office radio");
    EXPECT_EQ(Discover(pc, kXp)[0].display, "Office radio");
    // Without a description the device is skipped.
    pc.registry().Open(enumKey)->DeleteValue("DeviceDesc");
    EXPECT_TRUE(Discover(pc, kXp).empty());
}

TEST(NicsetAdapters, WindowsNinetyEightPutsTheInstanceInBrackets) {
    sim::Pc pc;
    pc.system().SetVersion(kWin98);
    ASSERT_TRUE(sim::InstallZn6200File(pc, FixturePath("zn6200-win98.reg")));
    EXPECT_EQ(Discover(pc, kWin98),
              (std::vector<Found>{{std::string("[0001]") + kName, "0001",
                                   "SYSTEM\\CurrentControlSet\\Services\\Class\\Net\\0001"}}));
}

TEST(NicsetAdapters, NtFourTakesServicesWhoseParametersNameTheDriverValues) {
    sim::Pc pc;
    ASSERT_TRUE(sim::ImportReg(pc.registry(), R"(REGEDIT4

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\CV77202\Parameters]
"defaultKey"="0"
"NetBand"="5"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Fe31001\Parameters]
"defaultKey"="0"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Odd\Parameters]
"defaultKey"="0"
"NetBand"=dword:00000005

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\NoParams]
"defaultKey"="0"
"NetBand"="5"
)"));
    EXPECT_EQ(Discover(pc, kNt4),
              (std::vector<Found>{{"CV77202", "CV77202",
                                   "SYSTEM\\CurrentControlSet\\Services\\CV77202\\Parameters"}}));
}

// Both programs must encipher with the same text, so nicset01 reads what velmora reads.
TEST(NicsetCardId, AgreesWithVelmora) {
    struct Case {
        const char* what;
        std::optional<plat::RegValue> stored;
        bool created;
    };
    const std::string longId(1100, '7');
    const Case cases[] = {
        {"missing", std::nullopt, true},
        {"empty", plat::StringValue(""), true},
        {"not text", plat::DwordValue(5), true},
        {"kept", plat::StringValue("my-id"), false},
        {"longer than a string read holds", plat::StringValue(longId), false},
    };
    const std::string path = "SYSTEM\\Card";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sim::Pc pc;
        auto raw = pc.registry().Create(path);
        if (c.stored) raw->Set("CardCfgId", c.stored->type, c.stored->data);
        nicset::RegKey key;
        ASSERT_TRUE(key.Open(pc.registry(), path));
        const std::string id = nicset::ReadCardCfgId(key, pc.uuids());
        EXPECT_EQ(pc.uuids().Created().size(), c.created ? 1u : 0u);
        EXPECT_EQ(id.size(),
                  c.created ? 36u
                            : std::min<std::size_t>(plat::ReadString(*raw, "CardCfgId")->size(),
                                                    adapter::kMaxCardCfgIdLength));
        EXPECT_EQ(id, adapter::ReadCardCfgId(pc.registry(), pc.uuids(), path));
        EXPECT_TRUE(nicset::EnsureCardCfgId(key, pc.uuids()));
        EXPECT_EQ(nicset::ReadCardCfgId(key, pc.uuids()), id) << "never changed once written";
    }

    sim::Pc pc;
    pc.registry().Create(path);
    pc.uuids().SetRenderFails(true);
    nicset::RegKey key;
    ASSERT_TRUE(key.Open(pc.registry(), path));
    EXPECT_EQ(nicset::ReadCardCfgId(key, pc.uuids()), adapter::kFallbackCardCfgId);
    nicset::RegKey closed;
    EXPECT_EQ(nicset::ReadCardCfgId(closed, pc.uuids()), "");
    EXPECT_FALSE(nicset::EnsureCardCfgId(closed, pc.uuids()));
}

}  // namespace
