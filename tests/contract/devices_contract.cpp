#include "tests/contract/devices_contract.h"

#include <optional>
#include <vector>

#include "sim/regfile.h"

namespace {

using plat::DeviceProperty;

constexpr const char* kOurs = "PCI\\VEN_1D5A&DEV_0013&SUBSYS_00131D5A&REV_01\\3&61AAA01&0&58";
constexpr const char* kOther = "PCI\\VEN_7A7A&DEV_2001&SUBSYS_20017A7A&REV_10\\4&2C1F0A3B&0&20F0";
constexpr const char* kEnum = "SYSTEM\\CurrentControlSet\\Enum\\";
constexpr const char* kNetClass =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";
// A device of the system class, seeded by the tests that need one.
constexpr const char* kSystemDevice = "ROOT\\VLMCONTRACT_SYSDEV\\0000";
constexpr const char* kSystemClass = "{4D36E97D-E325-11CE-BFC1-08002BE10318}";

// Index of the instance in the set, or nullopt.
std::optional<std::size_t> Find(const plat::DeviceSet& set, std::string_view id) {
    for (std::size_t i = 0; i < set.Count(); ++i)
        if (set.InstanceId(i) == id) return i;
    return std::nullopt;
}

}  // namespace

void DevicesContract::SetUp() {
    host_ = GetParam().make();
    Clean();
    auto r = sim::ImportRegFile(host_->Reg(), FixturePath("two-net-devices.reg"));
    ASSERT_TRUE(r) << "line " << r.line << ": " << r.message;
}

// The Windows registry outlives the test.
void DevicesContract::TearDown() {
    if (host_) Clean();
}

void DevicesContract::Clean() {
    auto& reg = host_->Reg();
    reg.DeleteTree(std::string(kEnum) + "PCI\\VEN_1D5A&DEV_0013&SUBSYS_00131D5A&REV_01");
    reg.DeleteTree(std::string(kEnum) + "PCI\\VEN_7A7A&DEV_2001&SUBSYS_20017A7A&REV_10");
    reg.DeleteTree(std::string(kEnum) + "ROOT\\VLMCONTRACT_SYSDEV");
    reg.DeleteTree(std::string(kNetClass) + "0001");
    reg.DeleteTree(std::string(kNetClass) + "0002");
}

void DevicesContract::SeedSystemDevice() {
    auto key = host_->Reg().Create(std::string(kEnum) + kSystemDevice);
    ASSERT_TRUE(key);
    ASSERT_TRUE(plat::WriteString(*key, "ClassGUID", kSystemClass));
    ASSERT_TRUE(plat::WriteString(*key, "DeviceDesc", "Contract system device"));
}

std::unique_ptr<plat::DeviceSet> DevicesContract::Net() {
    return host_->Setup().PresentDevices(plat::kNetClassGuid);
}

namespace {

TEST_P(DevicesContract, NetClassListsSeededDevicesWithProperties) {
    struct Expected {
        const char* id;
        const char* service;
        const char* driver;
        const char* desc;
        std::optional<std::string> friendly;
    };
    const Expected table[] = {
        {kOurs, "CV7720", "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001",
         "Velmora ZN6200 802.11a/b Wireless Adapter", std::nullopt},
        {kOther, "fe2001", "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0002",
         "Fast Ethernet PCI Adapter", "Fast Ethernet PCI Adapter #2"},
    };
    auto set = Net();
    ASSERT_TRUE(set);
    std::size_t ours = 0, other = 0;
    for (const auto& e : table) {
        SCOPED_TRACE(e.id);
        auto i = Find(*set, e.id);
        ASSERT_TRUE(i) << "not listed (ids are reported in upper case)";
        (e.id == kOurs ? ours : other) = *i;
        EXPECT_EQ(set->Property(*i, DeviceProperty::Service), e.service);
        EXPECT_EQ(set->Property(*i, DeviceProperty::Driver), e.driver);
        EXPECT_EQ(set->Property(*i, DeviceProperty::DeviceDesc), e.desc);
        EXPECT_EQ(set->Property(*i, DeviceProperty::FriendlyName), e.friendly);
        EXPECT_TRUE(set->Status(*i).has_value());
    }
    // Registry order: the enumerator's subkeys sorted by name.
    EXPECT_LT(ours, other);
}

TEST_P(DevicesContract, DriverKeyOpensForReadingAndWriting) {
    auto set = Net();
    ASSERT_TRUE(set);
    auto i = Find(*set, kOurs);
    ASSERT_TRUE(i);
    auto read = set->OpenDriverKey(*i, plat::DevKeyAccess::Read);
    ASSERT_TRUE(read);
    EXPECT_EQ(plat::ReadString(*read, "DriverDesc"), "Velmora ZN6200 802.11a/b Wireless Adapter");
    EXPECT_EQ(plat::ReadDword(*read, "NetworkType5350"), 1u);

    auto full = set->OpenDriverKey(*i, plat::DevKeyAccess::Full);
    ASSERT_TRUE(full);
    ASSERT_TRUE(plat::WriteString(*full, "CardCfgId", "contract"));
    auto again = host_->Reg().Open(std::string(kNetClass) + "0001");
    ASSERT_TRUE(again);
    EXPECT_EQ(plat::ReadString(*again, "CardCfgId"), "contract");

    // The other card's key is its own.
    auto j = Find(*set, kOther);
    ASSERT_TRUE(j);
    auto otherKey = set->OpenDriverKey(*j, plat::DevKeyAccess::Read);
    ASSERT_TRUE(otherKey);
    EXPECT_EQ(plat::ReadString(*otherKey, "DriverDesc"), "Fast Ethernet PCI Adapter");
    EXPECT_FALSE(plat::ValueExists(*otherKey, "NetworkType5350"));
}

TEST_P(DevicesContract, DeviceWithoutDriverValueHasNoDriverKey) {
    auto key = host_->Reg().Open(std::string(kEnum) + kOther);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->DeleteValue("Driver"));
    auto set = Net();
    ASSERT_TRUE(set);
    auto i = Find(*set, kOther);
    ASSERT_TRUE(i);
    EXPECT_EQ(set->Property(*i, DeviceProperty::Driver), std::nullopt);
    EXPECT_EQ(set->OpenDriverKey(*i, plat::DevKeyAccess::Read), nullptr);
}

TEST_P(DevicesContract, ClassSelectsDevicesAndEmptyClassListsAll) {
    SeedSystemDevice();
    auto net = Net();
    ASSERT_TRUE(net);
    EXPECT_FALSE(Find(*net, kSystemDevice));

    auto all = host_->Setup().PresentDevices("");
    ASSERT_TRUE(all);
    EXPECT_TRUE(Find(*all, kSystemDevice));
    EXPECT_TRUE(Find(*all, kOurs));
    EXPECT_TRUE(Find(*all, kOther));

    auto sys = host_->Setup().PresentDevices(kSystemClass);
    ASSERT_TRUE(sys);
    EXPECT_TRUE(Find(*sys, kSystemDevice));
    EXPECT_FALSE(Find(*sys, kOurs));

    // The class text may be in lower case: it names a GUID.
    auto lower = host_->Setup().PresentDevices("{4d36e972-e325-11ce-bfc1-08002be10318}");
    ASSERT_TRUE(lower);
    EXPECT_TRUE(Find(*lower, kOurs));

    auto none = host_->Setup().PresentDevices("{0B0C5E1A-9D3F-4E27-8A61-5C4B3A2D1E0F}");
    ASSERT_TRUE(none);
    EXPECT_EQ(none->Count(), 0u);

    for (const char* bad : {"4D36E972-E325-11CE-BFC1-08002BE10318", "{not-a-guid}", "Net"})
        EXPECT_EQ(host_->Setup().PresentDevices(bad), nullptr) << bad;
}

TEST_P(DevicesContract, IndexOutsideTheSetFailsQuietly) {
    auto set = Net();
    ASSERT_TRUE(set);
    std::size_t past = set->Count();
    EXPECT_EQ(set->InstanceId(past), "");
    EXPECT_EQ(set->Property(past, DeviceProperty::Service), std::nullopt);
    EXPECT_EQ(set->Status(past), std::nullopt);
    EXPECT_FALSE(set->ChangeState(past, plat::kDicsDisable, plat::kDicsFlagConfigSpecific, 0));
    EXPECT_EQ(set->OpenDriverKey(past, plat::DevKeyAccess::Read), nullptr);
    EXPECT_EQ(set->ReadInstallParams(past), std::nullopt);
    EXPECT_FALSE(set->WriteInstallParams(past, {}));
}

TEST_P(DevicesContract, InstallParamsTakeThePropertyChangePendingFlag) {
    auto set = Net();
    ASSERT_TRUE(set);
    auto i = Find(*set, kOurs);
    ASSERT_TRUE(i);
    auto params = set->ReadInstallParams(*i);
    ASSERT_TRUE(params);
    EXPECT_FALSE(params->flags & (plat::kDiNeedRestart | plat::kDiNeedReboot));
    params->flagsEx |= plat::kDiFlagsExPropChangePending;
    ASSERT_TRUE(set->WriteInstallParams(*i, *params));
    auto back = set->ReadInstallParams(*i);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->flagsEx & plat::kDiFlagsExPropChangePending);
}

TEST_P(DevicesContract, DisableAndEnableChangeTheDevnodeStatus) {
    if (auto why = host_->NoStateChangeReason(); !why.empty()) GTEST_SKIP() << why;
    auto set = Net();
    ASSERT_TRUE(set);
    auto i = Find(*set, kOurs);
    ASSERT_TRUE(i);
    auto before = set->Status(*i);
    ASSERT_TRUE(before);
    ASSERT_TRUE(before->status & plat::kDnDisableable);

    ASSERT_TRUE(set->ChangeState(*i, plat::kDicsDisable, plat::kDicsFlagConfigSpecific, 0));
    auto off = set->Status(*i);
    ASSERT_TRUE(off);
    EXPECT_TRUE(off->status & plat::kDnHasProblem);
    EXPECT_EQ(off->problem, plat::kProblemDisabled);

    ASSERT_TRUE(set->ChangeState(*i, plat::kDicsEnable, plat::kDicsFlagConfigSpecific, 0));
    auto on = set->Status(*i);
    ASSERT_TRUE(on);
    EXPECT_FALSE(on->status & plat::kDnHasProblem);
    EXPECT_EQ(on->problem, 0u);
}

}  // namespace
