// The main window's life: start-up, waiting for the hardware, finding the adapter, the tray
// icon and its menu, and closing.
#include <cstdio>

#include "adapter/oids.h"
#include "adapter/presence.h"
#include "app/form.h"

namespace app {

void TForm1::FormCreate() {
    Hide();
    Screen.SetCursor(ui::Cursor::Default);
    APSStringGrid.SetRow(0, {"SSID", "MAC Address", "Channel", "Signal", "Security", "Mode"});
    // The build's own date and time, as "Oct 21 2002 20:17:42".
    char built[32];
    std::snprintf(built, sizeof built, "%s %s", __DATE__, __TIME__);
    Label39.SetCaption(built);
    ImVelmora.SetPicture(Image1.Picture());
    Image2.SetPicture(Image1.Picture());
    for (int i = 0; i < 3; ++i) adapter::RemovePacketDriverServices(platform.services);
    DeviceName.SetCaption("Velmora ZN6200 802.11a/b Wireless Adapter");
    LoadDriverSettings();
    ShowAppliedSettings();
    PageControl1.SetActivePage(&TabSheet1);
    Apply.SetEnabled(false);
    DeviceDetect.SetEnabled(true);
}

void TForm1::DeviceDetectTimer() {
    if (!adapter::IsAdapterHardwarePresent(platform.setup, platform.system)) return;
    InsertTimer.SetEnabled(true);
    DeviceDetect.SetEnabled(false);
}

void TForm1::InsertTimerTimer() {
    InsertTimer.SetEnabled(false);
    if (!AdapterOnline) {
        if (adapter.FindAdapter()) {
            UpdateTrayIcon(plat::kNimAdd);
            AdapterOnline = true;
            TxPer.SetEnabled(true);
            RxPer.SetEnabled(true);
            StatusTimer.SetEnabled(true);
            LoadDriverSettings();
            ShowAppliedSettings();
            UpdateTrayIcon(plat::kNimModify);
            if (!ChannelTimer.Enabled()) ChannelTimer.SetEnabled(true);
            if (!SignalTimer.Enabled()) SignalTimer.SetEnabled(true);
        } else {
            StatusTimer.SetEnabled(false);
            TxPer.SetEnabled(false);
            RxPer.SetEnabled(false);
            Hide();
            DeviceDetect.SetEnabled(true);
        }
        return;
    }
    std::uint8_t mode[500] = {};
    if (adapter.QueryOid(adapter::OID_PRIV_NETWORK_MODE, mode, sizeof mode) == 0) {
        UpdateTrayIcon(plat::kNimModify);
        TxPer.SetEnabled(true);
        RxPer.SetEnabled(true);
        StatusTimer.SetEnabled(true);
        return;
    }
    // The adapter has gone: search afresh, and wait for the hardware if nothing is there.
    UpdateTrayIcon(plat::kNimDelete);
    if (!adapter.FindAdapter()) {
        Hide();
        DeviceDetect.SetEnabled(true);
        ChannelTimer.SetEnabled(false);
        SignalTimer.SetEnabled(false);
    }
    AdapterOnline = false;
    StatusTimer.SetEnabled(false);
    adapter.CloseAdapter();
    InsertTimer.SetEnabled(true);
}

bool TForm1::UpdateTrayIcon(std::uint32_t action) {
    plat::NotifyIconRecord r;
    r.owner = Handle();
    r.id = kTrayIconId;
    r.flags = plat::kNifMessage | plat::kNifIcon | plat::kNifTip;
    r.callbackMessage = kTrayCallbackMessage;
    if (action == plat::kNimModify) {
        if (!AdapterOnline) return false;
        int p = pbSignalStrenth.Position();
        char tip[plat::kNotifyTipChars];
        std::snprintf(tip, sizeof tip, "VELMORA ZN6200 Connect to %s", LinkSsid.c_str());
        r.tip = tip;
        if (p > 50) {
            r.icon = kPictureGood;
        } else if (p >= 6) {
            r.icon = kPicturePoor;
        } else if (p >= 1) {
            r.icon = kPictureBad;
        } else {
            r.icon = kPictureScan;
            r.tip = "VELMORA ZN6200 Scanning";
        }
    }
    return platform.shell.NotifyIcon(action, r);
}

void TForm1::TrayCallback(std::uint32_t msg, std::uintptr_t, std::intptr_t lParam) {
    if (msg != kTrayCallbackMessage) return;
    if (lParam == kWmLButtonUp) {
        if (!AdapterOnline) return;
        BringToFront();
        ResetPerformanceView();
        Show();
    } else if (lParam == kWmRButtonUp) {
        int x = 0, y = 0;
        if (platform.loop.CursorPos(x, y)) {
            BringToFront();
            PopupMenu1.Popup(x, y);
        } else {
            ResetPerformanceView();
            Show();
        }
    }
}

void TForm1::Open1Click() {
    PageControl1.SetActivePage(&TabSheet1);
    Show();
}

void TForm1::About1Click() {
    PageControl1.SetActivePage(&TabSheet6);
    Show();
}

void TForm1::Exit1Click() {
    ExitRequested = true;
    Close();
}

void TForm1::CloseRequest(std::intptr_t lParam) {
    if (lParam == 1) ExitRequested = true;
    if (lParam == 0 || lParam == 1) Close();
}

void TForm1::FormClose(ui::CloseAction& action) {
    if (ExitRequested) {
        UpdateTrayIcon(plat::kNimDelete);
        adapter.CloseAdapter();
        action = ui::CloseAction::Free;
        return;
    }
    action = ui::CloseAction::None;
    Hide();
}

void TForm1::PageControl1Change() {
    if (PageControl1.ActivePageIndex() == 3) RefreshScanList();
}

}  // namespace app
