// The simulated card and its driver, through the library calls as the program makes them.
#include "sim/zn6200.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "adapter/device_control.h"
#include "config/stored_key.h"
#include "sim/pc.h"
#include "sim/radio.h"
#include "sim/regfile.h"
#include "sim/zn6200_install.h"
#include "tests/contract/devices_contract.h"

namespace {

namespace oid = sim::oid;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kGuid = "{8C2F6E3A-0B1D-4F5E-9A7C-3D2E1F0A9B8C}";
constexpr std::uint32_t kQuery = 0, kSet = 1;

struct Reply {
    std::uint32_t status = 0;
    std::uint32_t written = 0, needed = 0;
    Bytes data;  // what a query wrote
};

std::uint64_t Le(const Bytes& b, std::size_t at, std::size_t n) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < n; ++i) v |= std::uint64_t{b.at(at + i)} << (8 * i);
    return v;
}

class Zn6200Test : public ::testing::Test {
  protected:
    void SetUp() override { Install(); }

    void Install(plat::OsVersion os = {}, const char* fixture = "zn6200-installed.reg",
                 sim::Zn6200Options options = {}) {
        pc_ = std::make_unique<sim::Pc>();
        pc_->system().SetVersion(os);
        card_ = sim::InstallZn6200File(*pc_, FixturePath(fixture), options);
        ASSERT_TRUE(card_);
    }

    plat::PacketAccess& Lib() { return pc_->packet(); }
    void Advance(std::uint64_t ms) { pc_->loop().Advance(ms); }

    plat::AdapterHandle Open(const char* subkey = "0001") {
        std::uint8_t record[plat::kAdapterRegistryRecordSize];
        Lib().GetAdapterRegistryInfo(record, subkey);
        std::string name = "\\Device\\" + std::string(reinterpret_cast<char*>(record + 520));
        return Lib().OpenAdapter(name.c_str());
    }

    // One request through a buffer with guard bytes after it: nothing may be written past the
    // buffer, and a query nothing past the count it reports.
    Reply Request(plat::AdapterHandle h, std::uint32_t type, std::uint32_t id, std::uint32_t length,
                  const Bytes& in = {}) {
        Bytes buf(length + 16, 0xEE);
        std::copy(in.begin(), in.end(), buf.begin());
        plat::NdisRequestBlock r{};
        r.requestType = type;
        r.oid = id;
        r.buffer = length ? buf.data() : nullptr;
        r.bufferLength = length;
        r.bytesWritten = r.bytesNeeded = 0xDEAD;
        Reply out;
        out.status = Lib().MakeNdisRequest(h, &r, nullptr, 1);
        out.written = r.bytesWritten;
        out.needed = r.bytesNeeded;
        EXPECT_TRUE(std::all_of(buf.begin() + length, buf.end(), [](auto b) { return b == 0xEE; }))
            << "wrote past the buffer, oid " << std::hex << id;
        if (type == kQuery) {
            EXPECT_LE(out.written, length);
            EXPECT_TRUE(std::all_of(buf.begin() + std::min(out.written, length),
                                    buf.begin() + length, [](auto b) { return b == 0xEE; }))
                << "wrote past bytesWritten, oid " << std::hex << id;
            out.data.assign(buf.begin(), buf.begin() + std::min(out.written, length));
        }
        // The program looks at the low byte only.
        if (out.status != 0) {
            EXPECT_NE(out.status & 0xFF, 0u) << std::hex << out.status;
        }
        return out;
    }
    Reply Query(plat::AdapterHandle h, std::uint32_t id, std::uint32_t length = 5000) {
        return Request(h, kQuery, id, length);
    }
    std::uint64_t Number(plat::AdapterHandle h, std::uint32_t id) {
        Reply r = Query(h, id);
        EXPECT_EQ(r.status, 0u) << std::hex << id;
        return r.data.empty() ? 0 : Le(r.data, 0, std::min<std::size_t>(r.data.size(), 8));
    }

    void SetParameters(const std::map<std::string, std::string>& values) {
        auto key = pc_->registry().Open(card_->DriverKeyPath());
        ASSERT_TRUE(key);
        for (const auto& [name, text] : values) ASSERT_TRUE(plat::WriteString(*key, name, text));
    }
    void ChangeDevice(std::uint32_t change) {
        auto set = pc_->setup().DeviceById(card_->EnumInstanceId());
        ASSERT_TRUE(set);
        ASSERT_TRUE(set->ChangeState(0, change, plat::kDicsFlagConfigSpecific, 0));
    }
    void Restart() { ChangeDevice(plat::kDicsPropChange); }
    bool HardwareListed() {
        auto set = pc_->setup().PresentDevices(plat::kNetClassGuid);
        for (std::size_t i = 0; set && i < set->Count(); ++i)
            if (set->InstanceId(i).find("VEN_1D5A&DEV_0620") != std::string::npos) return true;
        return false;
    }
    void AddNetwork(const char* name, const char* bssid, const char* ssid, std::uint16_t freq,
                    std::uint32_t signal, bool adHoc = false, std::uint32_t privacy = 0,
                    const char* key = "") {
        sim::RadioNetwork n;
        n.bssid = *sim::ParseMac(bssid);
        n.ssid = ssid;
        n.frequency = freq;
        n.signal = signal;
        n.adHoc = adHoc;
        n.privacy = privacy;
        n.key = key;
        n.rates = {1, 2, 5, 11};
        ASSERT_TRUE(sim::WriteRadioNetwork(pc_->registry(), name, n));
    }
    std::string JoinedBssid() {
        auto j = card_->Joined();
        return j ? sim::FormatMac(j->bssid) : "none";
    }

    std::unique_ptr<sim::Pc> pc_;
    sim::Zn6200* card_ = nullptr;
};

TEST_F(Zn6200Test, OpensByDeviceNameOnNtByServiceOnNt4AndBySubkeyOn95) {
    struct Layout {
        const char* name;
        plat::OsVersion os;
        const char* fixture;
        const char* subkey;
        const char* other;
        const char* recordName;
        const char* openName;
        const char* wrongName;
        const char* driverKey;
    };
    const Layout layouts[] = {
        {"xp",
         {plat::OsFamily::NT, 5, 1},
         "zn6200-installed.reg",
         "0001",
         "0000",
         kGuid,
         "\\Device\\{8c2f6e3a-0b1d-4f5e-9a7c-3d2e1f0a9b8c}",
         "0001",
         "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001"},
        {"98",
         {plat::OsFamily::Win95, 4, 10},
         "zn6200-win98.reg",
         "0001",
         "0000",
         "0001",
         "0001",
         "\\Device\\0001",
         "System\\CurrentControlSet\\Services\\Class\\Net\\0001"},
        {"nt4",
         {plat::OsFamily::NT, 4, 0},
         "zn6200-nt4.reg",
         "2",
         "1",
         "CV77202",
         "\\Device\\CV77202",
         "2",
         "SYSTEM\\CurrentControlSet\\Services\\CV77202\\Parameters"},
    };
    for (const auto& l : layouts) {
        SCOPED_TRACE(l.name);
        Install(l.os, l.fixture);
        bool nt = l.os.family == plat::OsFamily::NT;
        EXPECT_EQ(Lib().IsWindowsNT(), nt);
        EXPECT_EQ(Lib().IsWindows95(), !nt);
        EXPECT_EQ(Lib().OSGetPlatformVersion(2), l.os.major);
        EXPECT_EQ(Lib().OSGetPlatformVersion(1), nt ? 2u : 1u);
        EXPECT_EQ(card_->DriverKeyPath(), l.driverKey);
        EXPECT_EQ(card_->TakenParameters().netBand, "5");

        std::uint8_t record[plat::kAdapterRegistryRecordSize];
        std::memset(record, 0xCC, sizeof record);
        EXPECT_FALSE(Lib().GetAdapterRegistryInfo(record, l.other));
        EXPECT_TRUE(std::all_of(record, record + sizeof record, [](auto b) { return b == 0; }));
        EXPECT_TRUE(Lib().GetAdapterRegistryInfo(record, l.subkey));
        EXPECT_STREQ(reinterpret_cast<char*>(record + 520), l.recordName);

        EXPECT_EQ(Lib().OpenAdapter(l.wrongName), plat::kNoAdapter);
        EXPECT_EQ(Lib().GetLastError(), 2u);
        auto h = Lib().OpenAdapter(l.openName);
        ASSERT_NE(h, plat::kNoAdapter);
        EXPECT_EQ(Query(h, oid::kNetworkMode).status, 0u);
        auto h2 = Lib().OpenAdapter(l.openName);
        EXPECT_NE(h2, h);
        EXPECT_EQ(card_->OpenHandles(), 2u);
    }
}

TEST_F(Zn6200Test, EveryOidAnswersWithItsLayoutOnceJoined) {
    auto h = Open();
    ASSERT_NE(h, plat::kNoAdapter);
    Advance(2000);  // one scan pass: joins the strongest open access point, Harbor on 2437 MHz
    const Bytes mac{0x00, 0x1D, 0x5A, 0x62, 0x0A, 0x01};
    struct Case {
        const char* name;
        std::uint32_t id;
        std::uint32_t length;
        Bytes expected;
    };
    const Case cases[] = {
        {"media", oid::kGenMediaInUse, 4, {0, 0, 0, 0}},
        {"station address", oid::k8023CurrentAddress, 6, mac},
        {"mac", oid::kMacAddress, 5000, mac},
        {"signal", oid::kSignalStrength, 5000, {45, 0, 0, 0}},
        {"tx rate", oid::kTxRate, 5000, {11, 0, 0, 0}},
        {"rx rate", oid::kRxRate, 5000, {11, 0, 0, 0}},
        {"channel", oid::kCurrentChannel, 5000, {0x85, 0x09, 0, 0}},
        {"state", oid::kConnectionState, 5000, {1, 0, 0, 0}},
        {"bssid", oid::kBssid, 5000, {0x00, 0x1D, 0x5A, 0x10, 0x00, 0x01}},
        {"ssid", oid::kSsid, 5000, {'H', 'a', 'r', 'b', 'o', 'r'}},
        {"encryption", oid::kEncryption, 5000, {0, 0, 0, 0}},
        {"mode", oid::kNetworkMode, 500, {0, 0, 0, 0}},
        {"xmit", oid::kGenXmitOk, 5000, {0, 0, 0, 0}},
        {"rcv", oid::kGenRcvOk, 5000, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reply r = Query(h, c.id, c.length);
        EXPECT_EQ(r.status, 0u);
        EXPECT_EQ(r.data, c.expected);
    }
    Reply status = Query(h, oid::kDeviceStatus, 500);
    ASSERT_EQ(status.status, 0u);
    ASSERT_EQ(status.data.size(), sim::kDeviceStatusSize);
    EXPECT_EQ(Le(status.data, 220, 4), 0x10u);
    EXPECT_EQ(Le(status.data, 224, 8), 0u);
    EXPECT_EQ(Le(status.data, 232, 8), 0u);
}

TEST_F(Zn6200Test, NotJoinedReportsNothingJoined) {
    auto h = Open();
    struct Case {
        std::uint32_t id;
        Bytes expected;
    };
    const Case cases[] = {
        {oid::kConnectionState, {0, 0, 0, 0}}, {oid::kBssid, Bytes(6, 0)},   {oid::kSsid, {}},
        {oid::kSignalStrength, {0, 0, 0, 0}},  {oid::kTxRate, {0, 0, 0, 0}},
    };
    Advance(1999);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.id);
        Reply r = Query(h, c.id);
        EXPECT_EQ(r.status, 0u);
        EXPECT_EQ(r.data, c.expected);
    }
}

TEST_F(Zn6200Test, ShortBuffersFailWithBytesNeeded) {
    auto h = Open();
    Advance(2000);
    struct Case {
        std::uint32_t id, length, needed;
    };
    const Case cases[] = {
        {oid::kMacAddress, 5, 6},    {oid::k8023CurrentAddress, 0, 6},
        {oid::kSsid, 5, 6},          {oid::kDeviceStatus, 255, 256},
        {oid::kGenXmitOk, 3, 4},     {oid::kCurrentChannel, 2, 4},
        {oid::kGenMediaInUse, 3, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.id);
        Reply r = Query(h, c.id, c.length);
        EXPECT_EQ(r.status, sim::kNdisBufferTooShort);
        EXPECT_EQ(r.written, 0u);
        EXPECT_EQ(r.needed, c.needed);
    }
}

TEST_F(Zn6200Test, ScanListHoldsWholeRecordsInDriverOrder) {
    auto h = Open();
    Advance(2000);
    Reply all = Query(h, oid::kBssList, 5000);
    ASSERT_EQ(all.status, 0u);
    ASSERT_EQ(all.written, 3 * 72u);
    struct Row {
        Bytes bssid;
        std::string ssid;
        std::uint32_t privacy, signal, freq, flags, adHoc;
    };
    const Row rows[] = {
        {{0x00, 0x1D, 0x5A, 0x10, 0x00, 0x01}, "Harbor", 0, 45, 2437, 0, 0},
        {{0x00, 0x1D, 0x5A, 0x10, 0x00, 0x02}, "Harbor", 0, 30, 5180, 0, 0},
        {{0x00, 0x1D, 0x5A, 0x20, 0x00, 0x03}, "Quay", 1, 22, 2462, 0, 0},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        std::size_t at = i * 72;
        EXPECT_EQ(Bytes(all.data.begin() + at, all.data.begin() + at + 6), rows[i].bssid);
        Bytes ssid(32, 0);
        std::copy(rows[i].ssid.begin(), rows[i].ssid.end(), ssid.begin());
        EXPECT_EQ(Bytes(all.data.begin() + at + 8, all.data.begin() + at + 40), ssid);
        EXPECT_EQ(Le(all.data, at + 40, 4), rows[i].privacy);
        EXPECT_EQ(Le(all.data, at + 44, 4), rows[i].signal);
        EXPECT_EQ(Le(all.data, at + 56, 2), rows[i].freq);
        EXPECT_EQ(Le(all.data, at + 58, 2), rows[i].flags);
        EXPECT_EQ(Le(all.data, at + 60, 4), rows[i].adHoc);
    }
    for (auto [length, records] : {std::pair{3600u, 3u}, {216u, 3u}, {215u, 2u}, {71u, 0u}}) {
        SCOPED_TRACE(length);
        Reply r = Query(h, oid::kBssList, length);
        EXPECT_EQ(r.status, 0u);
        EXPECT_EQ(r.written, records * 72);
        EXPECT_TRUE(std::equal(r.data.begin(), r.data.end(), all.data.begin()));
    }

    // A crowded band: the program's buffers hold 50 and 69 records.
    for (int i = 0; i < 80; ++i) {
        char name[8], bssid[20];
        std::snprintf(name, sizeof name, "n%02d", i);
        std::snprintf(bssid, sizeof bssid, "02-00-00-00-01-%02X", i);
        AddNetwork(name, bssid, "Crowd", 2412, 10);
    }
    ASSERT_EQ(Query(h, oid::kStartScan).status, sim::kNdisNotSupported);
    ASSERT_EQ(Request(h, kSet, oid::kStartScan, 0).status, 0u);
    Advance(2000);
    EXPECT_EQ(Query(h, oid::kBssList, 3600).written, 50 * 72u);
    EXPECT_EQ(Query(h, oid::kBssList, 5000).written, 69 * 72u);
}

TEST_F(Zn6200Test, ScanWalksTheBandsChannelsAndHearsNetworksAsItGoes) {
    struct Case {
        const char* netBand;
        std::uint32_t domain;
        std::set<std::uint32_t> channels;
    };
    const std::set<std::uint32_t> b11 = {2412, 2417, 2422, 2427, 2432, 2437,
                                         2442, 2447, 2452, 2457, 2462};
    std::set<std::uint32_t> fccAuto = b11;
    fccAuto.insert({5180, 5200, 5220, 5240, 5260, 5280, 5300, 5320, 5745, 5765, 5785, 5805, 5825});
    std::set<std::uint32_t> mkkB = b11;
    mkkB.insert({2467, 2472, 2484});
    const Case cases[] = {
        {"5", 0x10, fccAuto},
        {"4", 0x40, mkkB},
        {"3",
         0x10,
         {5180, 5200, 5220, 5240, 5260, 5280, 5300, 5320, 5745, 5765, 5785, 5805, 5825, 5210, 5250,
          5290, 5760, 5800}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.netBand);
        Install();
        card_->SetDomain(c.domain);
        SetParameters({{"NetBand", c.netBand}, {"ssid", "Nowhere"}});
        Restart();
        auto h = Open();
        std::set<std::uint32_t> seen;
        std::vector<std::uint64_t> runs{0};
        std::uint64_t last = 0;
        for (int t = 0; t < 2000; ++t) {
            auto f = Number(h, oid::kCurrentChannel) & 0xFFFF;
            if (t > 0 && f != last) runs.push_back(0);
            ++runs.back();
            last = f;
            seen.insert(static_cast<std::uint32_t>(f));
            Advance(1);
        }
        EXPECT_EQ(seen, c.channels);
        runs.pop_back();  // the last one is cut off
        for (auto r : runs) {
            EXPECT_GE(r, 50u);
            EXPECT_LE(r, 100u);
        }
        EXPECT_TRUE(card_->Scanning());  // no network named so: it keeps scanning
    }

    // Auto on FCC: 24 channels of 83 ms; 2437 MHz is the sixth, 5180 the twelfth.
    Install();
    auto h = Open();
    Advance(500);
    Reply r = Query(h, oid::kBssList);
    ASSERT_EQ(r.written, 72u);
    EXPECT_EQ(Le(r.data, 56, 2), 2437u);
    Advance(1000);
    EXPECT_EQ(Query(h, oid::kBssList).written, 3 * 72u);
    EXPECT_EQ(Number(h, oid::kConnectionState), 0u);
    Advance(499);
    EXPECT_EQ(Number(h, oid::kConnectionState), 0u);
    Advance(1);
    EXPECT_EQ(Number(h, oid::kConnectionState), 1u);
}

TEST_F(Zn6200Test, JoinsByNameModeBandAndPrivacy) {
    struct Case {
        const char* name;
        std::map<std::string, std::string> params;
        const char* bssid;  // "none" when it stays scanning
        std::uint32_t encryption;
    };
    const char* const kOwn = "02-1D-5A-62-0A-01";
    const Case cases[] = {
        {"any: strongest open", {{"ssid", ""}}, "00-1D-5A-10-00-01", 0},
        {"named, 5 GHz only", {{"ssid", "Harbor"}, {"NetBand", "1"}}, "00-1D-5A-10-00-02", 0},
        {"wep network, wep off", {{"ssid", "Quay"}}, "none", 0},
        {"wep network, wep on",
         {{"ssid", "Quay"}, {"privacyInvoked", "1"}},
         "00-1D-5A-20-00-03",
         1},
        {"any with wep on", {{"ssid", ""}, {"privacyInvoked", "1"}}, "00-1D-5A-20-00-03", 1},
        {"open network, wep on", {{"ssid", "Harbor"}, {"privacyInvoked", "1"}}, "none", 0},
        {"wep network out of band",
         {{"ssid", "Quay"}, {"privacyInvoked", "1"}, {"NetBand", "1"}},
         "none",
         0},
        {"ad hoc: joins the cell", {{"ssid", "Reef"}, {"bssType", "2"}}, "02-00-00-00-00-44", 0},
        {"ad hoc any", {{"ssid", ""}, {"bssType", "2"}}, "02-00-00-00-00-44", 0},
        {"ad hoc: starts its own",
         {{"ssid", "Cove"}, {"bssType", "2"}, {"clist", "b2412"}},
         kOwn,
         0},
        {"ad hoc: own, wep",
         {{"ssid", "Cove"}, {"bssType", "2"}, {"privacyInvoked", "1"}},
         kOwn,
         1},
        {"ad hoc: named cell has wep",
         {{"ssid", "Reef"}, {"bssType", "2"}, {"privacyInvoked", "1"}},
         "none",
         0},
        {"infra never joins a cell", {{"ssid", "Reef"}}, "none", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Install();
        AddNetwork("3", "02-00-00-00-00-44", "Reef", 2422, 25, true);
        SetParameters(c.params);
        Advance(500);
        Restart();
        auto h = Open();
        Advance(1999);
        EXPECT_EQ(Number(h, oid::kConnectionState), 0u);
        Advance(1);
        EXPECT_EQ(JoinedBssid(), c.bssid);
        EXPECT_EQ(Number(h, oid::kConnectionState), std::string(c.bssid) != "none" ? 1u : 0u);
        EXPECT_EQ(Number(h, oid::kEncryption), c.encryption);
        EXPECT_EQ(Number(h, oid::kNetworkMode), c.params.count("bssType") ? 1u : 0u);
    }

    // Our own cell: named as configured, on the clist channel or the ad hoc band's default.
    for (auto [clist, band, freq, flags] : {std::tuple{"b2412", "0", 2412u, 0u},
                                            {"t5250", "0", 5250u, 0x0100u},
                                            {"149", "0", 5745u, 0u},
                                            {"", "1", 5180u, 0u},
                                            {"", "2", 5210u, 0x0100u},
                                            {"", "0", 2437u, 0u}}) {
        SCOPED_TRACE(std::string(clist) + "/" + band);
        Install();
        SetParameters({{"ssid", "Cove"}, {"bssType", "2"}, {"clist", clist}, {"AdHocBand", band}});
        Restart();
        auto h = Open();
        Advance(2000);
        ASSERT_TRUE(card_->OwnCell());
        EXPECT_EQ(Number(h, oid::kCurrentChannel), freq | flags << 16);
        Reply ssid = Query(h, oid::kSsid);
        EXPECT_EQ(std::string(ssid.data.begin(), ssid.data.end()), "Cove");
        EXPECT_EQ(Number(h, oid::kSignalStrength), 0u);
    }
}

constexpr const char* kCfgId = "6F1C2B9A-3D4E-4A5B-8C7D-0E1F2A3B4C5D";
constexpr const char* kLighthouse = "00-1D-5A-20-00-04";

using Parameters = std::map<std::string, std::string>;

// WEP settings as velmora writes them: the key in `slot`, enciphered under cfgId, the driver key
// holding kCfgId, and that slot as the default key.
Parameters WepParameters(const std::string& key, const char* length = "5", int slot = 0,
                         const char* cfgId = kCfgId) {
    std::string n = std::to_string(slot);
    return {{"ssid", "Lighthouse"},
            {"privacyInvoked", "1"},
            {"CardCfgId", kCfgId},
            {"defaultKey", n},
            {"key" + n, config::EncodeStoredKey(key, cfgId)},
            {"keyLength" + n, length}};
}

Parameters With(Parameters p, const Parameters& more) {
    for (const auto& [name, text] : more) p[name] = text;
    return p;
}

TEST_F(Zn6200Test, JoinsAKeyedWepNetworkOnlyWithItsKey) {
    const std::string k64 = "0A1B2C3D4E", k128 = "00112233445566778899AABBCC";
    struct Case {
        const char* name;
        std::string netKey;  // the network's Key, as written in the radio
        Parameters params;
        const char* bssid;
    };
    const Case cases[] = {
        {"its key, network's in lower case", "0a1b2c3d4e", WepParameters("0a1b2c3d4e"),
         kLighthouse},
        {"another key", k64, WepParameters("0A1B2C3D4F"), "none"},
        {"its key, wep off", k64, With(WepParameters(k64), {{"privacyInvoked", "0"}}), "none"},
        {"stored under another CardCfgId", k64,
         WepParameters(k64, "5", 0, "11111111-2222-3333-4444-555555555555"), "none"},
        {"no CardCfgId to decipher with", k64, With(WepParameters(k64), {{"CardCfgId", ""}}),
         "none"},
        {"length says 13 bytes", k64, WepParameters(k64, "13"), "none"},
        {"key 3 is the default", k64, WepParameters(k64, "5", 2), kLighthouse},
        {"default key points at an empty slot", k64,
         With(WepParameters(k64, "5", 2), {{"defaultKey", "0"}}), "none"},
        {"unique key as default", k64, With(WepParameters(k64), {{"defaultKey", "4"}}), "none"},
        {"128-bit key", k128, WepParameters(k128, "13"), kLighthouse},
        {"first 10 digits of a 128-bit key", k128, WepParameters(k128.substr(0, 10)), "none"},
        {"152-bit key", k128 + "DDEEFF", WepParameters(k128 + "DDEEFF", "16"), kLighthouse},
        {"malformed network key", "0A1B2C3D4X", WepParameters("0A1B2C3D4E"), "none"},
        {"a wep network without a key takes any", k64,
         With(WepParameters("0A1B2C3D4F"), {{"ssid", "Quay"}}), "00-1D-5A-20-00-03"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Install();
        AddNetwork("3", kLighthouse, "Lighthouse", 2412, 40, false, 1, c.netKey.c_str());
        SetParameters(c.params);
        Restart();
        auto h = Open();
        Advance(4000);  // two passes
        EXPECT_EQ(JoinedBssid(), c.bssid);
        EXPECT_EQ(Number(h, oid::kEncryption), std::string(c.bssid) != "none" ? 1u : 0u);
        EXPECT_EQ(Query(h, oid::kBssList).written, 4 * 72u);  // heard all the same
    }
}

TEST_F(Zn6200Test, ANewKeyIsTakenUpWhenTheDeviceIsDisabledAndEnabled) {
    AddNetwork("3", kLighthouse, "Lighthouse", 2412, 40, false, 1, "0A1B2C3D4E");
    SetParameters(WepParameters("0A1B2C3D4F"));
    Restart();
    Advance(4000);
    EXPECT_EQ(JoinedBssid(), "none");
    EXPECT_TRUE(card_->Scanning());
    EXPECT_EQ(card_->TakenKey(), "0A1B2C3D4F");

    SetParameters(WepParameters("0A1B2C3D4E"));
    Advance(4000);
    EXPECT_EQ(JoinedBssid(), "none");  // written, not taken up
    ASSERT_TRUE(adapter::SetAdapterDeviceEnabled(pc_->setup(), adapter::kDriverServiceName, false));
    ASSERT_TRUE(adapter::SetAdapterDeviceEnabled(pc_->setup(), adapter::kDriverServiceName, true));
    EXPECT_EQ(card_->TakenKey(), "0A1B2C3D4E");
    auto h = Open();
    Advance(2000);
    EXPECT_EQ(JoinedBssid(), kLighthouse);
    EXPECT_EQ(Number(h, oid::kConnectionState), 1u);

    // The access point changing its key drops the link.
    AddNetwork("3", kLighthouse, "Lighthouse", 2412, 40, false, 1, "0A1B2C3D4F");
    EXPECT_EQ(Number(h, oid::kConnectionState), 0u);
    EXPECT_TRUE(card_->Scanning());
}

TEST_F(Zn6200Test, TheDemosWepAccessPointTakesItsKey) {
    ASSERT_TRUE(sim::ImportRegFile(pc_->registry(), FixturePath("demo-radio.reg")));
    auto nets = sim::ReadRadioNetworks(pc_->registry());
    ASSERT_EQ(nets.size(), 4u);
    EXPECT_EQ(nets[3].key, "0A1B2C3D4E");
    SetParameters(With(WepParameters("0A1B2C3D4E"), {{"ssid", ""}}));
    Restart();
    Advance(2000);
    EXPECT_EQ(JoinedBssid(), kLighthouse);  // the strongest WEP network that takes the key
}

TEST_F(Zn6200Test, StaysScanningUntilTheNetworkAppearsAndDropsItWhenItGoes) {
    SetParameters({{"ssid", "Cove"}});
    Restart();
    auto h = Open();
    Advance(5000);
    EXPECT_EQ(Number(h, oid::kConnectionState), 0u);
    AddNetwork("3", "00-1D-5A-30-00-04", "Cove", 2412, 33);
    Advance(2000);  // heard in the next pass, joined at its end
    EXPECT_EQ(JoinedBssid(), "00-1D-5A-30-00-04");

    // A scan asked for while joined keeps the link and refreshes the list.
    AddNetwork("4", "00-1D-5A-30-00-05", "Late", 2412, 12);
    EXPECT_EQ(Query(h, oid::kBssList).written, 4 * 72u);
    EXPECT_EQ(Request(h, kSet, oid::kStartScan, 5000).status, 0u);
    Advance(2000);
    EXPECT_EQ(Query(h, oid::kBssList).written, 5 * 72u);
    EXPECT_EQ(JoinedBssid(), "00-1D-5A-30-00-04");

    ASSERT_TRUE(pc_->registry().DeleteTree(std::string(sim::kRadioNetworksKey) + "\\3"));
    EXPECT_EQ(Number(h, oid::kConnectionState), 0u);
    EXPECT_TRUE(card_->Scanning());
    EXPECT_EQ(Query(h, oid::kBssList).written, 4 * 72u);
}

TEST_F(Zn6200Test, ReadsTheRadioAndItsOwnKeyAgainOnlyAfterARegistryWrite) {
    auto h = Open();
    Advance(3000);
    ASSERT_EQ(Number(h, oid::kConnectionState), 1u);
    ASSERT_GT(Query(h, oid::kBssList).written, 0u);
    const auto reads = card_->RadioReads();
    const auto cardReads = card_->CardReads();
    for (int i = 0; i < 5; ++i) {
        Advance(50);
        Query(h, oid::kBssList);
        Number(h, oid::kConnectionState);
    }
    EXPECT_EQ(card_->RadioReads(), reads);
    EXPECT_EQ(card_->CardReads(), cardReads);

    sim::ClearRadioNetworks(pc_->registry());
    EXPECT_EQ(Number(h, oid::kConnectionState), 0u);
    EXPECT_EQ(Query(h, oid::kBssList).written, 0u);
    EXPECT_EQ(card_->RadioReads(), reads + 1);

    // Pulled by a write to its key from outside, not through the card's own calls.
    auto key = pc_->registry().Create(sim::kCardKey);
    ASSERT_TRUE(key);
    const plat::RegValue absent = plat::DwordValue(0);
    key->Set("Present", absent.type, absent.data);
    EXPECT_NE(Query(h, oid::kConnectionState).status & 0xFF, 0u);
    EXPECT_FALSE(card_->Present());
}

TEST_F(Zn6200Test, CountersGrowAtTheNetworksRatesOnlyWhileJoined) {
    auto h = Open();
    auto bytes = [&](std::size_t at) {
        Reply r = Query(h, oid::kDeviceStatus);
        return Le(r.data, at, 8);
    };
    Advance(1500);
    EXPECT_EQ(Number(h, oid::kGenXmitOk), 0u);
    EXPECT_EQ(bytes(224), 0u);
    Advance(1000);  // joined at 2000: half a second of traffic
    EXPECT_EQ(Number(h, oid::kGenXmitOk), 10u);
    EXPECT_EQ(Number(h, oid::kGenRcvOk), 50u);
    Advance(3500);  // the same whether polled often or seldom
    EXPECT_EQ(Number(h, oid::kGenXmitOk), 80u);
    EXPECT_EQ(Number(h, oid::kGenRcvOk), 400u);
    EXPECT_EQ(bytes(224), 4 * 0x4000u);
    EXPECT_EQ(bytes(232), 4 * 0x20000u);

    ASSERT_TRUE(pc_->registry().DeleteTree(std::string(sim::kRadioNetworksKey) + "\\0"));
    ASSERT_TRUE(pc_->registry().DeleteTree(std::string(sim::kRadioNetworksKey) + "\\1"));
    EXPECT_EQ(Number(h, oid::kConnectionState), 0u);
    Advance(10000);
    EXPECT_EQ(Number(h, oid::kGenXmitOk), 80u);
    EXPECT_EQ(bytes(224), 4 * 0x4000u);

    // A restart starts the counters again.
    Restart();
    h = Open();
    EXPECT_EQ(Number(h, oid::kGenXmitOk), 0u);
}

TEST_F(Zn6200Test, FrameCountersWidenToEightBytesPastTwoToThe32) {
    sim::RadioNetwork fast;
    fast.bssid = {0x00, 0x1D, 0x5A, 0x40, 0x00, 0x06};
    fast.ssid = "Fast";
    fast.frequency = 2412;
    fast.signal = 60;
    fast.txFramesPerSec = 4000000000u;
    sim::ClearRadioNetworks(pc_->registry());
    ASSERT_TRUE(sim::WriteRadioNetwork(pc_->registry(), "0", fast));
    auto h = Open();
    Advance(3000);
    Reply small = Query(h, oid::kGenXmitOk);
    EXPECT_EQ(small.written, 4u);
    EXPECT_EQ(Le(small.data, 0, 4), 4000000000u);
    Advance(1000);
    Reply wide = Query(h, oid::kGenXmitOk);
    ASSERT_EQ(wide.written, 8u);
    EXPECT_EQ(Le(wide.data, 0, 8), 8000000000u);
    Reply cut = Query(h, oid::kGenXmitOk, 4);  // NDIS gives a 4-byte buffer the low half
    EXPECT_EQ(cut.status, 0u);
    EXPECT_EQ(Le(cut.data, 0, 4), 8000000000u & 0xFFFFFFFFu);
}

TEST_F(Zn6200Test, PullingTheCardEndsHandlesAndHidesTheHardware) {
    auto h = Open();
    ASSERT_NE(h, plat::kNoAdapter);
    EXPECT_TRUE(HardwareListed());
    card_->Pull();
    EXPECT_EQ(Query(h, oid::kNetworkMode).status, sim::kNdisAdapterRemoved);
    EXPECT_FALSE(HardwareListed());
    EXPECT_EQ(Open(), plat::kNoAdapter);
    EXPECT_EQ(Lib().GetLastError(), 2u);

    card_->Insert();
    EXPECT_TRUE(HardwareListed());
    EXPECT_NE(Query(h, oid::kNetworkMode).status, 0u);  // unplugged once, gone for good
    auto h2 = Open();
    ASSERT_NE(h2, plat::kNoAdapter);
    EXPECT_EQ(Query(h2, oid::kNetworkMode).status, 0u);

    // Writing the registry pulls it too (the Wine demo's way).
    auto key = pc_->registry().Open(sim::kCardKey);
    ASSERT_TRUE(plat::WriteDword(*key, "Present", 0));
    EXPECT_EQ(Query(h2, oid::kNetworkMode).status, sim::kNdisAdapterRemoved);
    ASSERT_TRUE(plat::WriteDword(*key, "Present", 1));
    EXPECT_NE(Query(h2, oid::kNetworkMode).status, 0u);
    EXPECT_EQ(card_->Starts(), 3u);

    // Closing forgets the handle; after that it is unknown.
    EXPECT_TRUE(Lib().CloseAdapter(h2));
    EXPECT_FALSE(Lib().CloseAdapter(h2));
    EXPECT_EQ(Query(h2, oid::kNetworkMode).status, sim::kErrorInvalidHandle);
    EXPECT_EQ(Query(plat::kNoAdapter, oid::kNetworkMode).status, sim::kErrorInvalidHandle);
}

TEST_F(Zn6200Test, PullAfterRequestsTakesTheCardMidPoll) {
    auto h = Open();
    card_->PullAfterRequests(2);
    EXPECT_EQ(Query(h, oid::kNetworkMode).status, 0u);
    EXPECT_EQ(Query(h, oid::kConnectionState).status, 0u);
    EXPECT_EQ(Query(h, oid::kDeviceStatus).status, sim::kNdisAdapterRemoved);
    EXPECT_FALSE(card_->Present());
    EXPECT_FALSE(HardwareListed());
}

TEST_F(Zn6200Test, InjectedOpenErrorsAndOidFailures) {
    card_->FailNextOpens(2, 1058);
    EXPECT_EQ(Open(), plat::kNoAdapter);
    EXPECT_EQ(Lib().GetLastError(), 1058u);
    EXPECT_EQ(Open(), plat::kNoAdapter);
    auto h = Open();
    ASSERT_NE(h, plat::kNoAdapter);
    EXPECT_EQ(Lib().GetLastError(), 0u);

    card_->FailOid(oid::kSignalStrength);
    card_->FailOid(oid::kStartScan, 0xC0010011);
    EXPECT_EQ(Query(h, oid::kSignalStrength).status, sim::kNdisFailure);
    EXPECT_EQ(Request(h, kSet, oid::kStartScan, 0).status, 0xC0010011u);
    EXPECT_EQ(Query(h, oid::kNetworkMode).status, 0u);
    card_->ClearOidFailures();
    EXPECT_EQ(Query(h, oid::kSignalStrength).status, 0u);
}

TEST_F(Zn6200Test, SetsFilterAndRefusals) {
    auto h = Open();
    EXPECT_EQ(Request(h, kSet, oid::kGenCurrentPacketFilter, 4, {9, 0, 0, 0}).status, 0u);
    EXPECT_EQ(card_->PacketFilter(), 9u);
    EXPECT_EQ(Number(h, oid::kGenCurrentPacketFilter), 9u);
    Reply shortSet = Request(h, kSet, oid::kGenCurrentPacketFilter, 2, {1, 0});
    EXPECT_EQ(shortSet.status, sim::kNdisInvalidLength);
    EXPECT_EQ(shortSet.needed, 4u);
    EXPECT_EQ(card_->PacketFilter(), 9u);

    EXPECT_EQ(Request(h, kSet, oid::kBssid, 6, Bytes(6, 1)).status, sim::kNdisNotSupported);
    EXPECT_EQ(Query(h, 0xFF0000FF).status, sim::kNdisInvalidOid);
    EXPECT_EQ(Request(h, 2, oid::kNetworkMode, 4).status, sim::kNdisNotSupported);
    EXPECT_EQ(Lib().MakeNdisRequest(h, nullptr, nullptr, 1), sim::kErrorInvalidParameter);

    std::uint8_t program[32] = {0x28, 0, 0, 0, 12};
    EXPECT_TRUE(Lib().SetBPFProgram(h, program, 32));
    EXPECT_EQ(card_->BpfProgram(), Bytes(program, program + 32));
    EXPECT_FALSE(Lib().SetBPFProgram(h, program, 7));
    EXPECT_TRUE(Lib().CancelPacketRead(h, nullptr));
    ASSERT_TRUE(Lib().CloseAdapter(h));
    EXPECT_FALSE(Lib().SetBPFProgram(h, program, 32));
    EXPECT_FALSE(Lib().CancelPacketRead(h, nullptr));
}

TEST_F(Zn6200Test, StationAddressMediumDomainAndMacAreSettable) {
    card_->SetStationAddress(sim::MacAddress{'D', 'E', 'S', 'T', 0, 1});
    card_->SetMedium(1);
    card_->SetDomain(0x31);
    card_->SetMacAddress({0x00, 0x0B, 0x86, 0x12, 0x34, 0x56});
    auto h = Open();
    EXPECT_EQ(Query(h, oid::k8023CurrentAddress, 6).data, (Bytes{'D', 'E', 'S', 'T', 0, 1}));
    EXPECT_EQ(Number(h, oid::kGenMediaInUse), 1u);
    EXPECT_EQ(Le(Query(h, oid::kDeviceStatus).data, 220, 4), 0x31u);
    EXPECT_EQ(Query(h, oid::kMacAddress).data, (Bytes{0x00, 0x0B, 0x86, 0x12, 0x34, 0x56}));

    // Without an override the station address is NetworkAddress when usable, else the MAC.
    card_->SetStationAddress(std::nullopt);
    for (auto [na, expected] :
         {std::pair{"02AABBCCDDEE", Bytes{0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE}},
          {"03AABBCCDDEE", Bytes{0x00, 0x0B, 0x86, 0x12, 0x34, 0x56}},
          {"02AABBCC", Bytes{0x00, 0x0B, 0x86, 0x12, 0x34, 0x56}}}) {
        SCOPED_TRACE(na);
        SetParameters({{"NetworkAddress", na}});
        Restart();
        auto h2 = Open();
        EXPECT_EQ(Query(h2, oid::k8023CurrentAddress, 6).data, expected);
    }
}

TEST_F(Zn6200Test, DriverTakesUpItsParametersWhenTheDeviceStarts) {
    auto h = Open();
    Advance(2000);
    ASSERT_EQ(JoinedBssid(), "00-1D-5A-10-00-01");
    SetParameters({{"ssid", "Quay"},
                   {"privacyInvoked", "1"},
                   {"key0", "0123456789ABCDEF"},
                   {"keyLength0", "5"},
                   {"tpc", "2"}});
    Advance(3000);
    EXPECT_EQ(JoinedBssid(), "00-1D-5A-10-00-01");  // written, not taken up
    EXPECT_EQ(card_->TakenParameters().ssid, "");

    ChangeDevice(plat::kDicsDisable);
    EXPECT_FALSE(card_->Started());
    EXPECT_EQ(Query(h, oid::kNetworkMode).status, sim::kNdisAdapterRemoved);
    EXPECT_EQ(Open(), plat::kNoAdapter);
    ChangeDevice(plat::kDicsEnable);
    const auto& p = card_->TakenParameters();
    EXPECT_EQ(p.ssid, "Quay");
    EXPECT_TRUE(p.Privacy());
    EXPECT_EQ(p.keys[0], "0123456789ABCDEF");
    EXPECT_EQ(p.keyLengths[0], "5");
    EXPECT_EQ(p.tpc, "2");
    h = Open();
    Advance(2000);
    EXPECT_EQ(JoinedBssid(), "00-1D-5A-20-00-03");
    EXPECT_EQ(Number(h, oid::kEncryption), 1u);
}

TEST_F(Zn6200Test, FollowingTheRegistryRestartsOnChangedParameters) {
    Install({}, "zn6200-installed.reg", {.followRegistry = true});
    auto h = Open();
    EXPECT_EQ(Query(h, oid::kNetworkMode).status, 0u);
    auto key = pc_->registry().Open(card_->DriverKeyPath());
    ASSERT_TRUE(plat::WriteString(*key, "CardCfgId", "{1234}"));  // not a parameter
    EXPECT_EQ(Query(h, oid::kNetworkMode).status, 0u);
    ASSERT_TRUE(plat::WriteString(*key, "bssType", "2"));
    EXPECT_EQ(Query(h, oid::kNetworkMode).status, sim::kNdisAdapterRemoved);
    EXPECT_EQ(card_->Starts(), 2u);
    h = Open();
    EXPECT_EQ(Number(h, oid::kNetworkMode), 1u);

    // Once the default key has text, CardCfgId deciphers it and so counts.
    ASSERT_TRUE(plat::WriteString(*key, "defaultKey", "0"));
    ASSERT_TRUE(plat::WriteString(*key, "keyLength0", "5"));
    ASSERT_TRUE(plat::WriteString(*key, "key0", config::EncodeStoredKey("0A1B2C3D4E", "{1234}")));
    EXPECT_TRUE(card_->Started());
    EXPECT_EQ(card_->Starts(), 3u);
    EXPECT_EQ(card_->TakenKey(), "0A1B2C3D4E");
    ASSERT_TRUE(plat::WriteString(*key, "CardCfgId", "{5678}"));
    EXPECT_TRUE(card_->Started());
    EXPECT_EQ(card_->Starts(), 4u);
    EXPECT_NE(card_->TakenKey(), "0A1B2C3D4E");
}

TEST_F(Zn6200Test, SignalSwingsDeterministicallyAroundTheNetworksValue) {
    sim::RadioNetwork n;
    n.bssid = {0, 0x1D, 0x5A, 0, 0, 7};
    n.signal = 20;
    n.signalSwing = 2;
    std::vector<std::uint32_t> seen;
    for (std::uint64_t t = 0; t < 16000; t += 1000) seen.push_back(sim::SignalAt(n, t));
    EXPECT_EQ(*std::min_element(seen.begin(), seen.end()), 18u);
    EXPECT_EQ(*std::max_element(seen.begin(), seen.end()), 22u);
    for (std::size_t i = 1; i < seen.size(); ++i)
        EXPECT_LE(std::max(seen[i], seen[i - 1]) - std::min(seen[i], seen[i - 1]), 1u);
    n.signal = 1;
    EXPECT_GE(sim::SignalAt(n, 7000), 0u);
}

TEST_F(Zn6200Test, UnreadableNetworksAreNotHeard) {
    auto& reg = pc_->registry();
    sim::ClearRadioNetworks(reg);
    auto bad = reg.Create(std::string(sim::kRadioNetworksKey) + "\\0");
    ASSERT_TRUE(plat::WriteString(*bad, "BSSID", "00-1D-5A"));
    ASSERT_TRUE(plat::WriteDword(*bad, "Frequency", 2412));
    auto noFreq = reg.Create(std::string(sim::kRadioNetworksKey) + "\\1");
    ASSERT_TRUE(plat::WriteString(*noFreq, "BSSID", "00:1D:5A:00:00:09"));
    auto text = reg.Create(std::string(sim::kRadioNetworksKey) + "\\2");
    ASSERT_TRUE(plat::WriteString(*text, "BSSID", "001D5A00000A"));
    ASSERT_TRUE(plat::WriteString(*text, "Frequency", "2412"));
    ASSERT_TRUE(plat::WriteString(*text, "Signal", "0x20"));
    ASSERT_TRUE(plat::WriteString(*text, "SSID", std::string(40, 'x')));
    ASSERT_TRUE(plat::WriteString(*text, "Rates", "1, 2, 5.5, 11, 54, 9999"));
    auto nets = sim::ReadRadioNetworks(reg);
    ASSERT_EQ(nets.size(), 1u);
    EXPECT_EQ(nets[0].signal, 0x20u);
    EXPECT_EQ(nets[0].ssid, std::string(32, 'x'));
    EXPECT_EQ(nets[0].rates, (std::vector<std::uint8_t>{1, 2, 5, 11, 54}));
    auto h = Open();
    Advance(2000);
    EXPECT_EQ(Number(h, oid::kTxRate), 11u);  // 802.11b radio on 2.4 GHz without NetBand 8
}

}  // namespace
