#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "adapter/context.h"
#include "adapter/oids.h"
#include "sim/pc.h"
#include "tests/native/adapter_fake_packet.h"

namespace {

using adapter::AdapterContext;
using adapter_test::Answer;
using adapter_test::Card;
using adapter_test::FakePacket;
using Kind = sim::ServiceControl::CallKind;
using Strings = std::vector<std::string>;

constexpr plat::OsVersion kWin98{plat::OsFamily::Win95, 4, 10};
constexpr plat::OsVersion kNT4{plat::OsFamily::NT, 4, 0};
constexpr plat::OsVersion kWin2000{plat::OsFamily::NT, 5, 0};
constexpr plat::OsVersion kXP{plat::OsFamily::NT, 5, 1};

FakePacket& InstallFake(sim::Pc& pc) {
    auto fake = std::make_unique<FakePacket>();
    auto& ref = *fake;
    pc.SetPacket(std::move(fake));
    return ref;
}

// A simulated PC with the scripted library and the program's context over it.
class Rig {
  public:
    void SetOs(plat::OsVersion v) {
        fake.version = v;
        pc.system().SetVersion(v);
    }
    std::string ClassKey() { return std::string(adapter::ChooseClassKey(fake)); }
    void AddInstance(const std::string& name, bool marked = true) {
        auto key = pc.registry().Create(plat::JoinPath(ClassKey(), name));
        ASSERT_TRUE(key);
        ASSERT_TRUE(plat::WriteString(*key, "DriverDesc", "adapter " + name));
        if (marked) {
            ASSERT_TRUE(plat::WriteDword(*key, adapter::kAdapterMarkerValue, 1));
        }
    }
    // The card the context reaches when it opens this instance.
    Card& CardAt(const std::string& subkey) {
        return fake.cards[fake.IsWindowsNT() ? "\\Device\\ZN" + subkey : subkey];
    }
    std::size_t ServiceCalls(Kind kind, const std::string& service = {}) {
        const auto& calls = pc.services().Calls();
        return std::count_if(calls.begin(), calls.end(),
                             [&](const auto& c) { return c.kind == kind && c.service == service; });
    }

    sim::Pc pc;
    FakePacket& fake = InstallFake(pc);
    AdapterContext ctx{pc.platform()};
};

class AdapterContextTest : public ::testing::Test, protected Rig {};

TEST_F(AdapterContextTest, WithoutMarkedInstanceNothingOpens) {
    EXPECT_FALSE(ctx.FindAdapter());  // not even the class key yet
    AddInstance("0000", false);
    AddInstance("0001", false);
    CardAt("0000");
    EXPECT_FALSE(ctx.FindAdapter());
    EXPECT_EQ(ctx.Found(), 0);
    EXPECT_EQ(ctx.AdapterKeyPath(), "");
    EXPECT_FALSE(ctx.IsAdapterOpen());
    EXPECT_TRUE(fake.registryInfoNames.empty());
    EXPECT_TRUE(fake.opens.empty());
    EXPECT_EQ(pc.loop().ProcessMessagesCalls(), 0u);
}

TEST_F(AdapterContextTest, OpensTheFirstSupportedAdapterAndSetsItUp) {
    AddInstance("0000", false);
    AddInstance("0001");
    AddInstance("0002");
    CardAt("0001");
    CardAt("0002");
    ASSERT_TRUE(ctx.FindAdapter());
    EXPECT_EQ(ctx.Found(), 1);
    EXPECT_EQ(ctx.AdapterKeyPath(), ClassKey() + "\\0001");
    EXPECT_EQ(fake.registryInfoNames, Strings{"0001"});
    EXPECT_EQ(fake.opens, Strings{"\\Device\\ZN0001"});  // the search stopped there
    EXPECT_TRUE(ctx.IsAdapterOpen());
    EXPECT_EQ(ctx.StationAddress(), (adapter::StationAddress{0x00, 0x1D, 0x5A, 1, 2, 3}));

    struct Expected {
        std::uint32_t type, oid, length;
    };
    const Expected expected[] = {{0, adapter::OID_GEN_MEDIA_IN_USE, 4},
                                 {0, adapter::OID_802_3_CURRENT_ADDRESS, 6},
                                 {1, adapter::OID_GEN_CURRENT_PACKET_FILTER, 4}};
    ASSERT_EQ(fake.requests.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const auto& r = fake.requests[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(r.block.requestType, expected[i].type);
        EXPECT_EQ(r.block.oid, expected[i].oid);
        EXPECT_EQ(r.block.bufferLength, expected[i].length);
        EXPECT_EQ(r.handle, ctx.Handle());
        EXPECT_EQ(r.wait, 1);
        EXPECT_EQ(r.overlapped, fake.requests[0].overlapped);
        EXPECT_NE(r.event, nullptr);  // the event is in place before the first request
    }
    EXPECT_EQ(fake.requests[2].setData, (std::vector<std::uint8_t>{9, 0, 0, 0}));
    EXPECT_EQ(pc.system().EventsCreated(), 1u);

    const std::vector<std::uint8_t> bpf = {
        0x28, 0x00, 0, 0, 12,   0,    0,    0,     // ld  [12] (half word)
        0x15, 0x00, 0, 1, 0xAA, 0xAA, 0,    0,     // jeq #0xAAAA, 0, 1
        0x06, 0x00, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,  // ret #-1
        0x06, 0x00, 0, 0, 0,    0,    0,    0};    // ret #0
    EXPECT_EQ(fake.bpf, bpf);
    EXPECT_EQ(fake.log, Strings{"bpf 1"});
}

TEST(AdapterContext, RejectedCandidateIsClosedAndTheNextTaken) {
    struct Case {
        const char* what;
        void (*spoil)(Card&);
        bool rejected;
    };
    const Case cases[] = {
        {"medium 1",
         [](Card& c) {
             c.medium.data = {1, 0, 0, 0};
         },
         true},
        {"medium high byte",
         [](Card& c) {
             c.medium.data = {0, 0, 0, 0x80};
         },
         true},
        {"medium query fails", [](Card& c) { c.medium.result = 0xC0000001; }, true},
        {"address DEST", [](Card& c) { c.address.data = {'D', 'E', 'S', 'T', 0, 1}; }, true},
        {"address query fails", [](Card& c) { c.address.result = 0xC00000BB; }, true},
        {"address DESX", [](Card& c) { c.address.data = {'D', 'E', 'S', 'X', 0, 1}; }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        rig.AddInstance("0000");
        rig.AddInstance("0001");
        c.spoil(rig.CardAt("0000"));
        rig.CardAt("0001");
        ASSERT_TRUE(rig.ctx.FindAdapter());
        if (c.rejected) {
            EXPECT_EQ(rig.ctx.AdapterKeyPath(), rig.ClassKey() + "\\0001");
            EXPECT_EQ(rig.fake.log, (Strings{"cancel 1", "close 1", "bpf 2"}));
        } else {
            EXPECT_EQ(rig.ctx.AdapterKeyPath(), rig.ClassKey() + "\\0000");
            EXPECT_EQ(rig.fake.log, Strings{"bpf 1"});
        }
        EXPECT_EQ(rig.fake.OpenCount(), 1u);
    }
}

TEST_F(AdapterContextTest, UnverifiedOpenStopsAfterTheMediumCheck) {
    AddInstance("0000");
    CardAt("0000");
    EXPECT_FALSE(ctx.OpenAdapterAt(0, false));
    ASSERT_EQ(fake.requests.size(), 1u);
    EXPECT_EQ(fake.requests[0].block.oid, adapter::OID_GEN_MEDIA_IN_USE);
    EXPECT_EQ(fake.log, (Strings{"cancel 1", "close 1"}));
    EXPECT_FALSE(ctx.IsAdapterOpen());
    EXPECT_FALSE(ctx.OpenAdapterAt(7, true));  // no such subkey: nothing is tried
    EXPECT_EQ(fake.opens.size(), 1u);
}

TEST(AdapterContext, OpenRetriesAfterRemovingTheServices) {
    struct Case {
        std::uint32_t error;
        int failures;  // -1: every open fails
        std::size_t opens;
        std::size_t passes;
        bool found;
    };
    const Case cases[] = {
        {1058, -1, 10, 27, false}, {2, -1, 10, 27, false}, {3, -1, 10, 27, false},
        {5, -1, 1, 0, false},      {1058, 3, 4, 9, true},  {2, 9, 10, 27, true},
        {2, 10, 10, 27, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.error << " x " << c.failures);
        Rig rig;
        rig.pc.services().Add("PCANDIS4", plat::kServiceRunning);
        rig.pc.services().Add("PCANDIS5", plat::kServiceRunning);
        rig.AddInstance("0000");
        Card& card = rig.CardAt("0000");
        if (c.failures < 0) card.failAlways = c.error;
        card.openFailures.assign(std::max(c.failures, 0), c.error);

        EXPECT_EQ(rig.ctx.FindAdapter(), c.found);
        EXPECT_EQ(rig.fake.opens.size(), c.opens);
        EXPECT_EQ(rig.fake.registryInfoNames.size(), c.opens);  // each attempt reads afresh
        EXPECT_EQ(rig.ServiceCalls(Kind::OpenManager), c.passes);
        EXPECT_EQ(rig.ServiceCalls(Kind::OpenService, "PCANDIS4"), 2 * c.passes);
        EXPECT_EQ(rig.ServiceCalls(Kind::OpenService, "PCANDIS5"), 2 * c.passes);
        EXPECT_EQ(rig.ctx.IsAdapterOpen(), c.found);
        EXPECT_EQ(rig.ctx.AdapterKeyPath().empty(), !c.found);
    }
}

TEST(AdapterContext, ClassKeyOpenNameAndPausePerWindows) {
    struct Case {
        const char* what;
        plat::OsVersion os;
        std::string_view classKey;
        std::string subkey, openName;
        std::size_t pumps, sleeps;
    };
    const Case cases[] = {
        {"98", kWin98, adapter::kClassKey95, "0000", "0000", 150 * 150, 150},
        {"NT 4", kNT4, adapter::kClassKeyNT4, "1", "\\Device\\ZN1", 25, 5},
        {"2000", kWin2000, adapter::kClassKeyNT5, "0000", "\\Device\\ZN0000", 25, 5},
        {"XP", kXP, adapter::kClassKeyNT5, "0000", "\\Device\\ZN0000", 25, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        rig.SetOs(c.os);
        rig.AddInstance(c.subkey);
        rig.CardAt(c.subkey);
        ASSERT_TRUE(rig.ctx.FindAdapter());
        EXPECT_EQ(rig.ctx.ClassKeyPath(), c.classKey);
        EXPECT_EQ(rig.ctx.AdapterKeyPath(), std::string(c.classKey) + "\\" + c.subkey);
        EXPECT_EQ(rig.fake.opens, Strings{c.openName});
        EXPECT_EQ(rig.pc.loop().ProcessMessagesCalls(), c.pumps);
        EXPECT_EQ(rig.pc.loop().Sleeps(), std::vector<std::uint32_t>(c.sleeps, 10));
    }
}

// NT 4 finds the card under NetworkCards and follows its ServiceName to the key the miniport
// reads; without one to follow, the card's own key serves.
TEST(AdapterContext, Nt4DriverKeyIsTheServiceParametersKeyWhenThereIsOne) {
    const std::string card = std::string(adapter::kClassKeyNT4) + "\\1";
    const std::string services = "SYSTEM\\CurrentControlSet\\Services\\";
    struct Case {
        const char* what;
        plat::OsVersion os;
        const char* serviceName;  // nullptr: no value
        const char* existingKey;  // made below the services key
        std::string driverKey;
    };
    const Case cases[] = {
        {"followed", kNT4, "ZN1", "ZN1\\Parameters", services + "ZN1\\Parameters"},
        {"no ServiceName", kNT4, nullptr, "ZN1\\Parameters", card},
        {"empty ServiceName", kNT4, "", "ZN1\\Parameters", card},
        {"service without Parameters", kNT4, "ZN1", "ZN1", card},
        {"name leading below another service", kNT4, "ZN1\\Sub", "ZN1\\Sub\\Parameters", card},
        {"not on XP", kXP, "ZN1", "ZN1\\Parameters", std::string(adapter::kClassKeyNT5) + "\\1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        rig.SetOs(c.os);
        rig.AddInstance("1");
        rig.CardAt("1");
        if (c.serviceName) {
            ASSERT_TRUE(plat::WriteString(*rig.pc.registry().Open(rig.ClassKey() + "\\1"),
                                          adapter::kServiceNameValue, c.serviceName));
        }
        ASSERT_TRUE(rig.pc.registry().Create(services + c.existingKey));
        ASSERT_TRUE(rig.ctx.FindAdapter());
        EXPECT_EQ(rig.ctx.AdapterKeyPath(), c.driverKey);
        EXPECT_EQ(rig.ctx.ClassKeyPath(), rig.ClassKey());
        EXPECT_EQ(rig.fake.opens, Strings{"\\Device\\ZN1"});
    }
}

TEST_F(AdapterContextTest, TimersRunNestedDuringThePauseBeforeTheOpen) {
    AddInstance("0000");
    CardAt("0000");
    struct Tick {
        std::size_t opens;
        std::string path;
        std::uint8_t status;
        plat::AdapterHandle handle;
    };
    std::vector<Tick> ticks;
    auto timer = pc.loop().StartTimer(20, [&] {
        std::uint8_t mode[500];
        auto status = ctx.QueryOid(adapter::OID_PRIV_NETWORK_MODE, mode, sizeof mode);
        ticks.push_back(
            {fake.opens.size(), ctx.AdapterKeyPath(), status, fake.requests.back().handle});
    });
    ASSERT_TRUE(ctx.FindAdapter());
    ASSERT_EQ(ticks.size(), 2u);  // due at 20 and 40 ms of the 50 ms pause
    for (const auto& t : ticks) {
        EXPECT_EQ(t.opens, 0u);
        EXPECT_EQ(t.path, ClassKey() + "\\0000");
        EXPECT_NE(t.status, 0);
        EXPECT_EQ(t.handle, plat::kNoAdapter);
    }
}

TEST_F(AdapterContextTest, EventFailureShowsOneBoxAndTheSearchGoesOn) {
    AddInstance("0000");
    AddInstance("0001");
    CardAt("0000");
    CardAt("0001");
    pc.system().SetEventCreationFails(true);
    bool openUnderBox = true;
    pc.dialogs().WhileOpen([&](const sim::MessageBoxCall&) {
        openUnderBox = ctx.IsAdapterOpen();
        pc.system().SetEventCreationFails(false);
    });
    ASSERT_TRUE(ctx.FindAdapter());
    EXPECT_EQ(ctx.AdapterKeyPath(), ClassKey() + "\\0001");
    ASSERT_EQ(pc.dialogs().Boxes().size(), 1u);
    const auto& box = pc.dialogs().Boxes()[0];
    EXPECT_EQ(box.owner, 0u);
    EXPECT_EQ(box.text, "Could not create Overlapped Event");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.type, plat::kMbOk);
    EXPECT_FALSE(openUnderBox);
    EXPECT_EQ(fake.log, (Strings{"close 1", "bpf 2"}));     // closed directly, no cancel
    EXPECT_EQ(fake.requests.front().handle, ctx.Handle());  // nothing asked of the first
}

TEST_F(AdapterContextTest, RequestsFillTheOneBlock) {
    AddInstance("0000");
    Card& card = CardAt("0000");
    ASSERT_TRUE(ctx.FindAdapter());
    card.answers[adapter::OID_PRIV_SSID] = {0, {'n', 'e', 't'}};
    card.answers[adapter::OID_PRIV_START_SCAN] = {};
    card.answers[adapter::OID_PRIV_BSS_LIST] = {0, std::vector<std::uint8_t>(144, 7)};
    fake.requests.clear();

    std::vector<std::uint8_t> buf(5000);
    std::uint32_t written = 99;
    EXPECT_EQ(ctx.QueryOid(adapter::OID_PRIV_SSID, buf.data(), 5000), 0);
    EXPECT_EQ(std::string(buf.begin(), buf.begin() + 3), "net");
    EXPECT_EQ(ctx.SetOid(adapter::OID_PRIV_START_SCAN, nullptr, 0), 0);
    EXPECT_EQ(ctx.QueryOidWithLength(adapter::OID_PRIV_BSS_LIST, buf.data(), 3600, written), 0);
    EXPECT_EQ(written, 144u);

    struct Expected {
        std::uint8_t type;
        std::uint32_t oid;
        void* buffer;
        std::uint32_t length;
    };
    const Expected expected[] = {{0, adapter::OID_PRIV_SSID, buf.data(), 5000},
                                 {1, adapter::OID_PRIV_START_SCAN, nullptr, 0},
                                 {0, adapter::OID_PRIV_BSS_LIST, buf.data(), 3600}};
    ASSERT_EQ(fake.requests.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const auto& r = fake.requests[i];
        const auto& e = expected[i];
        EXPECT_TRUE(std::all_of(r.bytes.begin(), r.bytes.begin() + 20, [](auto b) { return !b; }));
        EXPECT_EQ(r.bytes[20], e.type);
        EXPECT_EQ(r.bytes[21] | r.bytes[22] | r.bytes[23], 0);
        EXPECT_EQ(
            r.bytes[24] | r.bytes[25] << 8 | r.bytes[26] << 16 | std::uint32_t(r.bytes[27]) << 24,
            e.oid);
        EXPECT_EQ(r.block.buffer, e.buffer);
        EXPECT_EQ(r.block.bufferLength, e.length);
        EXPECT_EQ(r.block.bytesWritten, 0u);  // zeroed although the last request left 3
        EXPECT_EQ(r.block.bytesNeeded, 0u);
        EXPECT_EQ(r.handle, ctx.Handle());
        EXPECT_EQ(r.wait, 1);
    }
}

TEST_F(AdapterContextTest, StatusIsTheLowByteAndNeverHidesAFailure) {
    AddInstance("0000");
    Card& card = CardAt("0000");
    ASSERT_TRUE(ctx.FindAdapter());
    struct Case {
        std::uint32_t result;
        std::uint8_t status;
    };
    for (auto c : {Case{0, 0}, Case{0xC0000001, 0x01}, Case{0xC0010017, 0x17},
                   Case{0x00000100, adapter::kRequestFailed}}) {
        SCOPED_TRACE(c.result);
        card.answers[adapter::OID_PRIV_TX_RATE] = {c.result, {54}};
        std::uint8_t rate[8] = {};
        EXPECT_EQ(ctx.QueryOid(adapter::OID_PRIV_TX_RATE, rate, sizeof rate), c.status);
    }
}

TEST_F(AdapterContextTest, ReportedLengthNeverExceedsTheBuffer) {
    AddInstance("0000");
    Card& card = CardAt("0000");
    ASSERT_TRUE(ctx.FindAdapter());
    struct Case {
        std::size_t data;
        std::optional<std::uint32_t> claim;
        std::uint32_t length, reported;
    };
    for (auto c : {Case{144, {}, 3600, 144}, Case{0, {}, 3600, 0}, Case{3600, 6000, 3600, 3600},
                   Case{10, 0xFFFFFFFF, 500, 500}}) {
        SCOPED_TRACE(c.length);
        card.answers[adapter::OID_PRIV_BSS_LIST] = {0, std::vector<std::uint8_t>(c.data, 1),
                                                    c.claim};
        std::vector<std::uint8_t> buf(c.length);
        std::uint32_t written = 12345;
        EXPECT_EQ(ctx.QueryOidWithLength(adapter::OID_PRIV_BSS_LIST, buf.data(), c.length, written),
                  0);
        EXPECT_EQ(written, c.reported);
    }
}

TEST_F(AdapterContextTest, ClosedContextSendsTheClosedHandleAndFails) {
    std::uint8_t mode[500];
    EXPECT_NE(ctx.QueryOid(adapter::OID_PRIV_NETWORK_MODE, mode, sizeof mode), 0);
    EXPECT_EQ(fake.requests.back().handle, plat::kNoAdapter);
    fake.closedHandleResult = 0;  // a library that claims success there
    EXPECT_NE(ctx.SetOid(adapter::OID_PRIV_START_SCAN, nullptr, 0), 0);

    AddInstance("0000");
    CardAt("0000");
    ASSERT_TRUE(ctx.FindAdapter());
    void* completion = fake.requests.back().overlapped;
    ctx.CloseAdapter();
    EXPECT_EQ(fake.log, (Strings{"bpf 1", "cancel 1", "close 1"}));
    EXPECT_EQ(fake.cancelRead, completion);
    EXPECT_EQ(ctx.Handle(), plat::kNoAdapter);
    std::uint32_t written = 7;
    EXPECT_NE(ctx.QueryOidWithLength(adapter::OID_PRIV_BSS_LIST, mode, sizeof mode, written), 0);
    EXPECT_EQ(fake.requests.back().handle, plat::kNoAdapter);
    EXPECT_EQ(fake.requests.back().event, nullptr);  // the event went with the adapter
    EXPECT_EQ(written, 0u);
    ctx.CloseAdapter();  // safe when closed
    EXPECT_EQ(fake.log.size(), 3u);
}

TEST_F(AdapterContextTest, ReopeningAndDestructionCloseTheAdapter) {
    AddInstance("0000");
    CardAt("0000");
    {
        AdapterContext other(pc.platform());
        ASSERT_TRUE(other.FindAdapter());
        ASSERT_TRUE(other.OpenAdapterAt(0, true));
        EXPECT_EQ(fake.log, (Strings{"bpf 1", "cancel 1", "close 1", "bpf 2"}));
    }
    EXPECT_EQ(fake.log.back(), "close 2");
    EXPECT_EQ(fake.OpenCount(), 0u);
}

TEST(AdapterContext, InstanceNamesLongerThanTheLibraryTakesAreSkipped) {
    struct Case {
        std::string name;
        bool taken;
    };
    for (const auto& c : {Case{std::string(15, '0') + "", true}, Case{std::string(16, '0'), false},
                          Case{std::string(200, '0'), false}}) {
        SCOPED_TRACE(c.name.size());
        Rig rig;
        rig.AddInstance(c.name);  // sorts before 0001
        rig.AddInstance("0001");
        rig.CardAt(c.name);
        rig.CardAt("0001");
        ASSERT_TRUE(rig.ctx.FindAdapter());
        const std::string taken = c.taken ? c.name : "0001";
        EXPECT_EQ(rig.ctx.AdapterKeyPath(), rig.ClassKey() + "\\" + taken);
        EXPECT_EQ(rig.fake.registryInfoNames, Strings{taken});
        EXPECT_EQ(rig.fake.opens, Strings{"\\Device\\ZN" + taken});
    }
}

TEST_F(AdapterContextTest, UnterminatedDeviceNameStopsAtTheRecordEnd) {
    AddInstance("0000");
    fake.rawRecord.emplace();
    fake.rawRecord->fill('A');
    const std::string name =
        "\\Device\\" +
        std::string(plat::kAdapterRegistryRecordSize - plat::kAdapterRegistryDeviceNameOffset, 'A');
    fake.cards[name];
    ASSERT_TRUE(ctx.FindAdapter());
    EXPECT_EQ(fake.opens, Strings{name});
}

}  // namespace
