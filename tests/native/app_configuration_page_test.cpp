// The Configuration page's band rules, channel lists and Apply rule, on the simulated PC.
#include <gtest/gtest.h>

#include "radio_program.h"
#include "sim_program.h"

namespace {

struct Boxes {
    int adHoc;
    bool adHocOn;
    int turbo;
    bool turboOn;
    int preamble;
    bool preambleOn;
    bool operator==(const Boxes&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Boxes& b) {
    return os << "adhoc " << b.adHoc << (b.adHocOn ? "+" : "-") << " turbo " << b.turbo
              << (b.turboOn ? "+" : "-") << " preamble " << b.preamble
              << (b.preambleOn ? "+" : "-");
}

Boxes Read(const app::TForm1& f) {
    return {f.cbAdHoc.ItemIndex(), f.cbAdHoc.Enabled(),      f.cbTurbo.ItemIndex(),
            f.cbTurbo.Enabled(),   f.cbPreamble.ItemIndex(), f.cbPreamble.Enabled()};
}

// Every box enabled with a known selection, so each rule shows what it changed.
void Prime(app::TForm1& f, int adHoc, int turbo, int preamble = 1) {
    for (ui::ComboBox* b : {&f.cbAdHoc, &f.cbTurbo, &f.cbPreamble}) b->SetEnabled(true);
    f.cbAdHoc.SetItemIndex(adHoc);
    f.cbTurbo.SetItemIndex(turbo);
    f.cbPreamble.SetItemIndex(preamble);
}

TEST(ConfigurationPage, WirelessModeRulesInInfrastructureMode) {
    SimProgram p;
    auto& f = p.form;
    f.rbInfra.SetChecked(true);
    struct Case {
        int band;
        Boxes after;
    } cases[] = {
        {0, {1, false, 1, true, 1, true}},
        {1, {0, false, 0, false, 1, true}},
        {2, {1, false, 1, true, 0, false}},
        {-1, {2, true, 1, true, 1, true}},
    };
    for (const auto& c : cases) {
        Prime(f, 2, 1);
        f.cbRadioBand.SetItemIndex(c.band);
        f.cbRadioBandChange();
        EXPECT_EQ(Read(f), c.after) << "band " << c.band;
    }
}

TEST(ConfigurationPage, WirelessModeRulesInAdHocModeByTurbo) {
    SimProgram p;
    auto& f = p.form;
    f.rbAdHoc.SetChecked(true);
    struct Case {
        int band, turbo;
        Boxes after;
    } cases[] = {
        {0, 0, {2, true, 0, true, 1, true}},   {0, 1, {2, true, 1, true, 1, true}},
        {1, 0, {0, false, 0, false, 1, true}}, {1, 1, {0, false, 0, false, 1, true}},
        {2, 0, {1, false, 0, true, 0, false}}, {2, 1, {1, true, 1, true, 0, false}},
        {-1, 1, {2, true, 1, true, 1, true}},
    };
    for (const auto& c : cases) {
        Prime(f, 2, c.turbo);
        f.cbRadioBand.SetItemIndex(c.band);
        f.cbRadioBandChange();
        EXPECT_EQ(Read(f), c.after) << "band " << c.band << " turbo " << c.turbo;
        EXPECT_EQ(f.cbChannel.Count(), 1);  // no adapter: "Automatic" alone
        EXPECT_EQ(f.cbChannel.ItemIndex(), 0);
    }
}

TEST(ConfigurationPage, TurboAndAdHocBandFollowEachOther) {
    SimProgram p;
    auto& f = p.form;
    f.rbAdHoc.SetChecked(true);
    f.cbRadioBand.SetItemIndex(2);
    Prime(f, 2, 0);
    f.cbTurboChange();
    EXPECT_EQ(Read(f), (Boxes{1, false, 0, true, 1, true}));
    f.cbTurbo.SetItemIndex(1);
    f.cbTurboChange();
    EXPECT_TRUE(f.cbAdHoc.Enabled());
    // Outside ad hoc 5 GHz turbo changes nothing.
    f.cbRadioBand.SetItemIndex(0);
    Prime(f, 2, 0);
    f.cbTurboChange();
    EXPECT_EQ(Read(f), (Boxes{2, true, 0, true, 1, true}));
    // Choosing the turbo ad hoc band turns turbo on.
    f.cbAdHoc.SetItemIndex(2);
    f.cbAdHocChange();
    EXPECT_EQ(f.cbTurbo.ItemIndex(), 1);
}

TEST(ConfigurationPage, ModeButtonsSetChannelAndPowerSaving) {
    SimProgram p;
    auto& f = p.form;
    f.rbInfra.SetChecked(true);
    f.cbPowerSaving.SetItemIndex(2);
    f.cbRadioBand.SetItemIndex(0);
    f.cbAdHoc.SetItemIndex(1);
    f.rbAdHoc.SetChecked(true);
    EXPECT_FALSE(f.rbInfra.Checked());
    EXPECT_TRUE(f.cbChannel.Enabled());
    EXPECT_EQ(f.cbPowerSaving.ItemIndex(), 0);
    EXPECT_FALSE(f.cbPowerSaving.Enabled());
    EXPECT_TRUE(f.cbAdHoc.Enabled());
    f.rbInfra.SetChecked(true);
    EXPECT_FALSE(f.rbAdHoc.Checked());
    EXPECT_TRUE(f.cbPowerSaving.Enabled());
    EXPECT_FALSE(f.cbChannel.Enabled());
    EXPECT_FALSE(f.cbAdHoc.Enabled());
    EXPECT_EQ(f.cbChannel.ItemIndex(), 0);
}

TEST(ConfigurationPage, ChannelListFollowsTheAdaptersDomain) {
    RadioProgram p({Net("Home")}, "Home");
    p.Run(3000);
    auto& f = p.form();
    struct Case {
        std::uint32_t domain;
        int adHoc;
        int count;  // "Automatic" included
    } cases[] = {{0x10, 2, 6}, {0x30, 2, 20}, {0x40, 0, 15}, {0x20, 1, 1}};
    for (const auto& c : cases) {
        p.card->SetDomain(c.domain);
        f.cbAdHoc.SetItemIndex(c.adHoc);
        f.cbAdHocChange();
        EXPECT_EQ(f.cbChannel.Count(), c.count) << c.domain;
        EXPECT_EQ(f.cbChannel.ItemIndex(), 0);
    }
}

TEST(ConfigurationPage, LookupMessagesAreBoxesOfTheirOwnCaption) {
    SimProgram p;
    auto& f = p.form;
    f.cbAdHoc.SetItemIndex(0);
    f.FillFixedChannelList();
    ASSERT_EQ(f.cbChannel.Count(), 12);
    f.cbChannel.SetItemIndex(3);
    const auto before = p.pc.dialogs().Boxes().size();
    f.RestoreChannelSelection("b2484");
    f.SelectChannelByToken("36");
    ASSERT_EQ(p.pc.dialogs().Boxes().size(), before + 2);
    const auto& boxes = p.pc.dialogs().Boxes();
    EXPECT_EQ(boxes[before].text, "error occor3");
    EXPECT_EQ(boxes[before].caption, "warning");
    EXPECT_EQ(boxes[before].type, plat::kMbOk);
    EXPECT_EQ(boxes[before + 1].text, "find setting error");
    EXPECT_EQ(boxes[before + 1].caption, "");
    EXPECT_EQ(f.cbChannel.ItemIndex(), 3);
    f.SelectChannelByToken("b2437");
    EXPECT_EQ(f.cbChannel.Text(), "6   B/2.437GHz");
}

TEST(ConfigurationPage, ChangesEnableApplyOnlyWhileTheirPageShows) {
    RadioProgram p({Net("Home"), Net("Cafe")}, "Home");
    p.Run(3000);
    auto& f = p.form();
    f.Show();
    f.PageControl1.SetActivePage(&f.TabSheet1);
    f.Apply.SetEnabled(false);
    f.cbRadioBand.SetItemIndex(1);
    f.cbRadioBandChange();  // a change made by the program
    EXPECT_FALSE(f.Apply.Enabled());
    f.PageControl1.SetActivePage(&f.TabSheet2);
    ASSERT_TRUE(f.cbSSID.UserDropDown());
    ASSERT_TRUE(f.cbSSID.UserSelectText("Cafe"));
    EXPECT_TRUE(f.Apply.Enabled());
    EXPECT_EQ(f.CheckBandCompatibility(), std::nullopt);
}

}  // namespace
