// The Configuration page: profile, network, band and channel settings, and the rules by which
// the band boxes enable, disable and reset one another.
#include <vector>

#include "adapter/oids.h"
#include "app/form.h"
#include "config/channels.h"

namespace app {

namespace {

void PlaceRow(ui::Label& label, std::string_view caption, ui::Control& box, ui::Control& group,
              int labelLeft, int boxLeft, int top, int labelWidth, int boxWidth) {
    Place(label, group, labelLeft, top, labelWidth, 21);
    label.SetCaption(caption);
    label.SetLayout(ui::Layout::Center);
    Place(box, group, boxLeft, top, boxWidth, 21);
}

std::vector<std::string> Items(const ui::ComboBox& box) {
    std::vector<std::string> items;
    for (int i = 0; i < box.Count(); ++i) items.push_back(box.Item(i));
    return items;
}

}  // namespace

void TForm1::BuildConfigurationControls() {
    Place(GroupBox5, TabSheet2, 11, 8, 337, 58);
    GroupBox5.SetCaption("Profile ");
    PlaceRow(lbProFile, "Profile Name:", cbProFile, GroupBox5, 12, 112, 22, 96, 93);
    Place(Button4, GroupBox5, 211, 20, 53, 25);
    Button4.SetCaption("Save");
    Place(Button5, GroupBox5, 268, 20, 53, 25);
    Button5.SetCaption("Delete");

    Place(GroupBox6, TabSheet2, 11, 72, 337, 108);
    GroupBox6.SetCaption("Network");
    Place(rbInfra, GroupBox6, 12, 18, 150, 17);
    rbInfra.SetCaption("Infrastructure Mode");
    Place(rbAdHoc, GroupBox6, 172, 18, 150, 17);
    rbAdHoc.SetCaption("Ad Hoc Mode");
    rbInfra.SetChecked(true);
    PlaceRow(lbSSID, "SSID:", cbSSID, GroupBox6, 12, 112, 46, 96, 209);
    cbSSID.SetMaxLength(32);
    PlaceRow(lbAdHocChannel, "Channel:", cbChannel, GroupBox6, 12, 112, 76, 96, 209);
    cbChannel.SetItems({std::string(config::kAutomaticChannel)});
    cbChannel.SetItemIndex(0);
    cbChannel.SetEnabled(false);

    Place(GroupBox7, TabSheet2, 11, 184, 337, 166);
    GroupBox7.SetCaption("Advanced");
    struct Row {
        ui::Label& label;
        std::string_view caption;
        ui::ComboBox& box;
        std::vector<std::string> items;
        int selected;
    } rows[] = {
        {lbPowerSaving, "Power Saving Mode:", cbPowerSaving, {"Off", "Normal", "Maximum"}, 0},
        {lbRadioBand,
         "Wireless Mode:",
         cbRadioBand,
         {"Auto", "2.4GHz(802.11b)", "5GHz   (802.11a)"},
         0},
        {lbAdHoc,
         "Start AdHoc Network:",
         cbAdHoc,
         {"2.4GHz(802.11b)", "5GHz   (802.11a)", "5GHz   (turbo)"},
         1},
        {lbTurbo, "Turbo Mode:", cbTurbo, {"Disabled", "Enabled"}, 0},
        {lbTxPower, "Transmit Power:", cbTxPower, {"100%", "50% ", "25% ", "12.5% ", "Lowest "}, 0},
        {lbPreamble, "2.4GHz Preamble:", cbPreamble, {"Auto", "Long Only"}, 0},
    };
    int top = 18;
    for (Row& r : rows) {
        PlaceRow(r.label, r.caption, r.box, GroupBox7, 12, 152, top, 136, 169);
        r.box.SetItems(r.items);
        r.box.SetItemIndex(r.selected);
        top += 24;
    }
    cbAdHoc.SetEnabled(false);
}

void TForm1::WireConfigurationPage() {
    cbSSID.OnDropDown = [this] { cbSSIDDropDown(); };
    auto applyOnly = [this] { EnableApplyIfShowing(TabSheet2); };
    cbSSID.OnChange = applyOnly;
    cbPowerSaving.OnChange = applyOnly;
    cbTxPower.OnChange = applyOnly;
    cbPreamble.OnChange = applyOnly;
    cbChannel.OnChange = applyOnly;
    cbProFile.OnChange = applyOnly;
    cbProFile.OnClick = [this] { cbProFileClick(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button5.OnClick = [this] { Button5Click(); };
    rbInfra.OnClick = [this] { rbInfraClick(); };
    rbAdHoc.OnClick = [this] { rbAdHocClick(); };
    cbRadioBand.OnChange = [this] { cbRadioBandChange(); };
    cbTurbo.OnChange = [this] { cbTurboChange(); };
    cbAdHoc.OnChange = [this] { cbAdHocChange(); };
}

void TForm1::Warn(std::string_view text) {
    platform.dialogs.ShowMessageBox(Handle(), text, "warning", plat::kMbOk);
}

// Infrastructure mode: the ad hoc band follows the wireless mode and stays disabled; turbo and
// the preamble are fixed where the mode leaves no choice.
void TForm1::InfrastructureBandRules() {
    const int band = cbRadioBand.ItemIndex();
    if (band >= config::kBandAuto && band <= config::kBand5) {
        cbAdHoc.SetItemIndex(band == config::kBand24 ? config::kAdHoc24 : config::kAdHoc5);
        cbAdHoc.SetEnabled(false);
    }
    if (band == config::kBand24) cbTurbo.SetItemIndex(0);
    cbTurbo.SetEnabled(band != config::kBand24);
    if (band == config::kBand5) cbPreamble.SetItemIndex(0);
    cbPreamble.SetEnabled(band != config::kBand5);
}

// Ad hoc mode: the started network's band may be chosen under Auto, and under 5 GHz with turbo.
void TForm1::AdHocBandRules(bool select5Ghz) {
    switch (cbRadioBand.ItemIndex()) {
        case config::kBandAuto:
            cbTurbo.SetEnabled(true);
            cbAdHoc.SetEnabled(true);
            cbPreamble.SetEnabled(true);
            break;
        case config::kBand24:
            cbTurbo.SetItemIndex(0);
            cbTurbo.SetEnabled(false);
            cbAdHoc.SetItemIndex(config::kAdHoc24);
            cbAdHoc.SetEnabled(false);
            cbPreamble.SetEnabled(true);
            break;
        case config::kBand5:
            cbTurbo.SetEnabled(true);
            if (select5Ghz) cbAdHoc.SetItemIndex(config::kAdHoc5);
            cbAdHoc.SetEnabled(cbTurbo.ItemIndex() == 1);
            cbPreamble.SetItemIndex(0);
            cbPreamble.SetEnabled(false);
            break;
        default:
            break;
    }
}

void TForm1::rbInfraClick() {
    EnableApplyIfShowing(TabSheet2);
    if (!rbInfra.Checked()) return;
    rbAdHoc.SetChecked(false);
    cbRadioBand.SetEnabled(true);
    cbPowerSaving.SetEnabled(true);
    cbAdHoc.SetEnabled(false);
    cbChannel.SetEnabled(false);
    cbChannel.SetItemIndex(0);
    if (cbRadioBand.ItemIndex() >= 0) InfrastructureBandRules();
}

void TForm1::rbAdHocClick() {
    EnableApplyIfShowing(TabSheet2);
    if (rbAdHoc.Checked()) {
        cbChannel.SetEnabled(true);
        cbPowerSaving.SetItemIndex(0);
        cbPowerSaving.SetEnabled(false);
        const int band = cbRadioBand.ItemIndex();
        if ((band == config::kBandAuto && cbAdHoc.ItemIndex() == config::kAdHoc5) ||
            (band == config::kBand5 && cbTurbo.ItemIndex() == 1))
            cbAdHoc.SetEnabled(true);
    }
    FillChannelList();
}

void TForm1::cbRadioBandChange() {
    EnableApplyIfShowing(TabSheet2);
    if (rbInfra.Checked()) return InfrastructureBandRules();
    AdHocBandRules(true);
    FillChannelList();
}

void TForm1::cbTurboChange() {
    EnableApplyIfShowing(TabSheet2);
    if (!rbAdHoc.Checked() || cbRadioBand.ItemIndex() != config::kBand5) return;
    if (cbTurbo.ItemIndex() == 1) {
        cbAdHoc.SetEnabled(true);
    } else if (cbTurbo.ItemIndex() == 0) {
        cbAdHoc.SetItemIndex(config::kAdHoc5);
        cbAdHoc.SetEnabled(false);
    }
}

void TForm1::cbAdHocChange() {
    EnableApplyIfShowing(TabSheet2);
    FillChannelList();
    if (cbAdHoc.ItemIndex() == config::kAdHocTurbo) cbTurbo.SetItemIndex(1);
}

namespace {

void FillChannels(ui::ComboBox& box, std::span<const std::string_view> channels) {
    box.Clear();
    box.AddItem(std::string(config::kAutomaticChannel));
    for (std::string_view c : channels) box.AddItem(std::string(c));
    box.SetItemIndex(0);
}

}  // namespace

void TForm1::FillChannelList() {
    // Without an answer from the driver the list holds "Automatic" alone.
    std::vector<std::uint8_t> buf(500);
    std::optional<std::uint32_t> domain;
    if (adapter.QueryOid(adapter::OID_PRIV_DEVICE_STATUS, buf.data(),
                         static_cast<std::uint32_t>(buf.size())) == 0)
        domain = adapter::Le32(buf.data() + adapter::DeviceStatusRecord::kRegulatoryDomain);
    FillChannels(cbChannel, config::DomainChannels(domain, cbAdHoc.ItemIndex()));
}

void TForm1::FillFixedChannelList() {
    FillChannels(cbChannel, config::FixedChannels(cbAdHoc.ItemIndex()));
}

void TForm1::SelectChannelByToken(std::string_view token) {
    const auto choice = config::ChooseByToken(token, Items(cbChannel));
    if (choice.item) cbChannel.SetItemIndex(*choice.item);
    if (!choice.message.empty())
        platform.dialogs.ShowMessageBox(Handle(), choice.message, "", plat::kMbOk);
}

void TForm1::RestoreChannelSelection(std::string_view token) {
    const auto choice = config::ChooseRestored(token, cbAdHoc.ItemIndex(), Items(cbChannel));
    if (choice.item) cbChannel.SetItemIndex(*choice.item);
    if (!choice.message.empty()) Warn(choice.message);
}

std::optional<std::string_view> TForm1::CheckBandCompatibility() const {
    return config::CheckBandCompatibility({cbRadioBand.ItemIndex(), cbAdHoc.ItemIndex(),
                                           cbTurbo.ItemIndex(), rbAdHoc.Checked(),
                                           cbSSID.Text().empty()});
}

}  // namespace app
