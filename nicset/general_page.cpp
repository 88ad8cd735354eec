#include "nicset/general_page.h"

#include "nicset/advanced_page.h"
#include "nicset/security_page.h"
#include "nicset/strings.h"
#include "platform/registry.h"

namespace nicset {

namespace {

std::string PageCaption(int titleId) {
    return std::string(StringText(kIdsCaption)) + "(" + std::string(StringText(titleId)) + ")";
}

std::string Continued(int id) {
    return std::string(StringText(id)) + std::string(StringText(IDS_CONTINUE));
}

}  // namespace

CVCustomGenPage::CVCustomGenPage(plat::Dialogs& dialogs)
    : PropertyPage("CVCustomGenPage", kGeneralTemplate),
      edAddress("edAddress", dialogs),
      dialogs_(dialogs) {
    SetCaption(StringText(IDS_GENERAL));
    struct Placed {
        ui::Control& c;
        int id;
    } controls[] = {{edName, IDC_CONFIGURATION_NAME},       {edNetworkName, IDC_NETWORK_NAME},
                    {edAddress, IDC_MAC_ADDRESS},           {chAddress, IDC_MAC_ADDRESS_ON},
                    {cbConnection, IDC_NETWORK_CONNECTION}, {cbPowerSaving, IDC_POWER_SAVING}};
    for (auto& p : controls) {
        p.c.SetParent(this);
        p.c.SetId(p.id);
    }
    edNetworkName.SetMaxLength(kNetworkNameMax);
    edAddress.SetUpperCase(true);
    OnInitDialog = [this] { InitDialog(); };
    OnKillActive = [this] { return Leave(); };
    OnApply = [this] { return ApplyPage(); };
    chAddress.OnClick = [this] { AddressClick(); };
    cbConnection.OnChange = [this] { ConnectionChange(); };
    edAddress.OnUpdate = [this] { AddressUpdate(); };
}

void CVCustomGenPage::FromDialog() {
    fields.name = edName.Text();
    fields.macAddressOn = chAddress.Checked() ? 1 : 0;
    fields.macAddress = edAddress.Text();
    fields.networkName = edNetworkName.Text().substr(0, kNetworkNameMax);
}

void CVCustomGenPage::ToDialog() {
    edName.SetText(fields.name);
    // The check box's handler is for the user's click, not for the page showing its field.
    showing_ = true;
    chAddress.SetChecked(fields.macAddressOn != 0);
    showing_ = false;
    edAddress.SetText(fields.macAddress);
    edNetworkName.SetText(fields.networkName);
}

void CVCustomGenPage::SelectPowerOff() {
    cbPowerSaving.SetItemIndex(0);
    cbPowerSaving.SetEnabled(false);
}

void CVCustomGenPage::InitDialog() {
    // A profile of an adapter that forbids ad hoc is an infrastructure one, power saving too.
    if (fields.notAdHoc) fields.connectionType = 1;
    ToDialog();
    cbConnection.Clear();
    cbConnection.AddItem(StringText(kIdsAdHoc));
    cbConnection.AddItem(StringText(kIdsInfrastructure));
    if (fields.notAdHoc) {
        cbConnection.SetItemIndex(1);
        cbConnection.SetEnabled(false);
    } else {
        cbConnection.SetItemIndex(
            fields.connectionType == 0 || fields.connectionType == 1 ? fields.connectionType : -1);
    }
    cbPowerSaving.Clear();
    for (int id : {kIdsOff, kIdsNormal, kIdsMaximum}) cbPowerSaving.AddItem(StringText(id));
    if (fields.connectionType != 0) {
        cbPowerSaving.SetItemIndex(
            fields.powerSaving >= 0 && fields.powerSaving <= 2 ? fields.powerSaving : -1);
    } else {
        SelectPowerOff();
    }
    edAddress.SetEnabled(fields.macAddressOn != 0);
    edAddress.SetHexOnly(true);
    edAddress.SetMaxLength(kMacAddressDigits);
}

void CVCustomGenPage::AddressClick() {
    if (showing_) return;
    FromDialog();
    edAddress.SetEnabled(fields.macAddressOn != 0);
}

void CVCustomGenPage::ConnectionChange() {
    if (cbConnection.ItemIndex() != 0) {
        fields.connectionType = 1;
        cbPowerSaving.SetEnabled(true);
    } else {
        fields.connectionType = 0;
        SelectPowerOff();
    }
}

void CVCustomGenPage::AddressUpdate() {
    FromDialog();
    if (!fields.macAddressOn) {
        fields.macAddress.clear();
    } else if (!IsHexText(fields.macAddress)) {
        fields.macAddress.clear();
        edAddress.ErrorBeep();
    } else if (fields.macAddress.size() > static_cast<std::size_t>(kMacAddressDigits)) {
        fields.macAddress.resize(kMacAddressDigits);
        dialogs_.Beep(plat::kMbIconWarning);
    } else {
        return;
    }
    ToDialog();
}

void CVCustomGenPage::StoreCombos() {
    const int connection = cbConnection.ItemIndex();
    if (connection == 0 || connection == 1) fields.connectionType = connection;
    const int power = cbPowerSaving.ItemIndex();
    if (power >= 0 && power <= 2) fields.powerSaving = power;
}

int CVCustomGenPage::Ask(std::string_view text, std::string_view caption, std::uint32_t type) {
    return dialogs_.ShowMessageBox(Handle(), text, caption, type);
}

bool CVCustomGenPage::Leave() {
    FromDialog();
    std::string nameError;
    if (fields.name.empty()) {
        nameError = StringText(IDS_ERR_NAME_EMPTY);
    } else if (!plat::SameName(fields.name, fields.startingName)) {
        for (const std::string& n : fields.allNames)
            if (plat::SameName(n, fields.name)) nameError = StringText(IDS_ERR_NAME_DUPLICATE);
    }
    // Twelve characters that are not all hex digits can only come from a damaged store.
    const bool addressOk = !fields.macAddressOn || (fields.macAddress.size() == kMacAddressDigits &&
                                                    IsHexText(fields.macAddress));
    const std::string addressError = addressOk ? "" : std::string(StringText(IDS_ERR_MAC_ADDRESS));
    if (!fields.macAddressOn) {
        fields.macAddress.clear();
        ToDialog();
    }
    const std::string caption = PageCaption(IDS_GENERAL);
    if (!nameError.empty() || !addressError.empty()) {
        Ask(std::string(StringText(IDS_CORRECT_ERRORS)) + nameError + addressError, caption,
            plat::kMbOk);
        return false;
    }
    if (fields.connectionType == 0 && fields.networkName.empty() && !warnedOnce) {
        if (Ask(Continued(IDS_WARN_NETWORK_NAME), caption, plat::kMbYesNo | plat::kMbIconWarning) !=
            plat::kIdYes)
            return false;
        warnedOnce = true;
    }
    StoreCombos();
    FromDialog();
    return true;
}

void CVCustomGenPage::OK() {
    FromDialog();
    StoreCombos();
}

bool CVCustomGenPage::ApplyPage() {
    ui::PropertySheet* sheet = Sheet();
    auto* security = sheet ? dynamic_cast<CVCustomSecurityPage*>(sheet->Page(1)) : nullptr;
    auto* advanced = sheet ? dynamic_cast<CVCustomAdvPage*>(sheet->Page(2)) : nullptr;
    if (!security || !advanced) {
        Ask(StringText(IDS_NO_SHEET), kAppletName, plat::kMbOk);
        return false;
    }
    SecurityFields& s = security->fields;
    if (fields.connectionType == 0 && s.securityOn && !s.uniqueKey.empty()) {
        const bool wasDefault = s.defaultKey == kDefaultKeyUnique;
        int next = 0;
        for (int i = 0; i < 4 && next == 0; ++i)
            if (!s.sharedKeys[static_cast<std::size_t>(i)].empty()) next = i + 1;
        std::string text = std::string(StringText(IDS_UNIQUE_KEY_AD_HOC));
        if (wasDefault) {
            text += FormatString(StringText(IDS_NEW_DEFAULT_KEY),
                                 {next ? StringText(kIdsFirst + next - 1) : std::string_view()});
        }
        text += StringText(IDS_CONTINUE);
        if (Ask(text, kAppletName, plat::kMbYesNo) != plat::kIdYes) return false;
        s.uniqueKey.clear();
        if (auto* edit = dynamic_cast<ui::Edit*>(security->FindById(IDC_UNIQUE_KEY)))
            edit->SetText("");
        // With no shared key left there is no default key rather than one that was removed.
        if (wasDefault) s.defaultKey = next ? next : kDefaultKeyNone;
    }
    AdvancedFields& a = advanced->fields;
    if (fields.connectionType == 1 && a.encryptionType == 1 &&
        (!s.securityOn || s.uniqueKey.empty())) {
        if (Ask(Continued(IDS_AES_WITHOUT_UNIQUE_KEY), kAppletName, plat::kMbYesNo) != plat::kIdYes)
            return false;
        a.encryptionType = 2;
        if (auto* combo = dynamic_cast<ui::ComboBox*>(advanced->FindById(IDC_ENCRYPTION_TYPE));
            combo && combo->Count() > 2)
            combo->SetItemIndex(2);
    }
    StoreCombos();
    OK();
    return true;
}

}  // namespace nicset
