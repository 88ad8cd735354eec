// The device property page: the provider's answers, the page's list and its Apply.
#include <gtest/gtest.h>

#include "nicset/device_page.h"
#include "nicset/profile_store.h"
#include "nicset/prop_sheet.h"
#include "sim/modal.h"
#include "sim/pc.h"
#include "sim/zn6200.h"
#include "sim/zn6200_install.h"
#include "tests/contract/devices_contract.h"

namespace {

struct DevicePage : ::testing::Test {
    sim::Pc pc;
    plat::Platform platform = pc.platform();
    sim::ModalRunner modal;
    sim::Zn6200* card = sim::InstallZn6200File(pc, FixturePath("zn6200-installed.reg"));
    std::string store = card->DriverKeyPath() + "\\CustomParams\\Configurations";
    std::unique_ptr<plat::DeviceSet> set = pc.setup().PresentDevices(plat::kNetClassGuid);
    std::size_t device = 0;
    std::vector<std::unique_ptr<ui::PropertyPage>> added;
    nicset::PageAdd answer = nicset::PageAdd::added;
    int made = 0;

    void SetUp() override {
        ASSERT_TRUE(set);
        for (std::size_t i = 0; i < set->Count(); ++i)
            if (set->InstanceId(i) == card->EnumInstanceId()) device = i;
        for (int i = 0; i < 2; ++i) {
            auto k = pc.registry().Create(store + "\\Cfg" + std::to_string(i));
            plat::WriteString(*k, "ConfigurationName", i == 0 ? "Office" : "Home");
        }
        auto s = pc.registry().Open(store);
        plat::WriteString(*s, "SelectedConfigurationName", "Office");
        plat::WriteDword(*s, "SelectedConfigurationIndex", 0);
        plat::WriteDword(*s, "MajorVersion", 2);
        plat::WriteDword(*s, "MinorVersion", 0);
    }
    bool Provide(std::uint32_t code) {
        return nicset::ProvidePage(
            platform, {code, set.get(), device},
            [&](nicset::DevicePageContext c) {
                ++made;
                return std::make_unique<nicset::DevicePage>(platform, modal, c);
            },
            [&](std::unique_ptr<ui::PropertyPage>& page) {
                if (answer != nicset::PageAdd::added) return answer;
                added.push_back(std::move(page));
                return answer;
            });
    }
    std::uint32_t FlagsEx() {
        return set->ReadInstallParams(device).value_or(plat::InstallParams{}).flagsEx;
    }
    // The device manager's sheet with the added page, and a user session on it.
    void RunSheet(std::function<void(nicset::DevicePage&, ui::PropertySheet&)> session) {
        ui::PropertySheet sheet("DeviceSheet");
        sheet.AddPage(*added.back());
        auto& page = static_cast<nicset::DevicePage&>(*added.back());
        modal.ExpectSheet([&](ui::PropertySheet& s) { session(page, s); });
        modal.RunModal(sheet);
    }
};

TEST_F(DevicePage, ProviderAddsThePageOnlyForTheAdvancedProperties) {
    EXPECT_TRUE(Provide(1));
    EXPECT_EQ(made, 0);
    EXPECT_EQ(nicset::PageState().records.size(), 2u);  // loaded all the same
    EXPECT_TRUE(Provide(3));
    ASSERT_EQ(added.size(), 1u);
    EXPECT_TRUE(pc.dialogs().Boxes().empty());
    // A host that refuses the page, and a sheet that cannot create its handle, say different
    // things.
    for (auto [answer_, text] :
         {std::pair{nicset::PageAdd::refused, "Cannot add custom property page."},
          std::pair{nicset::PageAdd::notCreated, "Cannot create custom page"}}) {
        answer = answer_;
        pc.dialogs().Clear();
        EXPECT_FALSE(Provide(3));
        ASSERT_EQ(pc.dialogs().Boxes().size(), 1u) << text;
        EXPECT_EQ(pc.dialogs().Boxes()[0].text, text);
        EXPECT_EQ(pc.dialogs().Boxes()[0].caption, "Network Configuration Settings");
    }
    EXPECT_EQ(added.size(), 1u);
}

TEST_F(DevicePage, ApplyRestartsTheDeviceOnlyWhenTheSelectionOrARecordChanged) {
    ASSERT_TRUE(Provide(3));
    RunSheet([](nicset::DevicePage& p, ui::PropertySheet& s) {
        EXPECT_EQ(p.lbConfigurations.Items(), (std::vector<std::string>{"Home", "Office"}));
        EXPECT_EQ(p.edSelected.Text(), "Office");
        EXPECT_TRUE(p.btModify.Enabled());
        s.UserOK();
    });
    EXPECT_EQ(FlagsEx() & plat::kDiFlagsExPropChangePending, 0u);
    EXPECT_TRUE(nicset::PageState().records.empty());
    ASSERT_TRUE(Provide(3));
    RunSheet([](nicset::DevicePage& p, ui::PropertySheet& s) {
        ASSERT_TRUE(p.lbConfigurations.UserSelect(0));
        EXPECT_EQ(p.edSelected.Text(), "Home");
        s.UserOK();
    });
    EXPECT_NE(FlagsEx() & plat::kDiFlagsExPropChangePending, 0u);
    auto s = pc.registry().Open(store);
    EXPECT_EQ(plat::ReadString(*s, "SelectedConfigurationName"), "Home");
}

TEST_F(DevicePage, WithoutTheDriverKeyTheListIsEmptyAndNothingIsWritten) {
    pc.registry().DeleteTree(card->DriverKeyPath());
    ASSERT_TRUE(Provide(3));
    ASSERT_EQ(pc.dialogs().Boxes().size(), 1u);
    EXPECT_EQ(pc.dialogs().Boxes()[0].text, "Unable to open the registry key for this device.");
    const auto writes = pc.registry().WriteCount();
    RunSheet([](nicset::DevicePage& p, ui::PropertySheet& s) {
        EXPECT_EQ(p.lbConfigurations.Count(), 0);
        EXPECT_FALSE(p.btDelete.Enabled());
        EXPECT_TRUE(p.btNew.Enabled());
        s.UserOK();
    });
    EXPECT_EQ(pc.registry().WriteCount(), writes);
}

TEST_F(DevicePage, ModifyTakesThePagesOverEvenWhenAnotherPageReloadedTheProfiles) {
    ASSERT_TRUE(Provide(3));
    RunSheet([&](nicset::DevicePage& p, ui::PropertySheet& s) {
        ASSERT_TRUE(p.lbConfigurations.UserSelect(p.lbConfigurations.IndexOf("Office")));
        // The device manager shows the card's properties again while the profile is edited:
        // the second page loads the profiles anew, which now stand in the other order.
        modal.ExpectSheet([&](ui::PropertySheet& profile) {
            for (int i = 0; i < 2; ++i)
                plat::WriteString(*pc.registry().Open(store + "\\Cfg" + std::to_string(i)),
                                  "ConfigurationName", i == 0 ? "Home" : "Office");
            ASSERT_TRUE(Provide(3));
            ASSERT_EQ(nicset::FindRecord(nicset::PageState().records, "Office"), 1u);
            auto& general = static_cast<nicset::CVHlpPropSheet&>(profile).general;
            ASSERT_TRUE(general.edNetworkName.UserClearText());
            ASSERT_TRUE(general.edNetworkName.UserType("Quay"));
            profile.UserOK();
        });
        ASSERT_TRUE(p.btModify.UserClick());
        s.UserCancel();
    });
    const auto& records = nicset::PageState().records;
    const auto office = nicset::FindRecord(records, "Office");
    const auto home = nicset::FindRecord(records, "Home");
    ASSERT_TRUE(office && home);
    EXPECT_EQ(records[*office].networkName, "Quay");
    EXPECT_NE(records[*home].networkName, "Quay");
}

}  // namespace
