// The Configuration page's profiles: the list of the store's profiles, Save, Delete, and loading
// a profile into the two pages.
#include "app/form.h"
#include "config/channels.h"
#include "config/schema.h"
#include "config/store.h"

namespace app {

namespace {

constexpr const char* kKeyNames[] = {"SharedKey1", "SharedKey2", "SharedKey3", "SharedKey4"};
constexpr const char* kLengthNames[] = {"SharedKey1Length", "SharedKey2Length", "SharedKey3Length",
                                        "SharedKey4Length"};

}  // namespace

std::optional<config::Key> TForm1::OpenStore() {
    return config::Key::Open(platform.registry, config::StorePath(adapter.AdapterKeyPath()));
}

std::optional<config::Key> TForm1::OpenProfile(int index) {
    if (index < 0) return std::nullopt;
    return config::Key::Open(platform.registry,
                             config::ProfilePath(adapter.AdapterKeyPath(), index));
}

// One item per subkey, so that item i always stands for subkey i; a subkey that does not open
// gives an empty item.
std::vector<std::string> TForm1::ProfileNames(const config::Key& store) {
    std::vector<std::string> names;
    const int count = config::ProfileCount(store);
    for (int i = 0; i < count; ++i) {
        auto profile = OpenProfile(i);
        names.push_back(profile ? profile->ReadString("ConfigurationName") : std::string());
    }
    return names;
}

void TForm1::BuildProfileList() {
    auto store = OpenStore();
    if (!store) return;
    Applied.profileName = store->ReadString("SelectedConfigurationName");
    const auto names = ProfileNames(*store);
    cbProFile.Clear();
    for (std::size_t i = 0; i < names.size(); ++i) {
        cbProFile.AddItem(names[i]);
        if (names[i] == Applied.profileName) {
            cbProFile.SetItemIndex(static_cast<int>(i));
            Applied.profileIndex = static_cast<int>(i);
        }
    }
}

void TForm1::RebuildProfileList() {
    cbProFile.Clear();
    auto store = OpenStore();
    if (!store) return;
    for (const std::string& name : ProfileNames(*store)) cbProFile.AddItem(name);
}

void TForm1::Button4Click() {
    if (auto message = CheckWepKeys()) return Warn(*message);
    if (auto message = CheckBandCompatibility()) return Warn(*message);
    // Every key is enciphered before anything is written.
    std::string keys[4];
    for (int i = 0; i < 4; ++i) {
        auto stored = StoredKeyFor(i);
        if (!stored) return;
        keys[i] = *stored;
    }
    const std::string name = cbProFile.Text();
    int count = 0;
    std::optional<config::Key> target;
    if (auto store = OpenStore()) {
        count = config::ProfileCount(*store);
        for (int i = 0; i < count && !target; ++i) {
            auto profile = OpenProfile(i);
            if (profile && profile->ReadString("ConfigurationName") == name)
                target = std::move(profile);
        }
    }
    if (count == 0) Button5.SetEnabled(true);
    if (!target) {
        const std::string path = config::ProfilePath(adapter.AdapterKeyPath(), count);
        target = config::Key::Create(platform.registry, path);
        for (const config::ValueDef& d : config::Schema()) {
            if (d.where != config::Where::Profile || !d.newProfileOnly) continue;
            if (d.type == plat::RegType::Dword)
                target->WriteDword(d.name, d.number);
            else
                target->WriteString(d.name, d.text);
        }
        target->WriteString("ConfigurationName", name);
    }
    WriteProfileValues(*target, keys);
    target.reset();
    RebuildProfileList();
    for (int i = 0; i < cbProFile.Count(); ++i) {
        if (cbProFile.Item(i) != name) continue;
        cbProFile.SetItemIndex(i);
        LoadProfileIntoForm(i);
    }
}

void TForm1::WriteProfileValues(config::Key& k, const std::string (&keys)[4]) {
    k.WriteDword("NetBand", config::ProfileBand(cbRadioBand.ItemIndex()));
    k.WriteDword("AdHocBand", static_cast<std::uint32_t>(cbAdHoc.ItemIndex()));
    k.WriteDword("EnableTurbo", static_cast<std::uint32_t>(cbTurbo.ItemIndex()));
    k.WriteDword("tpc", static_cast<std::uint32_t>(cbTxPower.ItemIndex()));
    config::WriteChannelToken(k, "clistpro", cbChannel.Text());
    k.WriteDword("Preamble", cbPreamble.ItemIndex() == 0 ? 1 : 0);
    k.WriteDword("PowerManagement", static_cast<std::uint32_t>(cbPowerSaving.ItemIndex()));
    k.WriteDword("NetworkConnectionType", rbInfra.Checked() ? 1 : 0);
    k.WriteString("NetworkName", cbSSID.Text());
    k.WriteDword("DefaultKey", static_cast<std::uint32_t>(CheckedKeyRadio()));
    k.WriteDword("EnableSecurity", chWEPEncryption.Checked() ? 1 : 0);
    for (int i = 0; i < 4; ++i)
        config::WriteKeyLengthBits(k, kLengthNames[i], KeySize(i).ItemIndex());
    config::WriteKeyLengthBits(k, "PassLength", cbPassLength.ItemIndex());
    k.WriteString("Phrase", PhraseToStore());
    k.WriteDword("WepEntry", rbPass.Checked() ? 0 : 1);
    for (int i = 0; i < 4; ++i) k.WriteString(kKeyNames[i], keys[i]);
    k.WriteString("UniqueKey", "");
    k.WriteDword("UniqueKeyLength", 40);
}

int TForm1::CheckedKeyRadio() {
    for (int i = 0; i < 4; ++i)
        if (KeyRadio(i).Checked()) return i + 1;
    return 0;
}

std::string TForm1::PhraseToStore() const {
    return EditPass.Text() == kKeyMask ? StoredPhrase : EditPass.Text();
}

void TForm1::Button5Click() {
    auto store = OpenStore();
    if (!store) return;
    const int count = config::ProfileCount(*store);
    if (count == 1) Button5.SetEnabled(false);
    for (int i = 0; i < count; ++i) {
        auto profile = OpenProfile(i);
        if (!profile || profile->ReadString("ConfigurationName") != cbProFile.Text()) continue;
        profile.reset();
        store->DeleteSubKey(config::ProfileKeyName(i));
        // The item of the deleted subkey goes, whichever item is selected: a typed name leaves
        // the list aligned with the store.
        cbProFile.DeleteItem(i);
        cbProFile.SetItemIndex(i > 0 ? i - 1 : 0);
        for (int j = i + 1; j < count; ++j)
            store->MoveSubKey(config::ProfileKeyName(j), config::ProfileKeyName(j - 1));
        if (!cbProFile.Text().empty()) LoadProfileIntoForm(cbProFile.ItemIndex());
    }
}

// The subkey of a list item, only when it still holds the profile the item names.
std::optional<config::Key> TForm1::OpenProfileOfItem(int item) {
    auto profile = OpenProfile(item);
    if (!profile || item >= cbProFile.Count()) return std::nullopt;
    if (profile->ReadString("ConfigurationName") != cbProFile.Item(item)) return std::nullopt;
    return profile;
}

void TForm1::cbProFileClick() {
    auto k = OpenProfileOfItem(cbProFile.ItemIndex());
    if (!k) return;
    if (!k->ValueExists("Preamble")) {
        k->WriteDword("Preamble", 1);
        for (const char* name : kLengthNames) k->WriteDword(name, 40);
        for (const char* name : kKeyNames) k->WriteString(name, "");
        k->WriteString("UniqueKey", "");
        k->WriteDword("UniqueKeyLength", 40);
        k->WriteDword("WepEntry", 1);
        k->WriteString("Phrase", "");
        k->WriteDword("PassLength", 40);
    }
    cbRadioBand.SetItemIndex(config::BandIndexOfProfile(k->ReadDword("NetBand")));
    cbAdHoc.SetItemIndex(static_cast<int>(k->ReadDword("AdHocBand")));
    cbTurbo.SetItemIndex(static_cast<int>(k->ReadDword("EnableTurbo")));
    cbTxPower.SetItemIndex(static_cast<int>(k->ReadDword("tpc")));
    cbPowerSaving.SetItemIndex(static_cast<int>(k->ReadDword("PowerManagement")));
    cbSSID.SetText(k->ReadString("NetworkName"));
    cbPreamble.SetItemIndex(k->ReadDword("Preamble") != 0 ? 0 : 1);
    if (k->ReadDword("NetworkConnectionType") != 0) {
        rbInfra.SetChecked(true);
    } else {
        rbAdHoc.SetChecked(true);
        FillFixedChannelList();
        if (k->ValueExists("clistpro")) {
            const std::string token = k->ReadString("clistpro");
            if (token.empty())
                cbChannel.SetItemIndex(0);
            else
                SelectChannelByToken(token);
        } else {
            k->WriteString("clistpro", "");
        }
    }
    chWEPEncryption.SetChecked(k->ReadDword("EnableSecurity") != 0);
    LoadProfileKeyTexts(*k);
    LoadProfilePassphrase(*k);
    LoadProfileDefaultKey(*k);
    SetSecurityEnableState();
}

void TForm1::LoadProfileKeyTexts(config::Key& k) {
    for (int i = 0; i < 4; ++i) {
        const int index = config::KeyLengthIndex(k.ReadDword(kLengthNames[i]));
        KeySize(i).SetItemIndex(index);
        KeyEdit(i).SetMaxLength(config::KeyDigits(index));
    }
    for (int i = 0; i < 4; ++i) {
        StoredKeyText[i] = k.ReadString(kKeyNames[i]);
        KeyEdit(i).SetText(StoredKeyText[i].empty() ? std::string_view() : kKeyMask);
    }
}

// With the repair of a profile written without the passphrase values.
void TForm1::LoadProfilePassphrase(config::Key& k) {
    if (!k.ValueExists("PassLength")) k.WriteDword("PassLength", 40);
    if (!k.ValueExists("Phrase")) k.WriteString("Phrase", "");
    if (!k.ValueExists("WepEntry")) k.WriteDword("WepEntry", 1);
    cbPassLength.SetItemIndex(config::KeyLengthIndex(k.ReadDword("PassLength")));
    StoredPhrase = k.ReadString("Phrase");
    EditPass.SetText(StoredPhrase.empty() ? std::string_view() : kKeyMask);
    if (k.ReadDword("WepEntry") != 0)
        rbManu.SetChecked(true);
    else
        rbPass.SetChecked(true);
}

void TForm1::LoadProfileDefaultKey(config::Key& k) {
    const auto key = k.ReadDword("DefaultKey");
    if (key >= 1 && key <= 4) KeyRadio(static_cast<int>(key) - 1).SetChecked(true);
}

void TForm1::LoadProfileIntoForm(int index) {
    auto k = OpenProfileOfItem(index);
    if (!k) return;
    cbRadioBand.SetItemIndex(config::BandIndexOfProfile(k->ReadDword("NetBand")));
    cbAdHoc.SetItemIndex(static_cast<int>(k->ReadDword("AdHocBand")));
    cbTurbo.SetItemIndex(static_cast<int>(k->ReadDword("EnableTurbo")));
    cbPowerSaving.SetItemIndex(static_cast<int>(k->ReadDword("PowerManagement")));
    cbPreamble.SetItemIndex(k->ReadDword("Preamble") != 0 ? 0 : 1);
    if (k->ReadDword("NetworkConnectionType") != 0)
        rbInfra.SetChecked(true);
    else
        rbAdHoc.SetChecked(true);
    chWEPEncryption.SetChecked(k->ReadDword("EnableSecurity") != 0);
    LoadProfileKeyTexts(*k);
    LoadProfileDefaultKey(*k);
    LoadProfilePassphrase(*k);
    SetSecurityEnableState();
}

}  // namespace app
