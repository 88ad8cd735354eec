#include "nicset/advanced_page.h"

#include <initializer_list>
#include <string>

#include "nicset/sheet_peer.h"
#include "nicset/strings.h"

namespace nicset {

namespace {

// Item indexes that the pass selects by name.
constexpr int kMode11b = 0, kMode11a = 1;
constexpr int kBand11b = 0, kBand11a = 1, kBandTurbo = 2;
constexpr int kOff = 0;
constexpr int kEncryptionWep = 0, kEncryptionAuto = 2;
constexpr int kPreambleShortLong = 0;

struct ComboRow {
    ui::ComboBox CVCustomAdvPage::*combo;
    int id;
    int AdvancedFields::*field;
    std::initializer_list<int> items;  // string ids; the item index is the field's code
};

// In the fields' order on the page; the preamble's items stand for codes 1 and 0.
const ComboRow kRows[] = {
    {&CVCustomAdvPage::cbPreamble,
     IDC_PREAMBLE,
     &AdvancedFields::preamble,
     {IDS_PREAMBLE_SHORT_LONG, IDS_PREAMBLE_LONG}},
    {&CVCustomAdvPage::cb54Mbps, IDC_54MBPS_24, &AdvancedFields::enable11g, {IDS_DISABLED}},
    {&CVCustomAdvPage::cbTransmitPower,
     IDC_TRANSMIT_POWER,
     &AdvancedFields::transmitPower,
     {IDS_POWER_100, IDS_POWER_50, IDS_POWER_25, IDS_POWER_12, IDS_POWER_LOWEST}},
    {&CVCustomAdvPage::cbAdHocBand,
     IDC_AD_HOC_BAND,
     &AdvancedFields::adHocBand,
     {IDS_MODE_11B, IDS_MODE_11A, IDS_MODE_TURBO}},
    {&CVCustomAdvPage::cbEncryptionType,
     IDC_ENCRYPTION_TYPE,
     &AdvancedFields::encryptionType,
     {IDS_WEP, IDS_AES, IDS_AUTO}},
    {&CVCustomAdvPage::cbScanMode,
     IDC_SCAN_MODE,
     &AdvancedFields::scanMode,
     {IDS_ACTIVE, IDS_PASSIVE, IDS_AUTO}},
    {&CVCustomAdvPage::cbWirelessMode,
     IDC_WIRELESS_MODE,
     &AdvancedFields::wirelessMode,
     {IDS_MODE_11B, IDS_MODE_11A, IDS_AUTO}},
    {&CVCustomAdvPage::cbTurbo, IDC_TURBO, &AdvancedFields::turbo, {IDS_DISABLED, IDS_ENABLED}},
    {&CVCustomAdvPage::cbRate,
     IDC_RATE_24,
     &AdvancedFields::extendedRange,
     {IDS_RATE_ALL, IDS_RATE_LOW}},
    {&CVCustomAdvPage::cbQos, IDC_QOS, &AdvancedFields::qos, {IDS_DISABLED, IDS_ENABLED}},
};

bool IsPreamble(const ComboRow& row) {
    return row.field == &AdvancedFields::preamble;
}

int ItemOfCode(const ComboRow& row, int code) {
    if (IsPreamble(row)) return code != 0 ? 0 : 1;
    return code >= 0 && code < static_cast<int>(row.items.size()) ? code : -1;
}

int CodeOfItem(const ComboRow& row, int item) {
    return IsPreamble(row) ? (item == 0 ? 1 : 0) : item;
}

void Fix(ui::ComboBox& combo, int item) {
    combo.SetItemIndex(item);
    combo.SetEnabled(false);
}

// What a combo the pass may have fixed will store: its item when fixed, else the field.
int WillStore(const ui::ComboBox& combo, int field) {
    return !combo.Enabled() && combo.ItemIndex() >= 0 ? combo.ItemIndex() : field;
}

}  // namespace

bool AdHocBandFits(int band, int wirelessMode, int turbo, int enable11g) {
    switch (band) {
        case 0:
            return wirelessMode != 1;
        case 1:
            return wirelessMode != 0;
        case 2:
            return wirelessMode != 0 && turbo != 0;
        case 3:
            return wirelessMode != 1 && enable11g != 0;
        default:
            return true;
    }
}

CVCustomAdvPage::CVCustomAdvPage(plat::Dialogs& dialogs)
    : PropertyPage("CVCustomAdvPage", kAdvancedTemplate), dialogs_(dialogs) {
    SetCaption("Advanced");
    for (const ComboRow& row : kRows) {
        ui::ComboBox& c = this->*row.combo;
        c.SetParent(this);
        c.SetId(row.id);
    }
    OnInitDialog = [this] { InitDialog(); };
    OnSetActive = [this] { DependencyPass(); };
    OnKillActive = [this] { return Leave(); };
    cbWirelessMode.OnChange = [this] { OnWirelessModeChange(); };
    cbTurbo.OnChange = [this] { OnTurboChange(); };
    cb54Mbps.OnChange = [this] { On54MbpsChange(); };
}

void CVCustomAdvPage::InitDialog() {
    for (const ComboRow& row : kRows) {
        ui::ComboBox& c = this->*row.combo;
        c.Clear();
        for (int id : row.items) c.AddItem(StringText(id));
        c.SetItemIndex(ItemOfCode(row, fields.*row.field));
    }
    // It offers nothing but "Disabled".
    cb54Mbps.SetEnabled(false);
    DependencyPass();
}

void CVCustomAdvPage::DependencyPass() {
    const AdvancedFields& f = fields;
    if (f.adapterType == 0) {
        Fix(cbWirelessMode, kMode11a);
        Fix(cb54Mbps, kOff);
        cbTurbo.SetEnabled(true);
        Fix(cbRate, 0);
        Fix(cbPreamble, kPreambleShortLong);
    } else if (f.adapterType == 1 || f.adapterType == 2) {
        if (f.wirelessMode >= 0 && f.wirelessMode <= 2) Fix(cb54Mbps, kOff);
        if (f.wirelessMode == kMode11b) {
            cbRate.SetEnabled(true);
            Fix(cbTurbo, kOff);
            cbPreamble.SetEnabled(true);
        } else if (f.wirelessMode == kMode11a) {
            Fix(cbRate, 0);
            cbTurbo.SetEnabled(true);
            Fix(cbPreamble, kPreambleShortLong);
        } else if (f.wirelessMode == 2) {
            cbTurbo.SetEnabled(true);
            cbRate.SetEnabled(true);
            cbPreamble.SetEnabled(true);
        }
    }
    if (f.adapterTypeSwitch == 0) {
        Fix(cbTurbo, kOff);
        Fix(cb54Mbps, kOff);
    }
    // The band follows the values that leaving will store, so a fixed mode or turbo cannot
    // leave it behind and fail the band check.
    const int mode = WillStore(cbWirelessMode, f.wirelessMode);
    const int turbo = WillStore(cbTurbo, f.turbo);
    const int enable11g = WillStore(cb54Mbps, f.enable11g);
    const int connection = SheetConnectionType(*this, dialogs_);
    if (connection == 1) {
        cbEncryptionType.SetEnabled(true);
        cbEncryptionType.SetItemIndex(kEncryptionAuto);
        Fix(cbAdHocBand, mode == kMode11b ? kBand11b : kBand11a);
    } else if (connection == 0) {
        Fix(cbEncryptionType, kEncryptionWep);
        if (mode == kMode11b) {
            if (enable11g)
                cbAdHocBand.SetEnabled(true);
            else
                Fix(cbAdHocBand, kBand11b);
        } else if (mode == kMode11a) {
            if (!turbo) {
                Fix(cbAdHocBand, kBand11a);
            } else {
                cbAdHocBand.SetEnabled(true);
                if (cbAdHocBand.ItemIndex() != kBandTurbo) cbAdHocBand.SetItemIndex(kBand11a);
            }
        } else if (mode == 2) {
            cbAdHocBand.SetEnabled(true);
        }
    }
}

void CVCustomAdvPage::ReadBack() {
    for (const ComboRow& row : kRows) {
        const int item = (this->*row.combo).ItemIndex();
        if (item >= 0) fields.*row.field = CodeOfItem(row, item);
    }
    DependencyPass();
}

bool CVCustomAdvPage::Leave() {
    ReadBack();
    const AdvancedFields& f = fields;
    if (AdHocBandFits(f.adHocBand, f.wirelessMode, f.turbo, f.enable11g)) return true;
    dialogs_.ShowMessageBox(0, StringText(IDS_ERR_AD_HOC_BAND), StringText(kIdsCaption),
                            plat::kMbOk);
    return false;
}

void CVCustomAdvPage::OnWirelessModeChange() {
    const int item = cbWirelessMode.ItemIndex();
    if (item >= 0) fields.wirelessMode = item;
    DependencyPass();
}

void CVCustomAdvPage::OnTurboChange() {
    const int item = cbTurbo.ItemIndex();
    if (item >= 0) fields.turbo = item;
    DependencyPass();
}

void CVCustomAdvPage::On54MbpsChange() {
    const int item = cb54Mbps.ItemIndex();
    if (item >= 0) fields.enable11g = item;
    DependencyPass();
}

}  // namespace nicset
