// The profile sheet's Advanced page: its combos against the adapter, the General page's
// connection and each other, and the ad hoc band check.
#include <gtest/gtest.h>

#include "nicset/prop_sheet.h"
#include "nicset/strings.h"
#include "sim/dialogs.h"
#include "sim/pc.h"

namespace {

constexpr int kAdvanced = 2;

struct NicsetAdvancedPage : ::testing::Test {
    sim::Pc pc;
    sim::Dialogs& dialogs = pc.dialogs();
    nicset::CVHlpPropSheet sheet{pc.platform()};
    nicset::CVCustomAdvPage& page = sheet.advanced;
    nicset::AdvancedFields& f = sheet.advanced.fields;

    // Opens the sheet on the Advanced page with the General page's connection type.
    void Open(int connectionType) {
        sheet.general.fields.connectionType = connectionType;
        sheet.SetStartPage(kAdvanced);
        sheet.Start();
        ASSERT_EQ(sheet.ActivePage(), &page);
    }
    // To the Security page, which lets itself be left again as it starts.
    bool Leave() { return sheet.UserSelectPage(1); }
};

TEST_F(NicsetAdvancedPage, InfrastructureShowsAutoEncryptionAndStoresItUnlessAesIsPickedAgain) {
    f.encryptionType = 1;
    Open(1);
    EXPECT_EQ(page.cbEncryptionType.Text(), "Auto");
    EXPECT_TRUE(page.cbEncryptionType.Enabled());
    EXPECT_FALSE(page.cbAdHocBand.Enabled());
    EXPECT_TRUE(Leave());
    EXPECT_EQ(f.encryptionType, 2);

    ASSERT_TRUE(sheet.UserSelectPage(kAdvanced));
    ASSERT_TRUE(page.cbEncryptionType.UserSelectText("AES"));
    EXPECT_TRUE(Leave());
    EXPECT_EQ(f.encryptionType, 1);
    EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST_F(NicsetAdvancedPage, AdHocBandIsCheckedAgainstTheWirelessModeAndTurbo) {
    struct Case {
        int connection, mode, turbo, band;
        bool passes;
        int storedBand;
    } cases[] = {
        // Auto leaves the band to the user: turbo off cannot serve the turbo band.
        {0, 2, 0, 2, false, 2},
        {0, 2, 1, 2, true, 2},
        {0, 2, 0, 0, true, 0},
        // 802.11a with turbo off forces the 5 GHz band, so a stored turbo band passes as 11a.
        {0, 1, 0, 2, true, 1},
        // Infrastructure keeps the band in step with the mode.
        {1, 0, 0, 1, true, 0},
        {1, 2, 0, 2, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "connection " << c.connection << " mode " << c.mode
                                          << " turbo " << c.turbo << " band " << c.band);
        dialogs.Clear();
        f = {};
        f.wirelessMode = c.mode, f.turbo = c.turbo, f.adHocBand = c.band;
        Open(c.connection);
        EXPECT_EQ(Leave(), c.passes);
        EXPECT_EQ(f.adHocBand, c.storedBand);
        if (c.passes) {
            EXPECT_TRUE(dialogs.Boxes().empty());
            continue;
        }
        ASSERT_EQ(dialogs.Boxes().size(), 1u);
        EXPECT_EQ(
            dialogs.Boxes()[0].text,
            "The Ad Hoc Network Selection is not compatable with the Wireless Mode selected.");
        EXPECT_EQ(dialogs.Boxes()[0].caption, "Network Configuration Settings");
        EXPECT_EQ(sheet.ActivePage(), &page);
    }
}

TEST_F(NicsetAdvancedPage, AdHoc11aWithTurboTurnsA24GhzBandBackTo5Ghz) {
    f.wirelessMode = 1, f.turbo = 1, f.adHocBand = 2;
    Open(0);
    EXPECT_TRUE(page.cbAdHocBand.Enabled());
    EXPECT_EQ(page.cbAdHocBand.Text(), "5  GHz 108 Mbps (Turbo)");
    EXPECT_FALSE(page.cbEncryptionType.Enabled());
    EXPECT_EQ(page.cbEncryptionType.Text(), "WEP");
    ASSERT_TRUE(page.cbAdHocBand.UserSelectText("2.4 GHz 11 Mbps (802.11b)"));
    ASSERT_TRUE(page.cbTurbo.UserSelectText("Enabled"));  // any change runs the pass
    EXPECT_EQ(page.cbAdHocBand.Text(), "5  GHz 54 Mbps (802.11a)");
    // Turning turbo off fixes the band too.
    ASSERT_TRUE(page.cbTurbo.UserSelectText("Disabled"));
    EXPECT_FALSE(page.cbAdHocBand.Enabled());
    EXPECT_TRUE(Leave());
    EXPECT_EQ(f.adHocBand, 1);
    EXPECT_EQ(f.turbo, 0);
}

TEST_F(NicsetAdvancedPage, AdapterType0KeepsThe11aModeAndStoresIt) {
    f.adapterType = 0, f.wirelessMode = 0, f.extendedRange = 1, f.preamble = 0;
    Open(1);
    EXPECT_FALSE(page.cbWirelessMode.Enabled());
    EXPECT_EQ(page.cbWirelessMode.Text(), "5  GHz 54 Mbps (802.11a)");
    EXPECT_TRUE(page.cbTurbo.Enabled());
    EXPECT_FALSE(page.cbRate.Enabled());
    EXPECT_EQ(page.cbPreamble.Text(), "Short & Long");
    EXPECT_TRUE(Leave());
    EXPECT_EQ(f.wirelessMode, 1);
    EXPECT_EQ(f.extendedRange, 0);
    EXPECT_EQ(f.preamble, 1);
}

TEST_F(NicsetAdvancedPage, AdapterTypeSwitch0ForbidsTurboInEveryModeAnd54MbpsIsNeverOffered) {
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        f = {};
        f.adapterTypeSwitch = 0, f.wirelessMode = mode, f.turbo = 1, f.enable11g = 1;
        Open(1);
        EXPECT_FALSE(page.cbTurbo.Enabled());
        EXPECT_FALSE(page.cb54Mbps.Enabled());
        EXPECT_EQ(page.cb54Mbps.Items(), (std::vector<std::string>{"Disabled"}));
        EXPECT_TRUE(Leave());
        EXPECT_EQ(f.turbo, 0);
        EXPECT_EQ(f.enable11g, 0);
    }
}

TEST_F(NicsetAdvancedPage, WirelessModeChangeFollowsAtOnceAndCodesRoundTrip) {
    f.wirelessMode = 2, f.transmitPower = 3, f.scanMode = 1, f.qos = 1, f.preamble = 0;
    Open(1);
    EXPECT_EQ(page.cbTransmitPower.Text(), "12.5% ");
    EXPECT_EQ(page.cbPreamble.Text(), "Long Only");
    ASSERT_TRUE(page.cbWirelessMode.UserSelectText("2.4 GHz 11 Mbps (802.11b)"));
    EXPECT_EQ(f.wirelessMode, 0);
    EXPECT_FALSE(page.cbTurbo.Enabled());
    EXPECT_EQ(page.cbAdHocBand.Text(), "2.4 GHz 11 Mbps (802.11b)");
    ASSERT_TRUE(page.cbTransmitPower.UserSelectText("Lowest"));
    EXPECT_TRUE(Leave());
    EXPECT_EQ(f.transmitPower, 4);
    EXPECT_EQ(f.scanMode, 1);
    EXPECT_EQ(f.qos, 1);
    EXPECT_EQ(f.preamble, 0);
}

// A page without its sheet names the fault and carries on as neither ad hoc nor infrastructure.
TEST(NicsetAdvancedPageAlone, WithoutASheetShowsString65AndKeepsWorking) {
    sim::Dialogs dialogs;
    nicset::CVCustomAdvPage page(dialogs);
    page.fields.encryptionType = 1;
    page.Create();
    ASSERT_EQ(dialogs.Boxes().size(), 1u);
    EXPECT_EQ(dialogs.Boxes()[0].text, "Unable to obatin the property sheets pointer.");
    EXPECT_EQ(dialogs.Boxes()[0].type, plat::kMbOk);
    EXPECT_EQ(page.cbEncryptionType.Text(), "AES");
    EXPECT_TRUE(page.KillActive());
    EXPECT_EQ(page.fields.encryptionType, 1);
}

}  // namespace
