#include <gtest/gtest.h>

#include "sim/devices.h"
#include "sim/regfile.h"
#include "sim/registry.h"
#include "tests/contract/devices_contract.h"

namespace {

using plat::DeviceProperty;

class SimDevicesHost : public DevicesHost {
  public:
    plat::Registry& Reg() override { return reg_; }
    plat::SetupApi& Setup() override { return setup_; }
    std::string NoStateChangeReason() const override { return {}; }

  private:
    sim::Registry reg_;
    sim::SetupApi setup_{reg_};
};

INSTANTIATE_TEST_SUITE_P(Sim, DevicesContract,
                         ::testing::Values(DevicesTarget{
                             "sim", [] { return std::make_unique<SimDevicesHost>(); }}),
                         DevicesTargetName);

constexpr const char* kOurs = "PCI\\VEN_1D5A&DEV_0013&SUBSYS_00131D5A&REV_01\\3&61AAA01&0&58";
constexpr const char* kOther = "PCI\\VEN_7A7A&DEV_2001&SUBSYS_20017A7A&REV_10\\4&2C1F0A3B&0&20F0";
constexpr const char* kEnum = "SYSTEM\\CurrentControlSet\\Enum\\";

class SimDevices : public ::testing::Test {
  protected:
    void SetUp() override {
        auto r = sim::ImportRegFile(reg_, FixturePath("two-net-devices.reg"));
        ASSERT_TRUE(r) << r.message;
        setup_.Subscribe([this](const std::string& id, bool started) {
            told_.push_back((started ? "start " : "stop ") + id);
        });
    }
    std::vector<std::string> NetIds() {
        std::vector<std::string> ids;
        if (auto set = setup_.PresentDevices(plat::kNetClassGuid))
            for (std::size_t i = 0; i < set->Count(); ++i) ids.push_back(set->InstanceId(i));
        return ids;
    }
    void AddDevice(const std::string& path, const plat::RegValue& cls) {
        auto key = reg_.Create(kEnum + path);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->Set("ClassGUID", cls.type, cls.data));
    }
    // Our card's index in a fresh net-class set.
    std::unique_ptr<plat::DeviceSet> OursOnly() { return setup_.DeviceById(kOurs); }

    sim::Registry reg_;
    sim::SetupApi setup_{reg_};
    std::vector<std::string> told_;
};

TEST_F(SimDevices, ListsInRegistryOrderInUpperCaseAndSkipsUnusableClasses) {
    // Enumerators, devices and instances enumerate sorted by name, whatever their case.
    AddDevice("pci\\ven_0001&dev_0001\\zz", plat::StringValue(plat::kNetClassGuid));
    AddDevice("Acpi\\Net\\1", plat::StringValue("{4d36e972-e325-11ce-bfc1-08002be10318}"));
    // Wine ignores a class that is not a REG_SZ braced GUID, even for all classes.
    AddDevice("ACPI\\BadType\\0", plat::StringValue(plat::kNetClassGuid, plat::RegType::ExpandSz));
    AddDevice("ACPI\\BadText\\0", plat::StringValue("4D36E972-E325-11CE-BFC1-08002BE10318"));
    AddDevice("ACPI\\Dword\\0", plat::DwordValue(1));
    ASSERT_TRUE(reg_.Create(std::string(kEnum) + "ACPI\\NoClass\\0"));

    EXPECT_EQ(NetIds(), (std::vector<std::string>{"ACPI\\NET\\1", "PCI\\VEN_0001&DEV_0001\\ZZ",
                                                  kOurs, kOther}));
    auto all = setup_.PresentDevices("");
    ASSERT_TRUE(all);
    EXPECT_EQ(all->Count(), 4u);
}

TEST_F(SimDevices, AbsentDeviceIsNotListedAndObserversAreTold) {
    setup_.SetPresent(kOther, false);
    EXPECT_EQ(NetIds(), std::vector<std::string>{kOurs});
    EXPECT_EQ(setup_.DeviceById(kOther), nullptr);
    setup_.SetPresent(kOther, false);  // no change, nothing told
    setup_.SetPresent(kOther, true);
    EXPECT_EQ(NetIds(), (std::vector<std::string>{kOurs, kOther}));
    EXPECT_EQ(told_, (std::vector<std::string>{std::string("stop ") + kOther,
                                               std::string("start ") + kOther}));
}

TEST_F(SimDevices, DeviceGoneAfterTheSetWasTakenHasNoStatus) {
    auto set = OursOnly();
    ASSERT_TRUE(set);
    EXPECT_EQ(set->Status(0), (plat::DevNodeStatus{sim::kStatusStarted, 0}));
    setup_.SetPresent(kOurs, false);
    EXPECT_EQ(set->Status(0), std::nullopt);
    EXPECT_FALSE(set->ChangeState(0, plat::kDicsDisable, plat::kDicsFlagConfigSpecific, 0));
}

TEST_F(SimDevices, DisableThenEnableChangesStatusRecordsAndTells) {
    auto set = OursOnly();
    ASSERT_TRUE(set);
    ASSERT_TRUE(set->ChangeState(0, plat::kDicsDisable, plat::kDicsFlagConfigSpecific, 0));
    EXPECT_EQ(set->Status(0), (plat::DevNodeStatus{sim::kStatusDisabled, 22}));
    EXPECT_FALSE(setup_.IsStarted(kOurs));
    // A second disable succeeds and changes nothing.
    ASSERT_TRUE(set->ChangeState(0, plat::kDicsDisable, plat::kDicsFlagGlobal, 1));
    ASSERT_TRUE(set->ChangeState(0, plat::kDicsEnable, plat::kDicsFlagConfigSpecific, 0));
    EXPECT_EQ(set->Status(0), (plat::DevNodeStatus{sim::kStatusStarted, 0}));

    using R = sim::SetupApi::ChangeRequest;
    EXPECT_EQ(
        setup_.Requests(),
        (std::vector<R>{{kOurs, 2, 2, 0, true}, {kOurs, 2, 1, 1, true}, {kOurs, 1, 2, 0, true}}));
    EXPECT_EQ(told_, (std::vector<std::string>{std::string("stop ") + kOurs,
                                               std::string("start ") + kOurs}));
}

TEST_F(SimDevices, RefusedChangesLeaveTheDeviceAsItWas) {
    struct Case {
        const char* what;
        plat::DevNodeStatus status;
        bool injectFailure;
        std::uint32_t request;
    };
    const Case cases[] = {
        {"not disableable", {sim::kStatusStarted & ~plat::kDnDisableable, 0}, false, 2},
        {"disabled in hardware", {sim::kStatusDisabled, 29}, false, 1},
        {"disabled in hardware", {sim::kStatusDisabled, 29}, false, 2},
        {"class installer fails", {sim::kStatusStarted, 0}, true, 2},
        {"class installer fails", {sim::kStatusDisabled, 22}, true, 1},
        {"start is not offered", {sim::kStatusStarted, 0}, false, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        setup_.SetStatus(kOurs, c.status);
        setup_.SetChangeFails(kOurs, c.injectFailure);
        setup_.ClearRequests();
        told_.clear();
        auto set = OursOnly();
        ASSERT_TRUE(set);
        EXPECT_FALSE(set->ChangeState(0, c.request, plat::kDicsFlagConfigSpecific, 0));
        EXPECT_EQ(set->Status(0), c.status);
        ASSERT_EQ(setup_.Requests().size(), 1u);
        EXPECT_FALSE(setup_.Requests()[0].succeeded);
        EXPECT_TRUE(told_.empty());
    }
}

TEST_F(SimDevices, PropertyChangeRestartsAStartedDevice) {
    auto set = OursOnly();
    ASSERT_TRUE(set);
    ASSERT_TRUE(set->ChangeState(0, plat::kDicsPropChange, plat::kDicsFlagConfigSpecific, 0));
    EXPECT_EQ(set->Status(0), (plat::DevNodeStatus{sim::kStatusStarted, 0}));
    EXPECT_EQ(told_, (std::vector<std::string>{std::string("stop ") + kOurs,
                                               std::string("start ") + kOurs}));
}

TEST_F(SimDevices, AComputerRestartRestartsTheStartedDevicesOnly) {
    auto set = OursOnly();
    ASSERT_TRUE(set);
    setup_.RestartDevices();
    EXPECT_EQ(told_, (std::vector<std::string>{
                         std::string("stop ") + kOurs, std::string("start ") + kOurs,
                         std::string("stop ") + kOther, std::string("start ") + kOther}));
    ASSERT_TRUE(set->ChangeState(0, plat::kDicsDisable, plat::kDicsFlagConfigSpecific, 0));
    told_.clear();
    setup_.RestartDevices();
    EXPECT_EQ(told_, (std::vector<std::string>{std::string("stop ") + kOther,
                                               std::string("start ") + kOther}));
    EXPECT_FALSE(setup_.IsStarted(kOurs));
}

TEST_F(SimDevices, InjectedFailures) {
    setup_.SetInstanceIdUnreadable(kOurs, true);
    setup_.SetStatusFails(kOther, true);
    setup_.SetInstallParamsFail(kOther, true);
    auto set = setup_.PresentDevices(plat::kNetClassGuid);
    ASSERT_TRUE(set);
    ASSERT_EQ(set->Count(), 2u);
    EXPECT_EQ(set->InstanceId(0), "");
    EXPECT_EQ(set->Property(0, DeviceProperty::Service), "CV7720");  // the rest still reads
    EXPECT_EQ(set->Status(1), std::nullopt);
    EXPECT_EQ(set->ReadInstallParams(1), std::nullopt);
    EXPECT_FALSE(set->WriteInstallParams(1, {}));

    setup_.SetEnumerationFails(true);
    EXPECT_EQ(setup_.PresentDevices(plat::kNetClassGuid), nullptr);
    EXPECT_EQ(setup_.PresentDevices(""), nullptr);
}

TEST_F(SimDevices, InstallParamsOutliveTheSetSoTheDeviceManagerSeesThem) {
    setup_.SetInstallParams(kOurs, {plat::kDiNeedReboot, 0});
    {
        auto set = OursOnly();
        ASSERT_TRUE(set);
        auto p = set->ReadInstallParams(0);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->flags, plat::kDiNeedReboot);
        p->flagsEx |= plat::kDiFlagsExPropChangePending;
        ASSERT_TRUE(set->WriteInstallParams(0, *p));
    }
    EXPECT_EQ(setup_.InstallParamsOf(kOurs),
              (plat::InstallParams{plat::kDiNeedReboot, plat::kDiFlagsExPropChangePending}));
}

TEST_F(SimDevices, PropertiesAreReadWhenAskedAndMustBeStrings) {
    auto set = OursOnly();
    ASSERT_TRUE(set);
    auto key = reg_.Open(std::string(kEnum) + kOurs);
    ASSERT_TRUE(key);
    ASSERT_TRUE(plat::WriteString(*key, "FriendlyName", "Renamed"));
    ASSERT_TRUE(plat::WriteDword(*key, "Service", 7));
    EXPECT_EQ(set->Property(0, DeviceProperty::FriendlyName), "Renamed");
    EXPECT_EQ(set->Property(0, DeviceProperty::Service), std::nullopt);
    ASSERT_TRUE(reg_.DeleteTree(std::string(kEnum) + kOurs));
    EXPECT_EQ(set->Property(0, DeviceProperty::DeviceDesc), std::nullopt);
    EXPECT_EQ(set->OpenDriverKey(0, plat::DevKeyAccess::Read), nullptr);
}

}  // namespace
