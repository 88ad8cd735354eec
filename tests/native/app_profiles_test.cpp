// Profiles on the Configuration page: Save, Delete, picking one, and the list builds.
#include <gtest/gtest.h>

#include "apply_program.h"
#include "config/stored_key.h"

namespace {

struct Profiles : ::testing::Test {
    ApplyProgram p{{Net("Harbor")}};
    app::TForm1& f = p.form();

    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int i = 0;; ++i) {
            auto k = p.pc.registry().Open(p.Profile(i));
            if (!k) return names;
            names.push_back(plat::ReadString(*k, "ConfigurationName").value_or("<none>"));
        }
    }
    std::string ProfileText(int i, std::string_view name) {
        return plat::ReadString(*p.pc.registry().Open(p.Profile(i)), name).value_or("<missing>");
    }
    std::uint32_t ProfileNumber(int i, std::string_view name) {
        return plat::ReadDword(*p.pc.registry().Open(p.Profile(i)), name).value_or(999);
    }
    void SaveAs(std::string_view name) {
        f.cbProFile.SetText(name);
        ASSERT_TRUE(f.Button4.UserClick());
    }
    std::vector<std::string> Items() {
        std::vector<std::string> items;
        for (int i = 0; i < f.cbProFile.Count(); ++i) items.push_back(f.cbProFile.Item(i));
        return items;
    }
};

TEST_F(Profiles, SaveCreatesByExactNameAndOverwritesTheSame) {
    f.cbSSID.SetText("Harbor");
    SaveAs("Home");
    SaveAs("home");  // another name: another profile
    SaveAs("");
    f.cbSSID.SetText("Quay");
    SaveAs("");  // the empty name is a name: overwritten
    EXPECT_EQ(Names(), (std::vector<std::string>{"Home", "home", ""}));
    EXPECT_EQ(Items(), Names());
    EXPECT_EQ(f.cbProFile.ItemIndex(), 2);
    EXPECT_EQ(ProfileText(0, "NetworkName"), "Harbor");
    EXPECT_EQ(ProfileText(2, "NetworkName"), "Quay");
    // A profile made here carries the values it has no control for.
    EXPECT_EQ(ProfileNumber(0, "EncryptionAlg"), 2u);
    EXPECT_EQ(ProfileNumber(0, "scanType"), 2u);
    EXPECT_EQ(ProfileText(0, "MacAddress"), "");
    EXPECT_EQ(ProfileNumber(0, "UniqueKeyLength"), 40u);
    // Save touches neither the driver key's settings nor the selected profile.
    EXPECT_EQ(p.Text("ssid"), "");
    EXPECT_FALSE(plat::ValueExists(*p.pc.registry().Open(p.Store()), "SelectedConfigurationName"));
}

TEST_F(Profiles, SaveKeepsMaskedKeysAndEnciphersTypedOnes) {
    p.WriteProfile(0, "Office", "Quay");
    plat::WriteString(*p.pc.registry().Open(p.Profile(0)), "SharedKey2", "SENTINEL");
    plat::WriteString(*p.pc.registry().Open(p.Profile(0)), "Other", "kept");
    f.RebuildProfileList();
    ASSERT_TRUE(f.cbProFile.UserSelect(0));
    EXPECT_EQ(f.EditSecond.Text(), "**********");
    f.chWEPEncryption.SetChecked(true);
    f.rbManu.SetChecked(true);
    f.EditFirst.SetText("0a1b2c3d4e");
    SaveAs("Office");
    const std::string id = p.Text("CardCfgId");
    EXPECT_EQ(ProfileText(0, "SharedKey1"), config::EncodeStoredKey("0A1B2C3D4E", id));
    EXPECT_EQ(ProfileText(0, "SharedKey2"), "SENTINEL");
    EXPECT_EQ(ProfileText(0, "SharedKey3"), "");
    EXPECT_EQ(ProfileNumber(0, "EnableSecurity"), 1u);
    EXPECT_EQ(ProfileText(0, "Other"), "kept");
    EXPECT_FALSE(plat::ValueExists(*p.pc.registry().Open(p.Profile(0)), "EncryptionAlg"));
}

TEST_F(Profiles, SaveValidatesFirstAndWritesNothingOnFailure) {
    f.chWEPEncryption.SetChecked(true);
    f.rbManu.SetChecked(true);
    f.rbKey1.SetChecked(true);
    f.EditFirst.SetText("0123");
    const auto writes = p.pc.registry().WriteCount();
    const auto boxes = p.Boxes();
    SaveAs("Home");
    EXPECT_EQ(p.Boxes(), boxes + 1);
    EXPECT_EQ(p.LastBox(), "Invalid length.\n\nPlease type in a 10 digit Hex number.");
    EXPECT_EQ(p.pc.registry().WriteCount(), writes);
}

TEST_F(Profiles, DeleteRenumbersLaterProfilesAndLoadsTheNeighbour) {
    for (int i = 0; i < 4; ++i)
        p.WriteProfile(i, "P" + std::to_string(i), "Net" + std::to_string(i));
    plat::WriteDword(*p.pc.registry().Open(p.Profile(0)), "PowerManagement", 2);
    plat::WriteString(*p.pc.registry().Open(p.Profile(3)), "Marker", "three");
    f.RebuildProfileList();
    ASSERT_TRUE(f.cbProFile.UserSelect(1));
    ASSERT_TRUE(f.Button5.UserClick());
    EXPECT_EQ(Names(), (std::vector<std::string>{"P0", "P2", "P3"}));
    EXPECT_EQ(ProfileText(2, "Marker"), "three");  // moved with all its values
    EXPECT_EQ(Items(), Names());
    EXPECT_EQ(f.cbProFile.ItemIndex(), 0);
    EXPECT_EQ(f.cbPowerSaving.ItemIndex(), 2);  // P0 loaded
    EXPECT_TRUE(f.Button5.Enabled());
}

TEST_F(Profiles, DeleteOfATypedNameKeepsTheListAlignedWithTheStore) {
    for (int i = 0; i < 3; ++i) p.WriteProfile(i, "P" + std::to_string(i), "Net");
    f.RebuildProfileList();
    ASSERT_TRUE(f.cbProFile.UserSelect(0));
    f.cbProFile.SetText("P2");  // typed, while item 0 was picked
    ASSERT_TRUE(f.Button5.UserClick());
    EXPECT_EQ(Names(), (std::vector<std::string>{"P0", "P1"}));
    EXPECT_EQ(Items(), Names());
    EXPECT_EQ(f.cbProFile.Text(), "P1");
}

TEST_F(Profiles, DeletingTheOnlyProfileDisablesDeleteUntilTheNextSave) {
    SaveAs("Only");
    ASSERT_TRUE(f.Button5.UserClick());
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(f.cbProFile.Count(), 0);
    EXPECT_FALSE(f.Button5.Enabled());
    SaveAs("Again");
    EXPECT_TRUE(f.Button5.Enabled());
}

TEST_F(Profiles, PickingAProfileOfTheOtherProgramRepairsIt) {
    p.WriteProfile(0, "Cell", "Dock", 0);
    plat::WriteDword(*p.pc.registry().Open(p.Profile(0)), "NetBand", 7);
    f.RebuildProfileList();
    f.Apply.SetEnabled(false);
    ASSERT_TRUE(f.cbProFile.UserSelect(0));
    EXPECT_EQ(ProfileText(0, "clistpro"), "");
    EXPECT_EQ(ProfileNumber(0, "PassLength"), 40u);
    EXPECT_EQ(ProfileText(0, "Phrase"), "");
    EXPECT_EQ(ProfileNumber(0, "WepEntry"), 1u);
    EXPECT_TRUE(f.rbAdHoc.Checked());
    EXPECT_EQ(f.cbSSID.Text(), "Dock");
    EXPECT_EQ(f.cbRadioBand.ItemIndex(), 0);  // an unknown band shows Auto
    EXPECT_EQ(f.cbTxPower.ItemIndex(), 2);
    EXPECT_EQ(f.cbKey4.ItemIndex(), 2);
    EXPECT_EQ(f.EditFourth.MaxLength(), 32);
    EXPECT_EQ(f.cbChannel.Count(), 12);  // the fixed 2.4 GHz list
    EXPECT_TRUE(f.rbManu.Checked());
    EXPECT_TRUE(f.Apply.Enabled());
}

TEST_F(Profiles, AChannelBeyondTheFixedListLeavesNoSelection) {
    p.card->SetDomain(0x30);
    p.WriteProfile(0, "Cell", "Dock", 0);
    plat::WriteString(*p.pc.registry().Open(p.Profile(0)), "clistpro", "b2472");
    f.RebuildProfileList();
    ASSERT_TRUE(f.cbProFile.UserSelect(0));
    EXPECT_EQ(f.cbChannel.Count(), 12);
    EXPECT_EQ(f.cbChannel.ItemIndex(), -1);
}

TEST_F(Profiles, AMissingNumberStopsTheLoadAfterWhatWasShown) {
    p.WriteProfile(0, "Broken", "Quay");
    p.pc.registry().Open(p.Profile(0))->DeleteValue("tpc");
    f.RebuildProfileList();
    f.cbTurbo.SetItemIndex(1);
    f.cbSSID.SetText("SENTINEL");
    const auto boxes = p.Boxes();
    // As from a window procedure: through the program's boundary.
    EXPECT_FALSE(p.velmora->boundary.Run([&] { f.cbProFile.UserSelect(0); }));
    ASSERT_EQ(p.Boxes(), boxes + 1);
    EXPECT_EQ(p.LastBox(), "Failed to get data for 'tpc'");
    EXPECT_EQ(f.cbTurbo.ItemIndex(), 0);     // read before tpc
    EXPECT_EQ(f.cbSSID.Text(), "SENTINEL");  // read after it
}

TEST_F(Profiles, AnItemNeverLoadsAnotherProfileThanItNames) {
    // No subkey 0: the list keeps an item for it, so "Office" stays on its own subkey.
    p.WriteProfile(1, "Office", "Quay");
    p.WriteProfile(2, "Spare", "Harbor");
    f.LoadDriverSettings();
    EXPECT_EQ(Items(), (std::vector<std::string>{"", "Office"}));
    ASSERT_TRUE(f.cbProFile.UserSelect(1));
    EXPECT_EQ(f.cbSSID.Text(), "Quay");
    f.cbSSID.SetText("SENTINEL");
    ASSERT_TRUE(f.cbProFile.UserSelect(0));  // its subkey does not open: nothing loads
    EXPECT_EQ(f.cbSSID.Text(), "SENTINEL");
}

}  // namespace
