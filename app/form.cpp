#include "app/form.h"

#include <tuple>
#include <utility>

#include "app/pictures.h"

namespace app {

void Place(ui::Control& c, ui::Control& parent, int left, int top, int width, int height) {
    c.SetParent(&parent);
    c.SetBounds(left, top, width, height);
}

namespace {

void SunkenCentred(ui::StaticText& t) {
    t.SetBorder(ui::Border::Sunken);
    t.SetAlignment(ui::Alignment::Center);
}

}  // namespace

TForm1::TForm1(plat::Platform& p, adapter::AdapterContext& a)
    : ui::Form("Form1"),
      platform(p),
      adapter(a),
      DeviceDetect(p.loop, "DeviceDetect"),
      InsertTimer(p.loop, "InsertTimer"),
      StatusTimer(p.loop, "StatusTimer"),
      ChannelTimer(p.loop, "ChannelTimer"),
      SignalTimer(p.loop, "SignalTimer") {
    SetCaption("VELMORA ZN6200 802.11a/b Configuration Utility");
    SetClientSize(390, 437);
    SetFont({"MS Sans Serif", 8, false});
    SetBorderStyle(ui::BorderStyle::Dialog);
    SetMainForm(true);

    Place(PageControl1, *this, 13, 8, 365, 386);
    const std::pair<ui::TabSheet*, const char*> pages[] = {
        {&TabSheet1, "Status"},   {&TabSheet2, "Configuration"}, {&TabSheet3, "Security"},
        {&TabSheet7, "Stations"}, {&TabSheet5, "Statistics"},    {&TabSheet6, "About"},
    };
    for (auto [sheet, caption] : pages) {
        sheet->SetParent(&PageControl1);
        sheet->SetCaption(caption);
    }
    PageControl1.SetActivePage(&TabSheet1);

    const std::pair<ui::Button*, const char*> buttons[] = {
        {&btOK, "OK"}, {&btCancel, "Cancel"}, {&Apply, "Apply"}};
    int left = 144;
    for (auto [button, caption] : buttons) {
        Place(*button, *this, left, 401, 74, 27);
        button->SetCaption(caption);
        left += 80;
    }
    Apply.SetEnabled(false);

    const std::tuple<ui::Image*, const char*, LinkPicture> icons[] = {
        {&IconScan, "Scanning", LinkPicture::Scanning},
        {&IconBad, "BadLink", LinkPicture::Bad},
        {&IconPool, "PoolLink", LinkPicture::Poor},
        {&IconGood, "GoodLink", LinkPicture::Good},
    };
    left = 8;
    for (auto [image, hint, kind] : icons) {
        Place(*image, *this, left, 401, 32, 32);
        image->SetHint(hint);
        image->SetPicture(TrayPicture(kind));
        image->Hide();
        left += 34;
    }

    BuildStatusPage();
    BuildConfigurationControls();
    BuildStationsPage();
    BuildSecurityPage();
    BuildStatisticsPage();
    BuildAboutPage();

    for (auto [timer, interval] : {std::pair{&DeviceDetect, 1000u}, std::pair{&InsertTimer, 500u},
                                   std::pair{&StatusTimer, 500u}, std::pair{&ChannelTimer, 50u},
                                   std::pair{&SignalTimer, 2000u}}) {
        timer->SetInterval(interval);
        timer->SetEnabled(false);
        AddComponent(*timer);
    }
    for (ui::MenuItem* item : {&Open1, &About1, &Exit1}) PopupMenu1.Add(*item);
    AddComponent(PopupMenu1);
    AddComponent(Screen);

    WireEvents();

    // One copy at a time: a second one ends before touching the adapter or the registry.
    if (platform.system.EventExists(kInstanceEventName)) {
        secondCopy_ = true;
        platform.loop.Quit();
        return;
    }
    instanceEvent_ = platform.system.NewEvent(kInstanceEventName, true, false);
}

TForm1::~TForm1() = default;

void TForm1::BuildStatusPage() {
    Place(ImVelmora, TabSheet1, 43, 8, 270, 56);
    Place(Image1, TabSheet1, 43, 8, 270, 56);
    Image1.SetPicture(LogoPicture());
    Image1.Hide();

    Place(GroupBox3, TabSheet1, 11, 64, 337, 201);
    const std::pair<ui::Label*, const char*> labels[] = {
        {&lbConnectTo, "Connected to:"},    {&lbNetworkMode, "Network Mode:"},
        {&lbChannel, "Channel/frequency:"}, {&lbTransmitRate, "Transmit Rate:"},
        {&lbReceiveRate, "Receive Rate:"},  {&lbEncryption, "Encryption:"},
    };
    ui::StaticText* texts[] = {&StationState, &NetWorkType, &CurrentChannel,
                               &TxRate,       &RxRate,      &stEncryption};
    for (int i = 0; i < 6; ++i) {
        int top = 24 + 30 * i;
        // The labels share the texts' top and height, centred, so they follow a text that
        // grows to two lines.
        Place(*labels[i].first, GroupBox3, 8, top, 103, 19);
        labels[i].first->SetCaption(labels[i].second);
        labels[i].first->SetLayout(ui::Layout::Center);
        Place(*texts[i], GroupBox3, 112, top, 209, 19);
        SunkenCentred(*texts[i]);
    }

    Place(GroupBox4, TabSheet1, 11, 268, 337, 81);
    Place(lbDataTx, GroupBox4, 8, 12, 103, 19);
    lbDataTx.SetCaption("Data Transmited:");
    Place(stDataTx, GroupBox4, 112, 12, 209, 19);
    Place(lbDataRx, GroupBox4, 8, 34, 103, 19);
    lbDataRx.SetCaption("Data Received:");
    Place(stDataRx, GroupBox4, 112, 34, 209, 19);
    for (ui::Label* l : {&lbDataTx, &lbDataRx}) l->SetLayout(ui::Layout::Center);
    SunkenCentred(stDataTx);
    SunkenCentred(stDataRx);
    Place(lbSignal, GroupBox4, 8, 56, 103, 19);
    lbSignal.SetCaption("Signal Strength:");
    lbSignal.SetLayout(ui::Layout::Center);
    Place(pbSignalStrenth, GroupBox4, 112, 61, 195, 9);
    pbSignalStrenth.SetRange(0, 100);
    Place(lbPercent, GroupBox4, 311, 56, 24, 19);
    lbPercent.SetCaption("0%");
    lbPercent.SetLayout(ui::Layout::Center);
}

void TForm1::EnableApplyIfShowing(const ui::TabSheet& page) {
    if (PageControl1.ActivePage() == &page) Apply.SetEnabled(true);
}

void TForm1::WireEvents() {
    DeviceDetect.OnTimer = [this] { DeviceDetectTimer(); };
    InsertTimer.OnTimer = [this] { InsertTimerTimer(); };
    StatusTimer.OnTimer = [this] { StatusTimerTimer(); };
    ChannelTimer.OnTimer = [this] { ChannelTimerTimer(); };
    SignalTimer.OnTimer = [this] { SignalTimerTimer(); };
    Open1.OnClick = [this] { Open1Click(); };
    About1.OnClick = [this] { About1Click(); };
    Exit1.OnClick = [this] { Exit1Click(); };
    PageControl1.OnChange = [this] { PageControl1Change(); };
    btOK.OnClick = [this] { btOKClick(); };
    btCancel.OnClick = [this] { btCancelClick(); };
    Apply.OnClick = [this] { ApplyClick(); };
    OnClose = [this](ui::CloseAction& action) { FormClose(action); };
    OnCloseMessage = [this](std::intptr_t lParam) { CloseRequest(lParam); };
    OnMessage = [this](std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp) {
        TrayCallback(msg, wp, lp);
    };
    // The main form going away ends the program.
    OnDestroy = [this] { platform.loop.Quit(); };
    WireConfigurationPage();
    WireSecurityPage();
}

}  // namespace app
