#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "adapter/presence.h"
#include "sim/devices.h"
#include "sim/pc.h"
#include "sim/regfile.h"
#include "sim/registry.h"
#include "sim/services.h"
#include "sim/system.h"
#include "sim/zn6200_install.h"
#include "tests/contract/devices_contract.h"

namespace {

using Kind = sim::ServiceControl::CallKind;
using Call = sim::ServiceControl::Call;
using plat::ServiceAccess;

// Lists given identifiers and counts how many the caller read.
class ListedSetup final : public plat::SetupApi {
  public:
    std::vector<std::string> ids;
    bool fails = false;
    std::size_t reads = 0;
    std::string askedClass;

    std::unique_ptr<plat::DeviceSet> PresentDevices(std::string_view classGuid) override {
        askedClass = classGuid;
        return fails ? nullptr : std::make_unique<Set>(*this);
    }

  private:
    class Set final : public plat::DeviceSet {
      public:
        explicit Set(ListedSetup& s) : s_(s) {}
        std::size_t Count() const override { return s_.ids.size(); }
        std::string InstanceId(std::size_t i) const override {
            ++s_.reads;
            return s_.ids.at(i);
        }
        std::optional<std::string> Property(std::size_t, plat::DeviceProperty) const override {
            return std::nullopt;
        }
        std::optional<plat::DevNodeStatus> Status(std::size_t) const override {
            return std::nullopt;
        }
        bool ChangeState(std::size_t, std::uint32_t, std::uint32_t, std::uint32_t) override {
            return false;
        }
        std::unique_ptr<plat::RegKey> OpenDriverKey(std::size_t, plat::DevKeyAccess) override {
            return nullptr;
        }
        std::optional<plat::InstallParams> ReadInstallParams(std::size_t) const override {
            return std::nullopt;
        }
        bool WriteInstallParams(std::size_t, const plat::InstallParams&) override { return false; }

      private:
        ListedSetup& s_;
    };
};

TEST(AdapterPresence, MatchesTheVendorPrefixCaseSensitively) {
    const std::string ours = "PCI\\VEN_1D5A&DEV_0013&SUBSYS_00131D5A&REV_01\\3&61AAA01&0&58";
    const std::string other = "PCI\\VEN_7A7A&DEV_2001&SUBSYS_20017A7A&REV_10\\4&2C1F0A3B&0&20F0";
    struct Case {
        const char* what;
        std::vector<std::string> ids;
        bool present;
        std::size_t reads;
    };
    const Case cases[] = {
        {"none", {}, false, 0},
        {"two of ours", {other, ours, ours + "1"}, true, 2},
        {"unreadable skipped", {"", ours}, true, 2},
        {"unreadable only", {"", other}, false, 2},
        {"lower case", {"pci\\ven_1d5a&dev_0013\\3&61aaa01&0&58"}, false, 1},
        {"shorter vendor", {"PCI\\VEN_1D"}, false, 1},
        {"inside the id", {"ROOT\\PCI\\VEN_1D50\\0000"}, true, 1},
    };
    sim::System xp;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ListedSetup setup;
        setup.ids = c.ids;
        EXPECT_EQ(adapter::IsAdapterHardwarePresent(setup, xp), c.present);
        EXPECT_EQ(setup.reads, c.reads);
        EXPECT_EQ(setup.askedClass, plat::kNetClassGuid);
    }
    ListedSetup broken;
    broken.fails = true;
    EXPECT_FALSE(adapter::IsAdapterHardwarePresent(broken, xp));
}

TEST(AdapterPresence, Nt4WithNoListedNetworkDeviceLeavesItToTheAdapterSearch) {
    const std::string other = "PCI\\VEN_7A7A&DEV_2001&SUBSYS_20017A7A&REV_10\\4&2C1F0A3B&0&20F0";
    struct Case {
        const char* what;
        plat::OsVersion os;
        std::vector<std::string> ids;
        bool fails;
        bool present;
    };
    const Case cases[] = {
        {"NT 4, empty list", {plat::OsFamily::NT, 4, 0}, {}, false, true},
        {"NT 4, no set at all", {plat::OsFamily::NT, 4, 0}, {}, true, true},
        {"NT 4, only another device", {plat::OsFamily::NT, 4, 0}, {other}, false, false},
        {"2000, empty list", {plat::OsFamily::NT, 5, 0}, {}, false, false},
        {"98, empty list", {plat::OsFamily::Win95, 4, 10}, {}, false, false},
        {"98, no set", {plat::OsFamily::Win95, 4, 10}, {}, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ListedSetup setup;
        setup.ids = c.ids;
        setup.fails = c.fails;
        sim::System system;
        system.SetVersion(c.os);
        EXPECT_EQ(adapter::IsAdapterHardwarePresent(setup, system), c.present);
    }
}

TEST(AdapterPresence, SimulatedNt4ListsNothingAndAnswersPresent) {
    for (auto os : {plat::OsVersion{plat::OsFamily::NT, 4, 0}, plat::OsVersion{}}) {
        SCOPED_TRACE(os.major);
        sim::Pc pc;
        pc.system().SetVersion(os);
        ASSERT_TRUE(sim::InstallZn6200File(pc, FixturePath("zn6200-nt4.reg")));
        auto set = pc.setup().PresentDevices(plat::kNetClassGuid);
        ASSERT_TRUE(set);
        EXPECT_EQ(set->Count(), 0u);
        EXPECT_EQ(adapter::IsAdapterHardwarePresent(pc.setup(), pc.system()), os.major == 4);
    }
}

TEST(AdapterPresence, FollowsTheSimulatedDevices) {
    constexpr const char* kOurs = "PCI\\VEN_1D5A&DEV_0013&SUBSYS_00131D5A&REV_01\\3&61AAA01&0&58";
    sim::Registry reg;
    sim::SetupApi setup(reg);
    sim::System xp;
    auto r = sim::ImportRegFile(reg, FixturePath("two-net-devices.reg"));
    ASSERT_TRUE(r) << r.message;
    EXPECT_TRUE(adapter::IsAdapterHardwarePresent(setup, xp));
    setup.SetInstanceIdUnreadable(kOurs, true);
    EXPECT_FALSE(adapter::IsAdapterHardwarePresent(setup, xp));
    setup.SetInstanceIdUnreadable(kOurs, false);
    setup.SetPresent(kOurs, false);
    EXPECT_FALSE(adapter::IsAdapterHardwarePresent(setup, xp));
    setup.SetPresent(kOurs, true);
    setup.SetEnumerationFails(true);
    EXPECT_FALSE(adapter::IsAdapterHardwarePresent(setup, xp));
}

TEST(PacketDriverServices, StopsThenDeletesEachThroughItsOwnHandle) {
    sim::ServiceControl scm;
    scm.Add("PCANDIS4", plat::kServiceRunning);
    scm.Add("PCANDIS5", plat::kServiceRunning);
    scm.Add("CV7720", plat::kServiceRunning);
    adapter::RemovePacketDriverServices(scm);
    const std::vector<Call> expected = {
        {Kind::OpenManager, "", ServiceAccess::Full, true},
        {Kind::OpenService, "PCANDIS4", ServiceAccess::Full, true},
        {Kind::Stop, "PCANDIS4", ServiceAccess::Full, true},
        {Kind::OpenService, "PCANDIS4", ServiceAccess::Full, true},
        {Kind::Delete, "PCANDIS4", ServiceAccess::Full, true},
        {Kind::OpenService, "PCANDIS5", ServiceAccess::Full, true},
        {Kind::Stop, "PCANDIS5", ServiceAccess::Full, true},
        {Kind::OpenService, "PCANDIS5", ServiceAccess::Full, true},
        {Kind::Delete, "PCANDIS5", ServiceAccess::Full, true},
    };
    EXPECT_EQ(scm.Calls(), expected);
    EXPECT_FALSE(scm.Exists("PCANDIS4"));
    EXPECT_FALSE(scm.Exists("PCANDIS5"));
    EXPECT_EQ(scm.StateOf("CV7720"), plat::kServiceRunning);  // the driver's own is not touched
}

TEST(PacketDriverServices, MissingManagerServicesOrRightsChangeNothing) {
    {
        SCOPED_TRACE("95 family: no manager");
        sim::ServiceControl scm;
        scm.SetAvailable(false);
        scm.Add("PCANDIS4", plat::kServiceRunning);
        adapter::RemovePacketDriverServices(scm);
        EXPECT_EQ(scm.Calls(),
                  (std::vector<Call>{{Kind::OpenManager, "", ServiceAccess::Full, false}}));
        EXPECT_EQ(scm.StateOf("PCANDIS4"), plat::kServiceRunning);
    }
    {
        SCOPED_TRACE("neither service");
        sim::ServiceControl scm;
        scm.Add("Other", plat::kServiceRunning);
        adapter::RemovePacketDriverServices(scm);
        for (const auto& c : scm.Calls())
            EXPECT_TRUE(c.kind == Kind::OpenManager ||
                        (c.kind == Kind::OpenService && !c.succeeded));
        EXPECT_EQ(scm.Calls().size(), 5u);
        EXPECT_EQ(scm.StateOf("Other"), plat::kServiceRunning);
    }
    {
        SCOPED_TRACE("one refused, one stopped already");
        sim::ServiceControl scm;
        scm.Add("PCANDIS4", plat::kServiceRunning);
        scm.SetAccessRefused("PCANDIS4", true);
        scm.Add("PCANDIS5", plat::kServiceStopped);  // stop is refused, delete still goes
        adapter::RemovePacketDriverServices(scm);
        EXPECT_EQ(scm.StateOf("PCANDIS4"), plat::kServiceRunning);
        EXPECT_FALSE(scm.MarkedForDeletion("PCANDIS4"));
        EXPECT_FALSE(scm.Exists("PCANDIS5"));
    }
}

}  // namespace
