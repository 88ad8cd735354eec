// The main window of velmora.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/context.h"
#include "app/applied_settings.h"
#include "config/reg_key.h"
#include "platform/platform.h"
#include "ui/ui.h"

namespace app {

// The window's tray icon and the message its events come back with.
inline constexpr std::uint32_t kTrayIconId = 1000;
inline constexpr std::uint32_t kTrayCallbackMessage = 0x8080;
inline constexpr std::uint32_t kWmLButtonUp = 0x0202;
inline constexpr std::uint32_t kWmRButtonUp = 0x0205;
// Named event whose existence tells a second copy that one already runs.
inline constexpr char kInstanceEventName[] = "ZN6200";
inline constexpr char kApplicationTitle[] = "ZN6200UI";
// Stands in a key or passphrase edit for a stored key or passphrase.
inline constexpr std::string_view kKeyMask = "**********";

// Picture ids of the tray icons, as the shell seam names them.
inline constexpr int kPictureScan = 1;
inline constexpr int kPictureBad = 2;
inline constexpr int kPicturePoor = 3;
inline constexpr int kPictureGood = 4;

// Puts a control into its parent at a position of the parent's client area.
void Place(ui::Control& c, ui::Control& parent, int left, int top, int width, int height);

class TForm1 : public ui::Form {
  public:
    TForm1(plat::Platform& platform, adapter::AdapterContext& adapter);
    ~TForm1() override;

    plat::Platform& platform;
    adapter::AdapterContext& adapter;

    bool AdapterOnline = false;
    bool ExitRequested = false;
    std::string LinkSsid;  // name of the network joined; empty when not joined
    // Another copy was running: this one ends at once and does nothing.
    bool SecondCopy() const { return secondCopy_; }
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

    // ---- Security page: controls and their handlers (app/security_page.cpp) ----
    ui::CheckBox chWEPEncryption{"chWEPEncryption"};
    ui::RadioButton rbPass{"rbPass"};
    ui::Edit EditPass{"EditPass"};
    ui::ComboBox cbPassLength{"cbPassLength"};
    ui::RadioButton rbManu{"rbManu"};
    ui::GroupBox GroupBox8{"GroupBox8"};  // "Encryption Keys  (Hex 0-9 A-F)"
    ui::RadioButton rbKey1{"rbKey1"}, rbKey2{"rbKey2"}, rbKey3{"rbKey3"}, rbKey4{"rbKey4"};
    ui::Edit EditFirst{"EditFirst"}, EditSecond{"EditSecond"}, EditThird{"EditThird"},
        EditFourth{"EditFourth"};
    ui::ComboBox cbKey1{"cbKey1"}, cbKey2{"cbKey2"}, cbKey3{"cbKey3"}, cbKey4{"cbKey4"};
    ui::Label lbSecErr{"lbSecErr"};
    // The stored (enciphered) texts behind the masked key edits, and the stored passphrase.
    std::string StoredKeyText[4];
    std::string StoredPhrase;

    // Key slot i (0..3): its default radio, edit and size box.
    ui::RadioButton& KeyRadio(int i);
    ui::Edit& KeyEdit(int i);
    ui::ComboBox& KeySize(int i);

    void chWEPEncryptionClick();
    void KeyEditKeyPress(int slot, char& key);
    void KeySizeChange(int slot);
    void EditPassKeyPress(char& key);
    void EditPassChange();
    void rbPassClick();
    void rbManuClick();
    void cbPassLengthChange();
    // The enable states and colours of the page for WEP and the entry mode.
    void SetSecurityEnableState();
    // The first key rule the page breaks (only with WEP on), or nothing.
    std::optional<std::string_view> CheckWepKeys();
    // The stored text of key slot i: the kept one behind the mask, "" for no key, else the edit
    // enciphered with the adapter's identifier. nullopt when a key must be enciphered and the
    // identifier cannot be had: then the user has been told and nothing may be written.
    std::optional<std::string> StoredKeyFor(int slot);
    // ---- end of Security page ----

    // Statistics page: the rate graphs with their labels, and the totals (the status poll
    // empties the totals while not joined).
    ui::GroupBox GroupBox9{"GroupBox9"};
    ui::TPerformanceGraph TxPer{"TxPer"};
    ui::Image imgTxPerGridline{"imgTxPerGridline"};
    ui::Label lbMaxTx{"lbMaxTx"};
    ui::Label lbTxRate{"lbTxRate"};
    ui::Label lbtx0{"lbtx0"}, lbtx10{"lbtx10"}, lbtx100{"lbtx100"}, lbtx1000{"lbtx1000"},
        lbtx10000{"lbtx10000"}, lbtx100000{"lbtx100000"};
    ui::TPerformanceGraph RxPer{"RxPer"};
    ui::Image imgRxPerGridline{"imgRxPerGridline"};
    ui::Label lbMaxRx{"lbMaxRx"};
    ui::Label lbRxRate{"lbRxRate"};
    ui::Label Label35{"Label35"}, Label37{"Label37"}, Label40{"Label40"}, Label41{"Label41"},
        Label42{"Label42"}, Label43{"Label43"};
    ui::GroupBox GroupBox10{"GroupBox10"};
    ui::Label lbTxByte{"lbTxByte"};
    ui::StaticText stTxByte{"stTxByte"};
    ui::Label lbRxByte{"lbRxByte"};
    ui::StaticText stRxByte{"stRxByte"};
    ui::Label lbTxPacket{"lbTxPacket"};
    ui::StaticText stTxPacket{"stTxPacket"};
    ui::Label lbRxPacket{"lbRxPacket"};
    ui::StaticText stRxPacket{"stRxPacket"};
    // Kilobit totals of the previous poll and the highest rates since start or the last reset.
    std::uint64_t PrevTxKbits = 0, PrevRxKbits = 0;
    std::uint64_t MaxTxRate = 0, MaxRxRate = 0;
    // About page: the logo and the program's own version and build date.
    ui::Image Image2{"Image2"};
    ui::GroupBox GroupBox2{"GroupBox2"};
    ui::Label lbVersion{"lbVersion"};
    ui::Label Label38{"Label38"};
    ui::Label lbDate{"lbDate"};
    ui::Label Label39{"Label39"};
    ui::Label lbCopyright{"lbCopyright"};
    ui::Label lbRights{"lbRights"};
    // About page, "Device" group: the labels the status poll refreshes.
    ui::GroupBox GroupBox1{"GroupBox1"};
    ui::Label lbDomain{"lbDomain"};
    ui::Label Domain{"Domain"};
    ui::Label lbMACAddr{"lbMACAddr"};
    ui::Label MACAddr{"MACAddr"};
    ui::Label lbDeviceName{"lbDeviceName"};
    ui::Label DeviceName{"DeviceName"};
    ui::Label lbDriverVersion{"lbDriverVersion"};
    ui::Label DriverVersion{"DriverVersion"};
    ui::Label lbDriverDate{"lbDriverDate"};
    ui::Label DriverDate{"DriverDate"};

    // ---- Configuration page: controls and their handlers (app/configuration_page.cpp) ----
    ui::GroupBox GroupBox5{"GroupBox5"};  // "Profile "
    ui::Label lbProFile{"lbProFile"};
    ui::ComboBox cbProFile{"cbProFile", ui::ComboStyle::DropDown};
    ui::Button Button4{"Button4"};        // "Save"
    ui::Button Button5{"Button5"};        // "Delete"
    ui::GroupBox GroupBox6{"GroupBox6"};  // "Network"
    ui::RadioButton rbInfra{"rbInfra"};
    ui::RadioButton rbAdHoc{"rbAdHoc"};
    ui::Label lbSSID{"lbSSID"};
    ui::ComboBox cbSSID{"cbSSID", ui::ComboStyle::DropDown};
    ui::Label lbAdHocChannel{"lbAdHocChannel"};
    ui::ComboBox cbChannel{"cbChannel"};
    ui::GroupBox GroupBox7{"GroupBox7"};  // "Advanced"
    ui::Label lbPowerSaving{"lbPowerSaving"};
    ui::ComboBox cbPowerSaving{"cbPowerSaving"};
    ui::Label lbRadioBand{"lbRadioBand"};
    ui::ComboBox cbRadioBand{"cbRadioBand"};
    ui::Label lbAdHoc{"lbAdHoc"};
    ui::ComboBox cbAdHoc{"cbAdHoc"};
    ui::Label lbTurbo{"lbTurbo"};
    ui::ComboBox cbTurbo{"cbTurbo"};
    ui::Label lbTxPower{"lbTxPower"};
    ui::ComboBox cbTxPower{"cbTxPower"};
    ui::Label lbPreamble{"lbPreamble"};
    ui::ComboBox cbPreamble{"cbPreamble"};

    void rbInfraClick();
    void rbAdHocClick();
    void cbRadioBandChange();
    void cbTurboChange();
    void cbAdHocChange();
    // "Automatic", then the list of the adapter's regulatory domain and the ad hoc band.
    void FillChannelList();
    // The same without the adapter: by the ad hoc band alone (a profile was chosen).
    void FillFixedChannelList();
    void SelectChannelByToken(std::string_view token);
    void RestoreChannelSelection(std::string_view token);
    // The first band rule the page breaks, or nothing.
    std::optional<std::string_view> CheckBandCompatibility() const;
    // A user error: one box, caption "warning", no icon.
    void Warn(std::string_view text);
    void InfrastructureBandRules();
    void AdHocBandRules(bool select5Ghz);

    // Profiles (app/profiles.cpp).
    void Button4Click();
    void Button5Click();
    void cbProFileClick();
    void BuildProfileList();
    void RebuildProfileList();
    void LoadProfileIntoForm(int index);
    std::optional<config::Key> OpenStore();
    std::optional<config::Key> OpenProfile(int index);
    std::optional<config::Key> OpenProfileOfItem(int item);
    std::vector<std::string> ProfileNames(const config::Key& store);
    void WriteProfileValues(config::Key& k, const std::string (&keys)[4]);
    void LoadProfileKeyTexts(config::Key& k);
    void LoadProfilePassphrase(config::Key& k);
    void LoadProfileDefaultKey(config::Key& k);
    // 1..4 for the checked default key radio, 0 for none.
    int CheckedKeyRadio();
    std::string PhraseToStore() const;

    // Apply (app/apply.cpp).
    AppliedSettings Applied;
    bool ApplyPending = false;
    void CaptureFormSettings(const std::string (&keys)[4]);
    void ShowBandRules();
    void WriteDriverParameters(config::Key& k, const std::string (&keys)[4]);
    void RecordSelectedProfile();
    // ---- end of Configuration page ----

    // Stations page.
    ui::StringGrid APSStringGrid{"APSStringGrid"};
    ui::Button btReScan{"btReScan"};

    ui::Timer DeviceDetect;
    ui::Timer InsertTimer;
    ui::Timer StatusTimer;
    ui::Timer ChannelTimer;
    ui::Timer SignalTimer;

    ui::PopupMenu PopupMenu1{"PopupMenu1"};
    ui::MenuItem Open1{"Open1", "Open"};
    ui::MenuItem About1{"About1", "About"};
    ui::MenuItem Exit1{"Exit1", "Exit"};

    // Change handlers of the Configuration and Security pages count as the user's edits, and
    // enable Apply, only while their own page is on view.
    void EnableApplyIfShowing(const ui::TabSheet& page);

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
    void FormCreate();
    void FormClose(ui::CloseAction& action);
    void CloseRequest(std::intptr_t lParam);
    void TrayCallback(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);

    // action: plat::kNimAdd, kNimModify or kNimDelete. Whether the shell took it.
    bool UpdateTrayIcon(std::uint32_t action);
    void ResetPerformanceView();
    void LoadDriverSettings();
    void ShowAppliedSettings();
    void RefreshScanList();
    void btReScanClick();
    void cbSSIDDropDown();
    // Status poll steps: the About page's domain and address, and the statistics page.
    void UpdateDeviceLabels();
    void UpdateStatistics();
    // Counts channel-display ticks while joined.
    int ChannelTick = 0;

  private:
    bool secondCopy_ = false;
    // What the channel tick last formatted, so that an unchanged network or channel is not
    // formatted again; an empty text: nothing yet.
    struct StationShown {
        std::uint8_t bssid[6] = {};
        std::string ssid, text;
    } stationShown_;
    struct ChannelShown {
        std::uint16_t frequency = 0, flags = 0;
        std::string text;
    } channelShown_;
    std::unique_ptr<plat::Event> instanceEvent_;  // held for the life of the program

    void BuildStatusPage();
    void BuildConfigurationControls();
    void WireConfigurationPage();
    void BuildSecurityPage();
    void WireSecurityPage();
    void BuildStationsPage();
    void BuildStatisticsPage();
    void BuildAboutPage();
    void ShowDriverFileInfo();
    void WireEvents();
};

}  // namespace app
