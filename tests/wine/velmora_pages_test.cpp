// velmora's Configuration and Security pages in real windows: the program on a simulated PC,
// its window made by the binding and driven by the messages Windows sends.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/velmora.h"
#include "sim/pc.h"
#include "sim/zn6200.h"
#include "sim/zn6200_install.h"
#include "tests/contract/devices_contract.h"
#include "win32/binding.h"
#include "win32/loop.h"

namespace {

std::string Text(HWND h) {
    char buf[256] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

struct Pages {
    sim::Pc pc;
    win32::Loop loop;
    // The simulated PC's seams with the real message loop.
    plat::Platform sim = pc.platform();
    plat::Platform platform{sim.registry, sim.setup, sim.services, sim.packet, sim.shell,
                            sim.dialogs,  sim.files, sim.uuids,    sim.system, loop};
    app::Velmora program{platform};
    app::TForm1& f = program.form;
    win32::Binding binding;

    Pages() {
        binding.SetBoundary(&program.boundary);
        EXPECT_TRUE(binding.CreateFormWindow(f));
        f.Show();
    }
    HWND W(const ui::Component& c) const { return binding.WindowOf(c); }
    void Click(const ui::Control& c) { SendMessageA(W(c), BM_CLICK, 0, 0); }
    void Type(const ui::Control& c, std::string_view text) {
        for (char ch : text) SendMessageA(W(c), WM_CHAR, static_cast<unsigned char>(ch), 0);
    }
    void Pick(const ui::ComboBox& c, int index) {
        HWND h = W(c);
        SendMessageA(h, CB_SETCURSEL, index, 0);
        SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(h));
    }
};

TEST(VelmoraPages, SecurityKeysTypedAndMadeFromAPassphrase) {
    Pages p;
    p.f.PageControl1.SetActivePage(&p.f.TabSheet3);
    EXPECT_FALSE(IsWindowEnabled(p.W(p.f.EditFirst)));
    p.Click(p.f.chWEPEncryption);
    p.Click(p.f.rbManu);
    ASSERT_TRUE(p.f.chWEPEncryption.Checked());
    EXPECT_TRUE(IsWindowEnabled(p.W(p.f.EditFirst)));
    EXPECT_FALSE(IsWindowEnabled(p.W(p.f.EditPass)));
    p.Type(p.f.EditFirst, "0a1Zb:2c3d4e5f");
    EXPECT_EQ(Text(p.W(p.f.EditFirst)), "0a1b2c3d4e");  // hex only, ten digits at 64 bits
    EXPECT_TRUE(IsWindowEnabled(p.W(p.f.Apply)));
    p.f.EditSecond.SetText("0123456789ABCDEF0123456789");
    p.Pick(p.f.cbKey2, 0);
    EXPECT_EQ(Text(p.W(p.f.EditSecond)), "0123456789");
    p.Click(p.f.rbPass);
    p.Type(p.f.EditPass, "harbor");
    EXPECT_EQ(Text(p.W(p.f.EditFirst)), "F3C9AB8855");
    EXPECT_EQ(Text(p.W(p.f.EditFourth)), "F34740E8E6");
    EXPECT_FALSE(IsWindowEnabled(p.W(p.f.EditFirst)));
    EXPECT_EQ(p.program.boundary.Errors(), 0u);
}

TEST(VelmoraPages, ConfigurationModeAndBandRules) {
    Pages p;
    p.f.PageControl1.SetActivePage(&p.f.TabSheet2);
    p.Click(p.f.rbInfra);
    EXPECT_FALSE(IsWindowEnabled(p.W(p.f.cbChannel)));
    p.Click(p.f.rbAdHoc);
    EXPECT_TRUE(p.f.rbAdHoc.Checked());
    EXPECT_FALSE(p.f.rbInfra.Checked());
    EXPECT_TRUE(IsWindowEnabled(p.W(p.f.cbChannel)));
    EXPECT_FALSE(IsWindowEnabled(p.W(p.f.cbPowerSaving)));
    p.Pick(p.f.cbRadioBand, 1);
    EXPECT_EQ(SendMessageA(p.W(p.f.cbAdHoc), CB_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(IsWindowEnabled(p.W(p.f.cbTurbo)));
    p.Click(p.f.rbInfra);
    EXPECT_TRUE(IsWindowEnabled(p.W(p.f.cbPowerSaving)));
    p.f.Apply.SetEnabled(false);
    // Typing into the network name's edit, as the keyboard does.
    HWND edit = FindWindowExA(p.W(p.f.cbSSID), nullptr, "Edit", nullptr);
    ASSERT_TRUE(edit);
    for (char ch : std::string("Quay")) SendMessageA(edit, WM_CHAR, ch, 0);
    EXPECT_EQ(p.f.cbSSID.Text(), "Quay");
    EXPECT_TRUE(IsWindowEnabled(p.W(p.f.Apply)));
    // Through the message loop, as keys from the keyboard arrive.
    p.f.Apply.SetEnabled(false);
    SetFocus(edit);
    for (char ch : std::string("side")) PostMessageA(edit, WM_CHAR, ch, 0);
    p.loop.ProcessMessages();
    EXPECT_EQ(p.f.cbSSID.Text(), "Quayside");
    EXPECT_TRUE(IsWindowEnabled(p.W(p.f.Apply)));
    EXPECT_FALSE(IsWindowEnabled(p.W(p.f.cbChannel)));
    EXPECT_TRUE(IsWindowEnabled(p.W(p.f.Apply)));
}

TEST(VelmoraPages, ApplyFromItsButtonWritesTheDriverAndRestartsIt) {
    Pages p;
    sim::Zn6200* card = sim::InstallZn6200File(p.pc, FixturePath("zn6200-installed.reg"));
    ASSERT_TRUE(card);
    ASSERT_TRUE(p.f.adapter.FindAdapter());
    p.f.LoadDriverSettings();
    p.f.ShowAppliedSettings();
    const auto starts = card->Starts();
    p.f.PageControl1.SetActivePage(&p.f.TabSheet2);
    HWND edit = FindWindowExA(p.W(p.f.cbSSID), nullptr, "Edit", nullptr);
    ASSERT_TRUE(edit);
    for (char ch : std::string("Quay")) SendMessageA(edit, WM_CHAR, ch, 0);
    p.Click(p.f.Apply);
    EXPECT_EQ(plat::ReadString(*p.pc.registry().Open(card->DriverKeyPath()), "ssid"), "Quay");
    EXPECT_EQ(card->Starts(), starts + 1);
    EXPECT_FALSE(IsWindowEnabled(p.W(p.f.Apply)));
    EXPECT_EQ(p.f.PageControl1.ActivePage(), &p.f.TabSheet1);
    EXPECT_EQ(p.program.boundary.Errors(), 0u);
}

}  // namespace
