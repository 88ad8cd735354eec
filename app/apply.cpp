// Apply: the settings in force read from the driver key, shown in the pages, and the pages'
// settings written to the driver, which restarts to take them up.
#include <cctype>

#include "adapter/device_control.h"
#include "app/form.h"
#include "config/channels.h"
#include "config/schema.h"
#include "config/store.h"

namespace app {

namespace {

constexpr const char* kDriverKeys[] = {"key0", "key1", "key2", "key3"};
constexpr const char* kDriverLengths[] = {"keyLength0", "keyLength1", "keyLength2", "keyLength3"};
constexpr int kRestartAttempts = 5;
constexpr std::uint32_t kRestartWaitMs = 1000;

int IndexOf(std::string_view text, int count) {
    if (text.size() != 1 || text[0] < '0' || text[0] >= '0' + count) return -1;
    return text[0] - '0';
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

// Puts the cursor back however the block ends.
class CursorGuard {
  public:
    CursorGuard(ui::Screen& screen, ui::Cursor during)
        : screen_(screen), saved_(screen.GetCursor()) {
        screen_.SetCursor(during);
    }
    ~CursorGuard() { screen_.SetCursor(saved_); }
    CursorGuard(const CursorGuard&) = delete;
    CursorGuard& operator=(const CursorGuard&) = delete;

  private:
    ui::Screen& screen_;
    ui::Cursor saved_;
};

}  // namespace

void TForm1::LoadDriverSettings() {
    BuildProfileList();
    if (auto k = config::Key::Open(platform.registry, adapter.AdapterKeyPath())) {
        AppliedSettings& a = Applied;
        DeviceName.SetCaption(k->ReadString("DriverDesc"));
        a.infrastructure = k->ReadString("bssType") == "1";
        a.channelToken = k->ReadString("clist");
        if (auto i = config::IndexOfDriver(config::PowerCodes(), k->ReadString("sleepMode")))
            a.powerSaving = *i;
        if (auto band = config::DecodeDriverBand(k->ReadString("NetBand"))) {
            a.band = static_cast<int>(config::ProfileBand(band->band));
            a.turbo = band->turbo ? 1 : 0;
        }
        if (int i = IndexOf(k->ReadString("AdHocBand"), 3); i >= 0) a.adHocBand = i;
        if (int i = IndexOf(k->ReadString("tpc"), 5); i >= 0) a.txPower = i;
        a.preambleAuto = k->ReadString("shortPreamble") == "1";
        a.wepEnabled = k->ReadString("privacyInvoked") == "1";
        config::RepairDriverKey(*k);
        a.ssid = k->ReadString("ssid");
        for (int i = 0; i < 4; ++i) {
            a.keyBits[i] = static_cast<int>(
                config::BitsOfLengthText(k->ReadString(kDriverLengths[i])).value_or(0));
        }
        for (int i = 0; i < 4; ++i) {
            a.keyText[i] = k->ReadString(kDriverKeys[i]);
            StoredKeyText[i] = a.keyText[i];
        }
        if (int i = IndexOf(k->ReadString("defaultKey"), 4); i >= 0) a.defaultKey = i + 1;
        a.manualEntry = k->ReadDword("WepEntry") != 0;
        a.passphrase = k->ReadString("Phrase");
        StoredPhrase = a.passphrase;
        if (auto bits = config::BitsOfLengthText(k->ReadString("PassLength")))
            a.passBits = static_cast<int>(*bits);
    }
    ShowDriverFileInfo();
}

void TForm1::CaptureFormSettings(const std::string (&keys)[4]) {
    AppliedSettings& a = Applied;
    a.profileName = cbProFile.Text();
    a.profileIndex = cbProFile.ItemIndex();
    a.infrastructure = rbInfra.Checked();
    a.band = static_cast<int>(config::ProfileBand(cbRadioBand.ItemIndex()));
    a.turbo = cbTurbo.ItemIndex();
    a.powerSaving = cbPowerSaving.ItemIndex();
    a.adHocBand = cbAdHoc.ItemIndex();
    a.txPower = cbTxPower.ItemIndex();
    a.preambleAuto = cbPreamble.ItemIndex() == 0;
    a.wepEnabled = chWEPEncryption.Checked();
    if (int key = CheckedKeyRadio()) a.defaultKey = key;
    for (int i = 0; i < 4; ++i)
        if (auto bits = config::ProfileNumber(config::KeyLengthCodes(), KeySize(i).ItemIndex()))
            a.keyBits[i] = static_cast<int>(*bits);
    if (a.wepEnabled)
        for (int i = 0; i < 4; ++i)
            if (KeyEdit(i).Text() != kKeyMask) a.keyText[i] = keys[i];
    a.manualEntry = !rbPass.Checked();
    if (EditPass.Text() != kKeyMask) a.passphrase = EditPass.Text();
    a.passBits = cbPassLength.ItemIndex() == 1 ? 104 : 40;
}

void TForm1::ShowAppliedSettings() {
    const AppliedSettings& a = Applied;
    const int item = a.profileIndex;
    cbProFile.SetItemIndex(
        item >= 0 && item < cbProFile.Count() && cbProFile.Item(item) == a.profileName ? item : 0);
    cbSSID.SetText(a.ssid);
    cbAdHoc.SetItemIndex(a.adHocBand);
    cbRadioBand.SetItemIndex(config::BandIndexOfProfile(static_cast<std::uint32_t>(a.band)));
    FillChannelList();
    if (a.infrastructure) {
        rbInfra.SetChecked(true);
        cbChannel.SetEnabled(false);
        cbChannel.SetItemIndex(0);
    } else {
        rbAdHoc.SetChecked(true);
        cbChannel.SetEnabled(true);
        RestoreChannelSelection(a.channelToken);
    }
    cbTurbo.SetItemIndex(a.turbo);
    cbPowerSaving.SetItemIndex(a.powerSaving);
    ShowBandRules();
    cbTxPower.SetItemIndex(a.txPower);
    cbPreamble.SetItemIndex(a.preambleAuto ? 0 : 1);
    chWEPEncryption.SetChecked(a.wepEnabled);
    if (a.manualEntry)
        rbManu.SetChecked(true);
    else
        rbPass.SetChecked(true);
    EditPass.SetText(a.passphrase.empty() ? std::string_view() : kKeyMask);
    StoredPhrase = a.passphrase;
    cbPassLength.SetItemIndex(config::KeyLengthIndex(static_cast<std::uint32_t>(a.passBits)));
    SetSecurityEnableState();
    for (int i = 0; i < 4; ++i) {
        const int index = config::KeyLengthIndex(static_cast<std::uint32_t>(a.keyBits[i]));
        KeySize(i).SetItemIndex(index);
        KeyEdit(i).SetMaxLength(config::KeyDigits(index));
        StoredKeyText[i] = a.keyText[i];
        KeyEdit(i).SetText(a.keyText[i].empty() ? std::string_view() : kKeyMask);
    }
    for (int i = 0; i < 4; ++i) KeyRadio(i).SetChecked(a.defaultKey == i + 1);
}

// The band boxes for the mode and wireless mode shown.
void TForm1::ShowBandRules() {
    cbRadioBand.SetEnabled(true);
    if (rbInfra.Checked()) {
        rbAdHoc.SetChecked(false);
        cbAdHoc.SetEnabled(false);
        InfrastructureBandRules();
    } else {
        AdHocBandRules(false);
    }
}

void TForm1::WriteDriverParameters(config::Key& k, const std::string (&keys)[4]) {
    const std::string& ssid = cbSSID.Text();
    k.WriteString("ssid", SameIgnoringCase(ssid, "ANY") ? std::string_view() : ssid);
    k.WriteString("bssType", rbInfra.Checked() ? "1" : "2");
    if (rbInfra.Checked())
        k.WriteString("clist", "");
    else
        config::WriteChannelToken(k, "clist", cbChannel.Text());
    if (auto t = config::DriverText(config::PowerCodes(), cbPowerSaving.ItemIndex()))
        k.WriteString("sleepMode", *t);
    if (cbRadioBand.ItemIndex() >= 0)
        k.WriteString("NetBand", config::EncodeDriverBand(
                                     {cbRadioBand.ItemIndex(), cbTurbo.ItemIndex() == 1}));
    if (cbTxPower.ItemIndex() >= 0) k.WriteString("tpc", std::to_string(cbTxPower.ItemIndex()));
    if (cbAdHoc.ItemIndex() >= 0) k.WriteString("AdHocBand", std::to_string(cbAdHoc.ItemIndex()));
    if (auto t = config::DriverText(config::PreambleCodes(), cbPreamble.ItemIndex()))
        k.WriteString("shortPreamble", *t);
    config::WriteKeyLengthBytes(k, "PassLength", cbPassLength.ItemIndex());
    k.WriteString("Phrase", PhraseToStore());
    k.WriteDword("WepEntry", rbPass.Checked() ? 0 : 1);
    const bool wep = chWEPEncryption.Checked();
    k.WriteString("privacyInvoked", wep ? "1" : "0");
    const int key = CheckedKeyRadio();
    k.WriteString("defaultKey", std::to_string(key > 0 ? key - 1 : 0));
    if (!wep)
        for (int i = 0; i < 4; ++i)
            config::WriteKeyLengthBytes(k, kDriverLengths[i], KeySize(i).ItemIndex());
    k.WriteString("uniqKey", "");
    k.WriteString("uniqKeyLength", "0");
    for (int i = 0; i < 4; ++i) {
        k.WriteString(kDriverKeys[i], keys[i]);
        if (KeyEdit(i).Text().empty())
            k.WriteString(kDriverLengths[i], "0");
        else
            config::WriteKeyLengthBytes(k, kDriverLengths[i], KeySize(i).ItemIndex());
    }
}

void TForm1::ApplyClick() {
    auto failed = [this](std::string_view message) {
        Warn(message);
        ApplyPending = false;
    };
    if (auto message = CheckWepKeys()) return failed(*message);
    if (auto message = CheckBandCompatibility()) return failed(*message);
    std::string keys[4];
    for (int i = 0; i < 4; ++i) {
        auto stored = StoredKeyFor(i);
        if (!stored) {
            ApplyPending = false;
            return;
        }
        keys[i] = *stored;
    }
    {
        CursorGuard hourglass(Screen, ui::Cursor::HourGlass);
        CaptureFormSettings(keys);
        if (auto k = config::Key::Open(platform.registry, adapter.AdapterKeyPath()))
            WriteDriverParameters(*k, keys);
        RecordSelectedProfile();
        InsertTimer.SetEnabled(false);
        StatusTimer.SetEnabled(false);
        if (platform.packet.IsWindowsNT()) {
            for (int i = 0; i < kRestartAttempts; ++i)
                if (adapter::SetAdapterDeviceEnabled(platform.setup, adapter::kDriverServiceName,
                                                     false))
                    break;
            for (int i = 0; i < kRestartAttempts; ++i)
                if (adapter::SetAdapterDeviceEnabled(platform.setup, adapter::kDriverServiceName,
                                                     true))
                    break;
            platform.loop.Sleep(kRestartWaitMs);
        } else {
            Warn(
                "You have change the configuration.\nPlease reboot your computer to enable the "
                "change.");
        }
    }
    Apply.SetEnabled(false);
    PageControl1.SetActivePage(&TabSheet1);
    LoadDriverSettings();
    ShowAppliedSettings();
    InsertTimer.SetEnabled(true);
}

void TForm1::RecordSelectedProfile() {
    const std::string& name = cbProFile.Text();
    if (!config::FindProfile(platform.registry, adapter.AdapterKeyPath(), name)) return;
    auto store = OpenStore();
    if (!store) return;
    store->WriteDword("SelectedConfigurationIndex",
                      static_cast<std::uint32_t>(cbProFile.ItemIndex()));
    store->WriteString("SelectedConfigurationName", name);
}

void TForm1::btOKClick() {
    ApplyPending = true;
    if (Apply.Enabled()) ApplyClick();
    if (ApplyPending) Hide();
}

void TForm1::btCancelClick() {
    ShowAppliedSettings();
    Apply.SetEnabled(false);
    Hide();
}

}  // namespace app
