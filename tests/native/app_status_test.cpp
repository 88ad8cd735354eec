// The Status page over the simulated card: link state, rates, encryption, signal and layout.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "adapter/zero_config.h"
#include "app/status.h"
#include "app/velmora.h"
#include "tests/native/radio_program.h"

namespace {

using Program = RadioProgram;

TEST(StatusTexts, ChannelRateDomainAndAddress) {
    struct Channel {
        std::uint16_t f, flags;
        const char* text;
    } channels[] = {
        {5180, 0, "36  A/  5.180 GHz"},       {2437, 0, "6  B/  2.437 GHz"},
        {2412, 0x0400, "1  G/  2.412 GHz"},   {2484, 0, "14  B/  2.484 GHz"},
        {5210, 0x0100, "42  T/  5.210 GHz"},  {5800, 0, "160  T/  5.800 GHz"},
        {5825, 0x0400, "165  A/  5.825 GHz"},
    };
    for (const auto& c : channels) EXPECT_EQ(app::ChannelText(c.f, c.flags), c.text) << c.f;
    EXPECT_EQ(app::RateText(5), "5.5 Mbps");
    EXPECT_EQ(app::RateText(11), "11 Mbps");
    EXPECT_EQ(app::RateText(54), "54 Mbps");
    EXPECT_EQ(app::DomainText(0x31), "Spain");
    EXPECT_EQ(app::DomainText(0x40), "MKK (Japan)");
    EXPECT_EQ(app::DomainText(0x21), "N/A");
    const std::uint8_t mac[] = {0x00, 0x0b, 0x86, 0x12, 0x34, 0x56};
    EXPECT_EQ(app::MacText(mac), "00-0B-86-12-34-56");
}

TEST(StatusPoll, RateFiveIsFivePointFive) {
    auto n = Net("Slow");
    n.rates = {1, 2, 5};
    Program p({n}, "Slow");
    p.Run(8000);
    EXPECT_EQ(p.form().TxRate.Caption(), "5.5 Mbps");
    EXPECT_EQ(p.form().RxRate.Caption(), "5.5 Mbps");
    EXPECT_EQ(p.form().stEncryption.Caption(), "Disable");
    EXPECT_EQ(p.form().LinkSsid, "Slow");
}

// The configured network is heard but the driver cannot join it: what the page tells the user.
TEST(StatusPoll, NotJoinedFollowsTheConfiguredNetworkInTheScanList) {
    struct Case {
        const char* name;
        std::uint32_t privacy;
        bool heardAdHoc;  // an ad hoc cell the infrastructure station cannot join
        bool wepTicked;
        const char* state;
        const char* encryption;
    } cases[] = {
        {"WepNeeded", 1, false, false, "Enable Encryption to join this BSS/IBSS", "WEP"},
        {"AesNeeded", 2, false, false, "Enable Encryption to join this BSS/IBSS", "AES"},
        {"OpenButOtherMode", 0, true, false, "Scanning...", ""},
        {"WepTickedNotApplied", 1, false, true, "Scanning...", "WEP"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p({Net("Other"), Net("Quay", c.privacy, c.heardAdHoc)}, "Quay");
        p.Run(2000);  // found: the pages show the settings in force
        p.form().chWEPEncryption.SetChecked(c.wepTicked);
        p.form().TxRate.SetCaption("stale");
        p.form().CurrentChannel.SetCaption("stale");
        p.Run(6000);
        EXPECT_EQ(p.form().StationState.Caption(), c.state);
        EXPECT_EQ(p.form().stEncryption.Caption(), c.encryption);
        EXPECT_EQ(p.form().TxRate.Caption(), "");
        EXPECT_EQ(p.form().RxRate.Caption(), "");
        if (std::string(c.state) == app::kEncryptionNeededText) {
            EXPECT_EQ(p.form().CurrentChannel.Caption(), "");
        } else {
            // While scanning the channel display follows the channel being scanned.
            EXPECT_NE(p.form().CurrentChannel.Caption(), "stale");
        }
        EXPECT_EQ(p.form().LinkSsid, "");
    }
}

TEST(StatusPoll, NoMatchScansAndEmptiesTheCounters) {
    Program p({Net("Harbor")}, "Nowhere");
    for (ui::StaticText* t : {&p.form().stDataTx, &p.form().stDataRx, &p.form().stTxPacket,
                              &p.form().stRxPacket, &p.form().stTxByte, &p.form().stRxByte})
        t->SetCaption("123");
    p.Run(8000);
    EXPECT_EQ(p.form().StationState.Caption(), "Scanning...");
    EXPECT_EQ(p.form().stEncryption.Caption(), "");
    EXPECT_EQ(p.form().lbPercent.Caption(), "N/A");
    EXPECT_EQ(p.form().pbSignalStrenth.Position(), 0);
    for (ui::StaticText* t : {&p.form().stDataTx, &p.form().stDataRx, &p.form().stTxPacket,
                              &p.form().stRxPacket, &p.form().stTxByte, &p.form().stRxByte})
        EXPECT_EQ(t->Caption(), "") << t->Name();
    ASSERT_TRUE(p.Tray());
    EXPECT_EQ(p.Tray()->icon, app::kPictureScan);
    EXPECT_EQ(p.Tray()->tip, "VELMORA ZN6200 Scanning");
}

TEST(SignalDisplay, AdHocJoinedShowsAFullGreyBarAndTheGoodIcon) {
    Program p({}, "Cell", true);  // nobody else there: the station starts its own cell
    p.Run(8000);
    EXPECT_EQ(p.form().NetWorkType.Caption(), "Ad Hoc");
    EXPECT_EQ(p.form().LinkSsid, "Cell");
    EXPECT_EQ(p.form().lbPercent.Caption(), "N/A");
    EXPECT_EQ(p.form().pbSignalStrenth.Position(), 100);
    EXPECT_EQ(p.form().pbSignalStrenth.BarColor(), 0x808080u);
    ASSERT_TRUE(p.Tray());
    EXPECT_EQ(p.Tray()->icon, app::kPictureGood);
    EXPECT_EQ(p.Tray()->tip, "VELMORA ZN6200 Connect to Cell");
}

TEST(SignalDisplay, PercentBarAndTrayIconAtTheFiftyPercentEdge) {
    struct Case {
        std::uint32_t raw;
        const char* percent;
        int position, picture;
    } cases[] = {
        {14, "50%", 50, app::kPicturePoor},
        {15, "51%", 51, app::kPictureGood},
        {2, " 7%", 7, app::kPicturePoor},
        {200, "100%", 100, app::kPictureGood},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.raw);
        auto n = Net("Harbor");
        n.signal = c.raw;
        Program p({n}, "Harbor");
        p.Run(8000);
        EXPECT_EQ(p.form().lbPercent.Caption(), c.percent);
        EXPECT_EQ(p.form().pbSignalStrenth.Position(), c.position);
        EXPECT_EQ(p.form().pbSignalStrenth.BarColor(), 0xFF0000u);
        ASSERT_TRUE(p.Tray());
        EXPECT_EQ(p.Tray()->icon, c.picture);
    }
}

TEST(SignalDisplay, FailedSignalQueryLeavesTheDisplay) {
    Program p({Net("Harbor")}, "Harbor");
    p.Run(8000);
    ASSERT_EQ(p.form().lbPercent.Caption(), "91%");
    p.card->FailOid(adapter::OID_PRIV_SIGNAL_STRENGTH);
    p.form().SignalTimerTimer();
    EXPECT_EQ(p.form().lbPercent.Caption(), "91%");
    EXPECT_EQ(p.form().pbSignalStrenth.Position(), 91);
}

TEST(ChannelDisplay, LongNameTakesTwoLinesAndAShortOneRestoresOne) {
    // " <name>: <17-character address>": 11 characters make 31, 10 make 30.
    Program p({Net("ABCDEFGHIJK")}, "");
    p.Run(8000);
    EXPECT_EQ(p.form().StationState.Caption(), " ABCDEFGHIJK: 00-1D-5A-30-00-07");
    EXPECT_EQ(p.form().StationState.Top(), 14);
    EXPECT_EQ(p.form().StationState.Height(), 29);
    EXPECT_EQ(p.form().lbConnectTo.Top(), 19);

    sim::ClearRadioNetworks(p.pc.registry());
    sim::WriteRadioNetwork(p.pc.registry(), "0", Net("ABCDEFGHIJ"));
    p.Run(8000);
    EXPECT_EQ(p.form().StationState.Caption(), " ABCDEFGHIJ: 00-1D-5A-30-00-07");
    EXPECT_EQ(p.form().StationState.Top(), 24);
    EXPECT_EQ(p.form().StationState.Height(), 19);
    EXPECT_EQ(p.form().lbConnectTo.Top(), 24);
}

TEST(ChannelDisplay, SameNameOnAnotherAddressOrChannelShowsAgain) {
    Program p({Net("Harbor")}, "");
    p.Run(8000);
    EXPECT_EQ(p.form().StationState.Caption(), " Harbor: 00-1D-5A-30-00-07");
    EXPECT_EQ(p.form().CurrentChannel.Caption(), "6  B/  2.437 GHz");

    auto moved = Net("Harbor");
    moved.bssid.back() = 0x08;
    sim::ClearRadioNetworks(p.pc.registry());
    sim::WriteRadioNetwork(p.pc.registry(), "0", moved);
    p.Run(8000);
    EXPECT_EQ(p.form().StationState.Caption(), " Harbor: 00-1D-5A-30-00-08");

    moved.frequency = 2462;
    sim::WriteRadioNetwork(p.pc.registry(), "0", moved);
    p.Run(8000);
    EXPECT_EQ(p.form().StationState.Caption(), " Harbor: 00-1D-5A-30-00-08");
    EXPECT_EQ(p.form().CurrentChannel.Caption(), "11  B/  2.462 GHz");
}

TEST(StatusPoll, ConfigurationTabsReturnOnceTheServiceLetsGo) {
    Program p({Net("Harbor")}, "Harbor");
    p.Run(3000);
    // XP and no interface key for the adapter: managed, the three tabs are hidden.
    EXPECT_FALSE(p.form().TabSheet2.TabVisible());
    EXPECT_FALSE(p.form().TabSheet3.TabVisible());
    EXPECT_FALSE(p.form().TabSheet7.TabVisible());
    std::string guid;
    ASSERT_TRUE(adapter::ReadAdapterValue(p.pc.registry(), p.card->DriverKeyPath(),
                                          "NetCfgInstanceId", guid));
    plat::WriteDword(
        *p.pc.registry().Create(plat::JoinPath(adapter::kZeroConfigInterfacesKey, guid)),
        "ControlFlags", 0);
    p.Run(1000);
    EXPECT_TRUE(p.form().TabSheet2.TabVisible());
    EXPECT_TRUE(p.form().TabSheet3.TabVisible());
    EXPECT_TRUE(p.form().TabSheet7.TabVisible());
}

}  // namespace
