// The main window of velmora.
#pragma once
#include "platform/platform.h"
#include "ui/ui.h"

namespace app {

// Picture ids of the tray icons, as the shell seam names them.
inline constexpr int kPictureScan = 1;
inline constexpr int kPictureBad = 2;
inline constexpr int kPicturePoor = 3;
inline constexpr int kPictureGood = 4;

class TForm1 : public ui::Form {
  public:
    explicit TForm1(plat::Platform& platform);
    ~TForm1() override;

    plat::Platform& platform;
    ui::Screen Screen;

    ui::PageControl PageControl1{"PageControl1"};
    ui::TabSheet TabSheet1{"TabSheet1"};
    ui::TabSheet TabSheet2{"TabSheet2"};
    ui::TabSheet TabSheet3{"TabSheet3"};
    ui::TabSheet TabSheet7{"TabSheet7"};
    ui::TabSheet TabSheet5{"TabSheet5"};
    ui::TabSheet TabSheet6{"TabSheet6"};

    ui::Button btOK{"btOK"};
    ui::Button btCancel{"btCancel"};
    ui::Button Apply{"Apply"};

    // Hidden; they only hold the tray icons' pictures.
    ui::Image IconScan{"IconScan"};
    ui::Image IconBad{"IconBad"};
    ui::Image IconPool{"IconPool"};
    ui::Image IconGood{"IconGood"};

    // Status page.
    ui::Image ImVelmora{"ImVelmora"};
    ui::Image Image1{"Image1"};  // hidden; holds the logo
    ui::GroupBox GroupBox3{"GroupBox3"};
    ui::Label lbConnectTo{"lbConnectTo"};
    ui::Label lbNetworkMode{"lbNetworkMode"};
    ui::Label lbChannel{"lbChannel"};
    ui::Label lbTransmitRate{"lbTransmitRate"};
    ui::Label lbReceiveRate{"lbReceiveRate"};
    ui::Label lbEncryption{"lbEncryption"};
    ui::StaticText StationState{"StationState"};
    ui::StaticText NetWorkType{"NetWorkType"};
    ui::StaticText CurrentChannel{"CurrentChannel"};
    ui::StaticText TxRate{"TxRate"};
    ui::StaticText RxRate{"RxRate"};
    ui::StaticText stEncryption{"stEncryption"};
    ui::GroupBox GroupBox4{"GroupBox4"};
    ui::Label lbDataTx{"lbDataTx"};
    ui::Label lbDataRx{"lbDataRx"};
    ui::Label lbSignal{"lbSignal"};
    ui::StaticText stDataTx{"stDataTx"};
    ui::StaticText stDataRx{"stDataRx"};
    ui::ProgressBar pbSignalStrenth{"pbSignalStrenth"};
    ui::Label lbPercent{"lbPercent"};

    ui::Timer DeviceDetect;
    ui::Timer InsertTimer;
    ui::Timer StatusTimer;
    ui::Timer ChannelTimer;
    ui::Timer SignalTimer;

    ui::PopupMenu PopupMenu1{"PopupMenu1"};
    ui::MenuItem Open1{"Open1", "Open"};
    ui::MenuItem About1{"About1", "About"};
    ui::MenuItem Exit1{"Exit1", "Exit"};

    // Event handlers.
    void DeviceDetectTimer();
    void InsertTimerTimer();
    void StatusTimerTimer();
    void ChannelTimerTimer();
    void SignalTimerTimer();
    void Open1Click();
    void About1Click();
    void Exit1Click();
    void PageControl1Change();
    void btOKClick();
    void btCancelClick();
    void ApplyClick();
    void FormClose(ui::CloseAction& action);

  private:
    void BuildStatusPage();
    void WireEvents();
};

}  // namespace app
