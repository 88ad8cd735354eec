// Both deliverables on one simulated PC: velmora, and the library opened by the control panel
// and by the device manager. They meet only in the registry.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "apply_program.h"
#include "config/stored_key.h"
#include "nicset/applet.h"
#include "nicset/device_page.h"
#include "nicset/nic_cfg_dlg.h"
#include "nicset/strings.h"
#include "sim/control_panel.h"
#include "sim/modal.h"

namespace {

struct Machine {
    const char* name;
    const char* fixture;
    std::optional<plat::OsVersion> os;
};
void PrintTo(const Machine& m, std::ostream* out) {
    *out << m.name;
}
const Machine kXp{"Xp", "zn6200-installed.reg", std::nullopt};
const Machine kNt4{"Nt4", "zn6200-nt4.reg", plat::OsVersion{plat::OsFamily::NT, 4, 0}};

struct HostsOn {
    explicit HostsOn(const Machine& machine)
        : velmora({Net("Harbor")}, machine.fixture, machine.os) {
        app.InitInstance([this]() -> std::unique_ptr<nicset::AppletWindow> {
            return std::make_unique<nicset::CVNicCfgDlg>(host, modal);
        });
        EXPECT_TRUE(panel.Load([this](std::uintptr_t h, std::uint32_t m, std::intptr_t a,
                                      std::intptr_t b) { return app.OnCplMsg(h, m, a, b); }));
    }
    // As the computer restarting does: the driver reads its key afresh.
    void RestartDriver() {
        velmora.card->DeviceStopped();
        velmora.card->DeviceStarted();
    }

    ApplyProgram velmora;
    sim::ModalRunner modal;
    nicset::Host host{velmora.platform};
    nicset::CControlPanelApp app{{[](int id) { return std::string(nicset::StringText(id)); },
                                  [](int) -> void* { return nullptr; }, &modal, "nicset01.dll"}};
    sim::ControlPanel panel;
};

struct Hosts : ::testing::Test, HostsOn {
    Hosts() : HostsOn(kXp) {}
};

// What both programs share must meet on every NT, NT 4's service Parameters key included.
struct HostsOnEveryNt : ::testing::TestWithParam<Machine>, HostsOn {
    HostsOnEveryNt() : HostsOn(GetParam()) {}
};
INSTANTIATE_TEST_SUITE_P(Pcs, HostsOnEveryNt, ::testing::Values(kXp, kNt4),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_P(HostsOnEveryNt, TheControlPanelSeesTheAppletAndListsWhatVelmoraSaved) {
    ASSERT_EQ(panel.Applets().size(), 1u);
    EXPECT_EQ(panel.Applets()[0].name, "Corvane NIC Configuration");
    EXPECT_EQ(panel.Applets()[0].info, "Configures Corvane NIC");
    auto& f = velmora.form();
    f.cbSSID.SetText("Quay");
    f.cbProFile.SetText("Office");
    ASSERT_TRUE(f.Button4.UserClick());
    std::string details;
    modal.ExpectDialog([&](ui::Dialog& d) {
        auto* list = dynamic_cast<ui::ListBox*>(d.FindComponent("lbConfigurations"));
        ASSERT_TRUE(list);
        EXPECT_EQ(list->Items(), (std::vector<std::string>{"Office"}));
        details = d.FindComponentAs<ui::StaticText>("stDetails")->Caption();
        d.UserCancel();
    });
    EXPECT_EQ(panel.Open(0), 0);
    EXPECT_EQ(details.substr(0, 26), "Network Name (SSID):\tQuay\n");
    panel.Unload();
    EXPECT_EQ(panel.Messages(),
              (std::vector<std::uint32_t>{1, 2, 3, 8, 5, 6, 7}));  // init .. exit, as Windows
}

TEST_P(HostsOnEveryNt, AProfileSavedByTheAppletLoadsInVelmoraWithItsRepairs) {
    velmora.pc.dialogs().QueueAnswer(plat::kIdNo);  // no computer restart
    modal.ExpectDialog([](ui::Dialog& d) {
        d.FindComponentAs<ui::Button>("btNew")->UserClick();
        d.UserOK();
    });
    modal.ExpectSheet([](ui::PropertySheet& s) {
        auto& sheet = static_cast<nicset::CVHlpPropSheet&>(s);
        sheet.general.edName.UserType("Cafe");
        sheet.general.edNetworkName.UserType("Latte");
        s.UserOK();
    });
    panel.Open(0);
    auto& f = velmora.form();
    f.RebuildProfileList();
    ASSERT_EQ(f.cbProFile.Count(), 1);
    ASSERT_TRUE(f.cbProFile.UserSelect(0));
    EXPECT_EQ(f.cbSSID.Text(), "Latte");
    auto k = velmora.pc.registry().Open(velmora.Profile(0));
    EXPECT_EQ(plat::ReadDword(*k, "PassLength"), 40u);
    EXPECT_EQ(plat::ReadDword(*k, "WepEntry"), 1u);
    EXPECT_EQ(plat::ReadString(*k, "Phrase"), "");
    RestartDriver();  // the applet wrote the driver values where the driver reads them
    EXPECT_EQ(velmora.card->TakenParameters().ssid, "Latte");
}

// New in the applet, OK, Yes to the restart: the driver joins the WEP network with the profile's
// default key and address, velmora shows the profile, and the keys are stored as velmora would.
TEST_F(Hosts, AProfileMadeInTheAppletIsWhatTheDriverUsesAndVelmoraShows) {
    const std::string first = "0A1B2C3D4E", second = "00112233445566778899AABBCC";
    auto pier = Net("Pier", 1);
    pier.bssid[5] = 0x08;
    pier.key = second;  // joined only with the second key as the default
    sim::WriteRadioNetwork(velmora.pc.registry(), "1", pier);
    auto& f = velmora.form();
    ASSERT_NE(f.cbSSID.Text(), "Pier");
    const auto starts = velmora.card->Starts();

    velmora.pc.dialogs().QueueAnswer(plat::kIdYes);  // restart the computer
    modal.ExpectDialog([](ui::Dialog& d) {
        d.FindComponentAs<ui::Button>("btNew")->UserClick();
        d.UserOK();
    });
    bool sheetClosed = false;
    modal.ExpectSheet([&](ui::PropertySheet& s) {
        auto& sheet = static_cast<nicset::CVHlpPropSheet&>(s);
        auto& g = sheet.general;
        g.edName.UserType("Pier");
        g.edNetworkName.UserType("Pier");
        g.chAddress.UserClick();
        g.edAddress.UserType("02aabbccddee");
        ASSERT_TRUE(s.UserSelectPage(1));
        auto& sec = sheet.security;
        sec.chSecurity.UserClick();
        sec.edFirst.UserType(first);
        sec.cbSecondSize.UserSelect(1);
        sec.edSecond.UserType(second);
        sec.cbDefaultKey.UserDropDown();
        ASSERT_TRUE(sec.cbDefaultKey.UserSelectText("Second"));
        sheetClosed = s.UserOK();
    });
    EXPECT_EQ(panel.Open(0), 0);
    ASSERT_TRUE(sheetClosed);
    ASSERT_EQ(velmora.pc.system().Restarts().size(), 1u);

    EXPECT_EQ(velmora.card->Starts(), starts + 1);
    EXPECT_EQ(velmora.card->TakenKey(), second);
    EXPECT_EQ(velmora.card->TakenParameters().networkAddress, "02AABBCCDDEE");
    velmora.Run(8000);  // velmora finds the restarted card again; the driver joins
    auto joined = velmora.card->Joined();
    ASSERT_TRUE(joined);
    EXPECT_EQ(joined->ssid, "Pier");

    EXPECT_EQ(f.cbProFile.Text(), "Pier");
    EXPECT_EQ(f.cbSSID.Text(), "Pier");
    EXPECT_TRUE(f.chWEPEncryption.Checked());
    EXPECT_TRUE(f.rbKey2.Checked());
    EXPECT_EQ(f.cbKey2.Text(), "128 bits");
    const std::string id = velmora.Text("CardCfgId");
    const std::string stored[] = {config::EncodeStoredKey(first, id),
                                  config::EncodeStoredKey(second, id)};
    auto profile = velmora.pc.registry().Open(velmora.Profile(0));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(f.StoredKeyText[i], stored[i]) << i;
        EXPECT_EQ(plat::ReadString(*profile, "SharedKey" + std::to_string(i + 1)), stored[i]);
        EXPECT_EQ(velmora.Text("key" + std::to_string(i)), stored[i]);
    }
}

TEST_F(Hosts, TheDeviceManagerRestartsTheDeviceAfterThePageAsksForIt) {
    for (int i = 0; i < 2; ++i) {
        auto k = velmora.pc.registry().Create(velmora.Profile(i));
        plat::WriteString(*k, "ConfigurationName", i == 0 ? "Office" : "Home");
    }
    auto set = velmora.pc.setup().PresentDevices(plat::kNetClassGuid);
    ASSERT_TRUE(set);
    std::size_t device = 0;
    for (std::size_t i = 0; i < set->Count(); ++i)
        if (set->InstanceId(i) == velmora.card->EnumInstanceId()) device = i;
    sim::DeviceManager manager(modal);
    sim::PageProvider provider = [&](std::uint32_t code, plat::DeviceSet& s, std::size_t d,
                                     const sim::AddPage& add) {
        return nicset::ProvidePage(
            host, {code, &s, d},
            [&](nicset::DevicePageContext c) {
                return std::make_unique<nicset::DevicePage>(host, modal, c);
            },
            [&add](std::unique_ptr<ui::PropertyPage>& p) {
                return add(p) ? nicset::PageAdd::added : nicset::PageAdd::refused;
            });
    };
    modal.ExpectSheet([](ui::PropertySheet& s) {
        auto& page = static_cast<nicset::DevicePage&>(*s.Page(0));
        page.lbConfigurations.UserSelect(0);
        s.UserOK();
    });
    const auto starts = velmora.card->Starts();
    EXPECT_TRUE(manager.ShowProperties(provider, *set, device));
    EXPECT_EQ(manager.Restarts(), 1);  // a store without versions always asks
    EXPECT_EQ(velmora.card->Starts(), starts + 1);
    manager.SetRefusePages(true);
    EXPECT_FALSE(manager.ShowProperties(provider, *set, device));
    EXPECT_EQ(velmora.pc.dialogs().Boxes().back().text, "Cannot add custom property page.");
}

}  // namespace
