// The adapter layer over the simulated card, as the program meets it.
#include <gtest/gtest.h>

#include <algorithm>

#include "adapter/context.h"
#include "adapter/oids.h"
#include "adapter/presence.h"
#include "sim/pc.h"
#include "sim/zn6200_install.h"
#include "tests/contract/devices_contract.h"

namespace {

using adapter::AdapterContext;

TEST(AdapterOnZn6200, FindsOpensAndSetsUpTheCardOnEveryWindows) {
    struct Case {
        const char* fixture;
        plat::OsVersion os;
        std::string_view classKey;
        std::string driverKey;
        bool present;
    };
    const std::string nt5 = std::string(adapter::kClassKeyNT5) + "\\0001";
    const Case cases[] = {
        {"zn6200-installed.reg", {plat::OsFamily::NT, 5, 1}, adapter::kClassKeyNT5, nt5, true},
        {"zn6200-installed.reg", {plat::OsFamily::NT, 5, 0}, adapter::kClassKeyNT5, nt5, true},
        // NT 4 lists no card: presence leaves it to the search, which finds the card under
        // NetworkCards and takes its service's Parameters key, where the miniport reads.
        {"zn6200-nt4.reg",
         {plat::OsFamily::NT, 4, 0},
         adapter::kClassKeyNT4,
         "SYSTEM\\CurrentControlSet\\Services\\CV77202\\Parameters",
         true},
        {"zn6200-win98.reg",
         {plat::OsFamily::Win95, 4, 10},
         adapter::kClassKey95,
         std::string(adapter::kClassKey95) + "\\0001",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fixture << " " << c.os.major << "." << c.os.minor);
        sim::Pc pc;
        pc.system().SetVersion(c.os);
        auto* card = sim::InstallZn6200File(pc, FixturePath(c.fixture));
        ASSERT_TRUE(card);
        AdapterContext ctx(pc.platform());
        EXPECT_EQ(adapter::IsAdapterHardwarePresent(pc.setup(), pc.system()), c.present);

        ASSERT_TRUE(ctx.FindAdapter());
        EXPECT_EQ(ctx.ClassKeyPath(), c.classKey);
        EXPECT_EQ(ctx.AdapterKeyPath(), c.driverKey);
        EXPECT_EQ(ctx.AdapterKeyPath(), card->DriverKeyPath());
        EXPECT_EQ(card->OpenHandles(), 1u);
        EXPECT_EQ(card->PacketFilter(), adapter::kPacketFilterDirectedBroadcast);
        EXPECT_TRUE(std::equal(card->BpfProgram().begin(), card->BpfProgram().end(),
                               adapter::kBpfProgram.begin(), adapter::kBpfProgram.end()));
        EXPECT_EQ(ctx.StationAddress(),
                  (adapter::StationAddress{0x00, 0x1D, 0x5A, 0x62, 0x0A, 0x01}));
        std::uint8_t mode[500];
        EXPECT_EQ(ctx.QueryOid(adapter::OID_PRIV_NETWORK_MODE, mode, sizeof mode), 0);
        ctx.CloseAdapter();
        EXPECT_EQ(card->OpenHandles(), 0u);
    }
}

class AdapterOnXp : public ::testing::Test {
  protected:
    void SetUp() override {
        card = sim::InstallZn6200File(pc, FixturePath("zn6200-installed.reg"));
        ASSERT_TRUE(card);
    }
    sim::Pc pc;
    sim::Zn6200* card = nullptr;
    AdapterContext ctx{pc.platform()};
};

TEST_F(AdapterOnXp, OpenRetriedPastServiceFailures) {
    card->FailNextOpens(3, 1058);
    ASSERT_TRUE(ctx.FindAdapter());
    const auto& calls = pc.services().Calls();
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const auto& call) {
                                return call.kind == sim::ServiceControl::CallKind::OpenManager;
                            }),
              9);
}

TEST_F(AdapterOnXp, CardThatFailsTheChecksIsNotTaken) {
    card->SetMedium(1);
    EXPECT_FALSE(ctx.FindAdapter());
    card->SetMedium(0);
    card->SetStationAddress(sim::MacAddress{'D', 'E', 'S', 'T', 0x00, 0x01});
    EXPECT_FALSE(ctx.FindAdapter());
    EXPECT_EQ(card->OpenHandles(), 0u);
    EXPECT_EQ(ctx.AdapterKeyPath(), "");
}

TEST_F(AdapterOnXp, PulledCardFailsRequestsAndIsFoundAgainOnceBack) {
    ASSERT_TRUE(ctx.FindAdapter());
    card->Pull();
    EXPECT_FALSE(adapter::IsAdapterHardwarePresent(pc.setup(), pc.system()));
    std::uint8_t mode[500];
    EXPECT_NE(ctx.QueryOid(adapter::OID_PRIV_NETWORK_MODE, mode, sizeof mode), 0);
    EXPECT_FALSE(ctx.FindAdapter());
    ctx.CloseAdapter();
    card->Insert();
    EXPECT_TRUE(adapter::IsAdapterHardwarePresent(pc.setup(), pc.system()));
    ASSERT_TRUE(ctx.FindAdapter());
    EXPECT_EQ(ctx.QueryOid(adapter::OID_PRIV_NETWORK_MODE, mode, sizeof mode), 0);
}

}  // namespace
