// The Configuration page: network, band and channel settings.
#include "app/form.h"

namespace app {

void TForm1::BuildConfigurationControls() {
    // Below the profile group, which the page puts at the top.
    Place(GroupBox6, TabSheet2, 11, 72, 337, 108);
    GroupBox6.SetCaption("Network");
    Place(rbInfra, GroupBox6, 12, 18, 150, 17);
    rbInfra.SetCaption("Infrastructure Mode");
    Place(rbAdHoc, GroupBox6, 172, 18, 150, 17);
    rbAdHoc.SetCaption("Ad Hoc Mode");
    rbInfra.SetChecked(true);
    Place(lbSSID, GroupBox6, 12, 46, 96, 21);
    lbSSID.SetCaption("SSID:");
    lbSSID.SetLayout(ui::Layout::Center);
    Place(cbSSID, GroupBox6, 112, 46, 209, 21);
    cbSSID.SetMaxLength(32);
    cbSSID.OnDropDown = [this] { cbSSIDDropDown(); };

    Place(GroupBox7, TabSheet2, 11, 184, 337, 166);
    GroupBox7.SetCaption("Advanced");
    Place(lbRadioBand, GroupBox7, 12, 42, 136, 21);
    lbRadioBand.SetCaption("Wireless Mode:");
    lbRadioBand.SetLayout(ui::Layout::Center);
    Place(cbRadioBand, GroupBox7, 152, 42, 169, 21);
    cbRadioBand.SetItems({"Auto", "2.4GHz(802.11b)", "5GHz   (802.11a)"});
    cbRadioBand.SetItemIndex(0);
    Place(lbTurbo, GroupBox7, 12, 90, 136, 21);
    lbTurbo.SetCaption("Turbo Mode:");
    lbTurbo.SetLayout(ui::Layout::Center);
    Place(cbTurbo, GroupBox7, 152, 90, 169, 21);
    cbTurbo.SetItems({"Disabled", "Enabled"});
    cbTurbo.SetItemIndex(0);
}

void TForm1::WireConfigurationPage() {}

}  // namespace app
