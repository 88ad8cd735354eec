// The applet's NIC configuration dialog on the simulated PC: the list, New, Modify, Delete, OK.
#include <gtest/gtest.h>

#include "nicset/nic_cfg_dlg.h"
#include "nicset/profile_store.h"
#include "sim/modal.h"
#include "sim/pc.h"
#include "sim/zn6200.h"
#include "sim/zn6200_install.h"
#include "tests/contract/devices_contract.h"

namespace {

struct NicCfg : ::testing::Test {
    sim::Pc pc;
    plat::Platform platform = pc.platform();
    sim::ModalRunner modal;
    sim::Zn6200* card = sim::InstallZn6200File(pc, FixturePath("zn6200-installed.reg"));
    std::string store = card->DriverKeyPath() + "\\CustomParams\\Configurations";

    void SetUp() override {
        const char* names[] = {"Office", "Home"};
        for (int i = 0; i < 2; ++i) {
            auto k = pc.registry().Create(store + "\\Cfg" + std::to_string(i));
            plat::WriteString(*k, "ConfigurationName", names[i]);
            plat::WriteString(*k, "NetworkName", i == 0 ? "Quay" : "");
            plat::WriteDword(*k, "PowerManagement", 1);
        }
        auto s = pc.registry().Open(store);
        plat::WriteString(*s, "SelectedConfigurationName", "Office");
        plat::WriteDword(*s, "SelectedConfigurationIndex", 0);
    }
    // Runs the dialog with one user session.
    int Run(std::function<void(nicset::CVNicCfgDlg&)> session) {
        nicset::CVNicCfgDlg dlg(platform, modal);
        modal.ExpectDialog([&](ui::Dialog&) { session(dlg); });
        return modal.RunModal(dlg.dialog);
    }
    std::vector<std::string> Items(const ui::ListBox& l) { return l.Items(); }
};

TEST_F(NicCfg, ListsTheAdaptersProfilesSortedWithTheStoredSelection) {
    Run([&](nicset::CVNicCfgDlg& d) {
        EXPECT_EQ(d.cbNetworkCard.Count(), 1);
        EXPECT_EQ(Items(d.lbConfigurations), (std::vector<std::string>{"Home", "Office"}));
        EXPECT_EQ(d.lbConfigurations.ItemIndex(), 1);
        EXPECT_EQ(d.edSelected.Text(), "Office");
        EXPECT_EQ(d.stDetails.Caption(),
                  "Network Name (SSID):\tQuay\nNetwork Connection: \tAP (Infrastructure)\n"
                  "Power Saving:\t\tNormal\nLocally Admin. Address:\tNot Used\n"
                  "Data Security: \t\tDisabled\n");
        EXPECT_TRUE(d.btNew.Enabled() && d.btModify.Enabled() && d.btDelete.Enabled());
        ASSERT_TRUE(d.lbConfigurations.UserSelect(0));
        EXPECT_EQ(d.stDetails.Caption().substr(0, 29), "Network Name (SSID):\t<empty>\n");
    });
}

TEST_F(NicCfg, NewModifyAndDeleteCarryWholeRecordsAndOkSavesThem) {
    pc.dialogs().QueueAnswer(plat::kIdNo);  // no restart now
    modal.ExpectSheet([](ui::PropertySheet& s) {
        auto& sheet = static_cast<nicset::CVHlpPropSheet&>(s);
        EXPECT_EQ(sheet.general.fields.allNames, (std::vector<std::string>{"Office", "Home"}));
        sheet.general.edName.UserType("Cafe");
        sheet.general.edNetworkName.UserType("Latte");
        sheet.security.fields.securityOn = 1;
        sheet.security.fields.defaultKey = 2;
        sheet.advanced.fields.turbo = 1;
        s.UserOK();
    });
    modal.ExpectSheet([](ui::PropertySheet& s) {
        auto& sheet = static_cast<nicset::CVHlpPropSheet&>(s);
        EXPECT_EQ(sheet.general.fields.startingName, "Cafe");
        EXPECT_EQ(sheet.security.fields.defaultKey, 2);
        sheet.general.edName.UserClearText();
        sheet.general.edName.UserType("Bar");
        s.UserOK();
    });
    const int result = Run([&](nicset::CVNicCfgDlg& d) {
        ASSERT_TRUE(d.btNew.UserClick());
        EXPECT_EQ(Items(d.lbConfigurations), (std::vector<std::string>{"Cafe", "Home", "Office"}));
        EXPECT_EQ(d.edSelected.Text(), "Cafe");
        EXPECT_NE(d.stDetails.Caption().find("Default Encryption Key:\tShared Key - Second"),
                  std::string::npos);
        ASSERT_TRUE(d.btModify.UserClick());
        EXPECT_EQ(Items(d.lbConfigurations), (std::vector<std::string>{"Bar", "Home", "Office"}));
        EXPECT_EQ(d.edSelected.Text(), "Bar");
        // Delete the first of several: the new first is selected.
        ASSERT_TRUE(d.lbConfigurations.UserSelect(1));
        ASSERT_TRUE(d.btDelete.UserClick());
        EXPECT_EQ(Items(d.lbConfigurations), (std::vector<std::string>{"Bar", "Office"}));
        EXPECT_EQ(d.lbConfigurations.ItemIndex(), 0);
        d.dialog.UserOK();
    });
    EXPECT_EQ(result, ui::kResultOk);
    auto loaded = nicset::LoadProfiles(pc.registry(), card->DriverKeyPath());
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->records.size(), 2u);
    EXPECT_EQ(loaded->records[0].name, "Office");
    EXPECT_EQ(loaded->records[1].name, "Bar");
    EXPECT_EQ(loaded->records[1].networkName, "Latte");
    EXPECT_EQ(loaded->records[1].turbo, 1);
    EXPECT_EQ(loaded->selectedName, "Bar");
    EXPECT_EQ(loaded->selectedIndex, 1);
    // The selection changed: the restart question was asked (and answered No).
    ASSERT_FALSE(pc.dialogs().Boxes().empty());
    EXPECT_EQ(pc.dialogs().Boxes().back().text.substr(0, 20), "You must restart you");
}

TEST_F(NicCfg, CancelWritesNothingAndAStoreAtVersionTwoUnchangedAsksNothing) {
    auto s = pc.registry().Open(store);
    plat::WriteDword(*s, "MajorVersion", 2);
    plat::WriteDword(*s, "MinorVersion", 0);
    const auto writes = pc.registry().WriteCount();
    Run([](nicset::CVNicCfgDlg& d) { d.dialog.UserCancel(); });
    EXPECT_EQ(pc.registry().WriteCount(), writes);
    Run([](nicset::CVNicCfgDlg& d) { d.dialog.UserOK(); });
    EXPECT_TRUE(pc.dialogs().Boxes().empty());
}

}  // namespace
