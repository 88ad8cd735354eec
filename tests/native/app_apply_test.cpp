// Apply, OK and Cancel: what reaches the driver key, the restart, and the pages afterwards.
#include <gtest/gtest.h>

#include "apply_program.h"
#include "config/stored_key.h"

namespace {

sim::RadioNetwork Keyed(std::string ssid, std::string key) {
    auto n = Net(std::move(ssid), 1);
    n.bssid[5] = 0x21;
    n.frequency = 2412;
    n.key = std::move(key);
    return n;
}

// Through the program's boundary, as a window procedure runs it.
bool Click(ApplyProgram& p, ui::Button& b) {
    return p.velmora->boundary.Run([&] { b.UserClick(); });
}

// Apply after edits made by the test itself, which enable nothing.
bool ApplyEdits(ApplyProgram& p) {
    p.form().Apply.SetEnabled(true);
    return Click(p, p.form().Apply);
}

sim::RadioNetwork Other(std::string ssid) {
    auto n = Net(std::move(ssid));
    n.bssid[5] = 0x08;
    n.frequency = 2462;
    return n;
}

TEST(Apply, ATypedNetworkNameReachesTheRestartedDriver) {
    ApplyProgram p({Net("Harbor"), Other("Quay")});
    auto& f = p.form();
    const auto starts = p.card->Starts();
    f.cbSSID.SetText("");
    ASSERT_TRUE(f.cbSSID.UserType("Quay"));
    EXPECT_TRUE(f.Apply.Enabled());
    ASSERT_TRUE(Click(p, f.Apply));
    EXPECT_EQ(p.Text("ssid"), "Quay");
    EXPECT_EQ(p.card->Starts(), starts + 1);  // disabled and enabled again
    EXPECT_EQ(p.card->TakenParameters().ssid, "Quay");
    EXPECT_FALSE(f.Apply.Enabled());
    EXPECT_EQ(f.PageControl1.ActivePage(), &f.TabSheet1);
    EXPECT_EQ(f.Screen.GetCursor(), ui::Cursor::Default);
    p.Run(8000);
    EXPECT_EQ(f.LinkSsid, "Quay");
    EXPECT_EQ(p.pc.shell().Icon(app::kTrayIconId)->tip, "VELMORA ZN6200 Connect to Quay");
}

TEST(Apply, AWepNetworkIsJoinedOnlyWithItsKey) {
    struct Case {
        const char* typed;
        bool joins;
    } cases[] = {{"0a1b2c3d4e", true}, {"0A1B2C3D4F", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ApplyProgram p({Net("Harbor"), Keyed("Lighthouse", "0A1B2C3D4E")});
        auto& f = p.form();
        f.cbSSID.SetText("Lighthouse");
        f.PageControl1.SetActivePage(&f.TabSheet3);
        ASSERT_TRUE(f.chWEPEncryption.UserClick());
        ASSERT_TRUE(f.rbManu.UserClick());
        ASSERT_TRUE(f.rbKey1.UserClick());
        ASSERT_TRUE(f.EditFirst.UserType(c.typed));
        ASSERT_TRUE(Click(p, f.Apply));
        EXPECT_EQ(p.Text("privacyInvoked"), "1");
        EXPECT_EQ(p.Text("key0"), config::EncodeStoredKey(c.typed, p.Text("CardCfgId")));
        EXPECT_EQ(p.Text("keyLength0"), "5");
        EXPECT_EQ(p.Text("defaultKey"), "0");
        EXPECT_EQ(f.EditFirst.Text(), "**********");  // read back: stored, shown masked
        p.Run(8000);
        EXPECT_EQ(f.LinkSsid, c.joins ? "Lighthouse" : "");
        EXPECT_EQ(f.StationState.Caption() == "Scanning...", !c.joins);
    }
}

TEST(Apply, DriverValuesFollowTheirRules) {
    ApplyProgram p({Net("Harbor")});
    auto& f = p.form();
    struct Case {
        bool adHoc;
        const char* ssid;
        const char* ssidWritten;
        const char* clist;
    } cases[] = {
        {false, "any", "", ""}, {true, "ANY", "", "b2437"}, {false, "Harbor", "Harbor", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ssid);
        f.PageControl1.SetActivePage(&f.TabSheet2);
        (c.adHoc ? f.rbAdHoc : f.rbInfra).SetChecked(true);
        f.cbRadioBand.SetItemIndex(0);
        f.cbAdHoc.SetItemIndex(0);
        f.FillChannelList();
        f.cbChannel.SetItemIndex(6);
        f.cbSSID.SetText(c.ssid);
        ASSERT_TRUE(ApplyEdits(p));
        EXPECT_EQ(p.Text("ssid"), c.ssidWritten);
        EXPECT_EQ(p.Text("bssType"), c.adHoc ? "2" : "1");
        EXPECT_EQ(p.Text("clist"), c.clist);
        p.Run(3000);  // the adapter is found again after the restart
    }
}

TEST(Apply, WepOffStillStoresTheKeysAndTheirLengths) {
    ApplyProgram p({Net("Harbor")});
    auto& f = p.form();
    f.chWEPEncryption.SetChecked(false);
    f.EditSecond.SetText("0123456789ABCDEF0123456789");
    f.cbKey2.SetItemIndex(1);
    f.EditThird.SetText("not hex either way");  // nothing is checked with WEP off ...
    f.EditThird.SetText("");
    ASSERT_TRUE(ApplyEdits(p));
    EXPECT_EQ(p.Text("privacyInvoked"), "0");
    EXPECT_EQ(p.Text("key1"),
              config::EncodeStoredKey("0123456789ABCDEF0123456789", p.Text("CardCfgId")));
    EXPECT_EQ(p.Text("keyLength1"), "13");
    EXPECT_EQ(p.Text("key2"), "");
    EXPECT_EQ(p.Text("keyLength2"), "0");
    EXPECT_EQ(p.Text("uniqKeyLength"), "0");
}

TEST(Apply, OnlyANamedProfileIsRecordedAsSelected) {
    ApplyProgram p({Net("Harbor")});
    auto& f = p.form();
    p.WriteProfile(0, "Home", "Harbor");
    p.WriteProfile(1, "Office", "Quay");
    auto store = p.pc.registry().Open(p.Store());
    plat::WriteString(*store, "SelectedConfigurationName", "Office");
    plat::WriteDword(*store, "SelectedConfigurationIndex", 1);
    f.LoadDriverSettings();
    f.cbProFile.SetText("Nowhere");
    ASSERT_TRUE(ApplyEdits(p));
    EXPECT_EQ(plat::ReadString(*store, "SelectedConfigurationName"), "Office");
    EXPECT_EQ(f.cbProFile.Text(), "Office");  // the list build selects it again
    f.PageControl1.SetActivePage(&f.TabSheet2);
    ASSERT_TRUE(f.cbProFile.UserSelect(0));
    ASSERT_TRUE(ApplyEdits(p));
    EXPECT_EQ(plat::ReadString(*store, "SelectedConfigurationName"), "Home");
    EXPECT_EQ(plat::ReadDword(*store, "SelectedConfigurationIndex"), 0u);
}

TEST(Apply, OkAppliesAndHidesUnlessTheChecksFail) {
    ApplyProgram p({Net("Harbor")});
    auto& f = p.form();
    f.Apply.SetEnabled(false);
    ASSERT_TRUE(Click(p, f.btOK));
    EXPECT_FALSE(f.Visible());  // nothing to apply: only hidden
    f.Show();
    f.PageControl1.SetActivePage(&f.TabSheet2);
    ASSERT_TRUE(f.rbAdHoc.UserClick());
    f.cbSSID.SetText("");
    const auto boxes = p.Boxes();
    ASSERT_TRUE(Click(p, f.btOK));
    ASSERT_EQ(p.Boxes(), boxes + 1);
    EXPECT_EQ(p.LastBox(), "Station can't start an AdHoc without an SSID.");
    EXPECT_EQ(p.pc.dialogs().Boxes().back().caption, "warning");
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.Apply.Enabled());
    EXPECT_FALSE(f.ApplyPending);
}

TEST(Apply, CancelPutsTheMasksAndStoredKeysBack) {
    ApplyProgram p({Net("Harbor")});
    auto& f = p.form();
    auto key = p.Driver();
    plat::WriteString(*key, "key0", "STORED0");
    plat::WriteString(*key, "keyLength0", "13");
    plat::WriteString(*key, "Phrase", "secret");
    f.LoadDriverSettings();
    f.ShowAppliedSettings();
    f.PageControl1.SetActivePage(&f.TabSheet3);
    f.EditFirst.SetText("12");
    f.StoredKeyText[0] = "changed";
    f.EditPass.SetText("other");
    ASSERT_TRUE(Click(p, f.btCancel));
    EXPECT_EQ(f.EditFirst.Text(), "**********");
    EXPECT_EQ(f.StoredKeyText[0], "STORED0");
    EXPECT_EQ(f.cbKey1.ItemIndex(), 1);
    EXPECT_EQ(f.EditPass.Text(), "**********");
    EXPECT_FALSE(f.Apply.Enabled());
    EXPECT_FALSE(f.Visible());
}

TEST(Apply, Windows98AsksForARebootAndReloads) {
    ApplyProgram p({Net("Harbor")}, "zn6200-win98.reg",
                   plat::OsVersion{plat::OsFamily::Win95, 4, 10});
    auto& f = p.form();
    const auto starts = p.card->Starts();
    f.cbSSID.SetText("Quay");
    const auto boxes = p.Boxes();
    ASSERT_TRUE(ApplyEdits(p));
    ASSERT_EQ(p.Boxes(), boxes + 1);
    EXPECT_EQ(
        p.LastBox(),
        "You have change the configuration.\nPlease reboot your computer to enable the change.");
    EXPECT_EQ(p.Text("ssid"), "Quay");
    EXPECT_EQ(p.card->Starts(), starts);
    EXPECT_EQ(f.cbSSID.Text(), "Quay");
    EXPECT_EQ(f.PageControl1.ActivePage(), &f.TabSheet1);
}

// NT 4's driver reads its service's Parameters key: Apply writes there, not into the network
// card's key where velmora found the card.
TEST(Apply, Nt4WritesTheServiceParametersTheDriverReads) {
    ApplyProgram p({Net("Harbor"), Other("Quay")}, "zn6200-nt4.reg",
                   plat::OsVersion{plat::OsFamily::NT, 4, 0});
    auto& f = p.form();
    ASSERT_EQ(p.velmora->adapter.AdapterKeyPath(), p.card->DriverKeyPath());
    f.cbSSID.SetText("Quay");
    ASSERT_TRUE(ApplyEdits(p));
    EXPECT_EQ(p.Text("ssid"), "Quay");
    auto cardKey = p.pc.registry().Open(std::string(adapter::kClassKeyNT4) + "\\2");
    ASSERT_TRUE(cardKey);
    for (const char* value : {"ssid", "WepEntry", "key0"}) {  // applied, and repaired at load
        EXPECT_TRUE(p.Driver()->Get(value)) << value;
        EXPECT_FALSE(cardKey->Get(value)) << value;
    }
    p.card->DeviceStopped();  // the computer restarts
    p.card->DeviceStarted();
    EXPECT_EQ(p.card->TakenParameters().ssid, "Quay");
    p.Run(8000);
    EXPECT_EQ(f.LinkSsid, "Quay");
}

TEST(Apply, ARefusedWriteEndsApplyWithTheCursorBackAndTheTimersRunning) {
    ApplyProgram p({Net("Harbor")});
    auto& f = p.form();
    p.pc.registry().RefuseValue("NetBand");
    f.cbSSID.SetText("Quay");
    const auto boxes = p.Boxes();
    EXPECT_FALSE(ApplyEdits(p));
    EXPECT_EQ(p.pc.registry().ValueRefusals(), 1u);
    ASSERT_EQ(p.Boxes(), boxes + 1);
    EXPECT_EQ(p.LastBox(), "Failed to set data for 'NetBand'");
    EXPECT_EQ(p.Text("ssid"), "Quay");  // written before
    EXPECT_EQ(f.Screen.GetCursor(), ui::Cursor::Default);
    EXPECT_TRUE(f.Apply.Enabled());
    EXPECT_TRUE(f.StatusTimer.Enabled() || f.InsertTimer.Enabled());
    p.Run(3000);
    EXPECT_EQ(f.LinkSsid, "Harbor");  // the status cycle goes on
}

TEST(Apply, ADeviceThatCannotBeDisabledStillReloadsThePages) {
    ApplyProgram p({Net("Harbor")});
    auto& f = p.form();
    const auto id = p.card->EnumInstanceId();
    p.pc.setup().SetStatus(id, {sim::kStatusStarted & ~plat::kDnDisableable, 0});
    const auto starts = p.card->Starts();
    f.cbSSID.SetText("Quay");
    const auto boxes = p.Boxes();
    ASSERT_TRUE(ApplyEdits(p));
    EXPECT_EQ(p.Boxes(), boxes);
    EXPECT_EQ(p.card->Starts(), starts);
    EXPECT_EQ(f.cbSSID.Text(), "Quay");
    EXPECT_EQ(f.PageControl1.ActivePage(), &f.TabSheet1);
    EXPECT_TRUE(f.InsertTimer.Enabled());
}

}  // namespace
