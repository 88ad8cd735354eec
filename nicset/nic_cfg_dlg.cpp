#include "nicset/nic_cfg_dlg.h"

#include "nicset/profile_store.h"
#include "nicset/restart.h"
#include "nicset/strings.h"
#include "platform/registry.h"

namespace nicset {

namespace {

constexpr ui::HelpId kDialogHelp[] = {{1037, 66574}, {1035, 66538}, {1034, 66796}, {1033, 66797},
                                      {1032, 66539}, {1031, 66799}, {1036, 66544}};

}  // namespace

std::string DetailsText(const ConfigurationRecord& r) {
    const bool adHoc = r.connectionType == 0;
    std::string_view power;
    if (adHoc) {
        power = StringText(kIdsOff);
    } else if (r.powerSaving >= 0 && r.powerSaving <= 2) {
        power = StringText(kIdsOff + r.powerSaving);
    }
    std::string security;
    if (r.securityOn) {
        std::string key;
        if (r.defaultKey == kDefaultKeyUnique)
            key = StringText(kIdsUniqueKey);
        else if (r.defaultKey >= 1 && r.defaultKey <= 4)
            key =
                FormatString(StringText(kIdsSharedKey), {StringText(kIdsFirst + r.defaultKey - 1)});
        security = FormatString(StringText(kIdsDefaultKey), {key});
    }
    return FormatString(StringText(kIdsDetails),
                        {r.networkName.empty() ? StringText(kIdsEmpty) : r.networkName,
                         StringText(adHoc ? kIdsAdHoc : kIdsInfrastructure), power,
                         r.macAddressOn ? std::string_view(r.macAddress) : StringText(kIdsNotUsed),
                         StringText(r.securityOn ? kIdsEnabled : kIdsDisabled), security});
}

CVNicCfgDlg::CVNicCfgDlg(plat::Platform& platform, ui::ModalRunner& modal)
    : platform_(platform), modal_(modal) {
    dialog.SetCaption(std::string(kAppletName));
    dialog.helpIds.assign(std::begin(kDialogHelp), std::end(kDialogHelp));
    struct Placed {
        ui::Control& c;
        int id;
    } controls[] = {{edSelected, 1031},   {lbConfigurations, 1032}, {btNew, 1033},
                    {btModify, 1034},     {btDelete, 1035},         {stDetails, 1036},
                    {cbNetworkCard, 1037}};
    for (auto& p : controls) {
        p.c.SetParent(&dialog);
        p.c.SetId(p.id);
    }
    edSelected.SetReadOnly(true);
    lbConfigurations.SetSorted(true);
    cbNetworkCard.SetSorted(true);
    dialog.OnInitDialog = [this] { OnInitDialog(); };
    dialog.OnOK = [this] { OnOK(); };
    cbNetworkCard.OnChange = [this] { OnNetworkCardChange(); };
    lbConfigurations.OnClick = [this] { OnSelectionChange(); };
    btNew.OnClick = [this] { OnNew(); };
    btModify.OnClick = [this] { OnModify(); };
    btDelete.OnClick = [this] { OnDelete(); };
}

void CVNicCfgDlg::OnInitDialog() {
    adapters = DiscoverAdapters(platform_.registry, platform_.setup, platform_.system.Version());
    cbNetworkCard.Clear();
    for (const AdapterEntry& a : adapters) cbNetworkCard.AddItem(a.displayName);
    cbNetworkCard.SetItemIndex(cbNetworkCard.Count() > 0 ? 0 : -1);
    FillList();
    Refresh();
}

AdapterEntry* CVNicCfgDlg::ShownAdapter() {
    const int i = cbNetworkCard.ItemIndex();
    if (i < 0) return nullptr;
    for (AdapterEntry& a : adapters)
        if (a.displayName == cbNetworkCard.Item(i)) return &a;
    return nullptr;
}

void CVNicCfgDlg::FillList() {
    lbConfigurations.Clear();
    AdapterEntry* a = ShownAdapter();
    if (!a) return;
    for (const ConfigurationRecord& r : a->records) lbConfigurations.AddItem(r.name);
    int select = 0;
    if (a->selectedFound) {
        for (int i = 0; i < lbConfigurations.Count(); ++i)
            if (plat::SameName(lbConfigurations.Item(i), a->storedSelectedName)) select = i;
    }
    lbConfigurations.SetItemIndex(lbConfigurations.Count() > 0 ? select : -1);
}

ConfigurationRecord* CVNicCfgDlg::SelectedRecord(AdapterEntry& a) {
    const int item = lbConfigurations.ItemIndex();
    if (item < 0) return a.records.empty() ? nullptr : &a.records.front();
    auto index = FindRecord(a.records, lbConfigurations.Item(item));
    return index ? &a.records[*index] : nullptr;
}

void CVNicCfgDlg::Refresh() {
    AdapterEntry* a = ShownAdapter();
    const int item = lbConfigurations.ItemIndex();
    ConfigurationRecord* r = a ? SelectedRecord(*a) : nullptr;
    if (r && item >= 0) {
        edSelected.SetText(lbConfigurations.Item(item));
        stDetails.SetCaption(DetailsText(*r));
    } else {
        edSelected.SetText("");
        stDetails.SetCaption(r ? DetailsText(*r) : std::string());
    }
    if (a) {
        a->currentSelectionName = item >= 0 ? lbConfigurations.Item(item) : std::string();
        a->currentSelectionIndex = r ? static_cast<int>(r - a->records.data()) : 0;
        cardCfgIdKeyPath = a->driverKeyPath;
    }
    UpdateButtons();
}

void CVNicCfgDlg::UpdateButtons() {
    const bool card = cbNetworkCard.ItemIndex() >= 0;
    const bool chosen = card && lbConfigurations.Count() > 0 && lbConfigurations.ItemIndex() >= 0;
    btNew.SetEnabled(card);
    btModify.SetEnabled(chosen);
    btDelete.SetEnabled(chosen);
}

void CVNicCfgDlg::RecomputeRestart(AdapterEntry& a) {
    const int item = lbConfigurations.ItemIndex();
    const std::string current = item >= 0 ? lbConfigurations.Item(item) : std::string();
    if (!plat::SameName(current, a.storedSelectedName)) {
        a.restartNeeded = 1;
        return;
    }
    ConfigurationRecord* r = SelectedRecord(a);
    a.restartNeeded = r ? r->changed : 0;
}

void CVNicCfgDlg::OnNetworkCardChange() {
    FillList();
    Refresh();
}

void CVNicCfgDlg::OnSelectionChange() {
    if (AdapterEntry* a = ShownAdapter()) RecomputeRestart(*a);
    Refresh();
}

std::vector<std::string> CVNicCfgDlg::AllNames(const AdapterEntry& a) const {
    std::vector<std::string> names;
    for (const ConfigurationRecord& r : a.records) names.push_back(r.name);
    return names;
}

void CVNicCfgDlg::OnNew() {
    AdapterEntry* a = ShownAdapter();
    if (!a) return;
    CVHlpPropSheet sheet;
    FillPagesForNew(sheet, AllNames(*a), a->majorVersion, a->minorVersion);
    sheet.advanced.fields.adapterType = 2;
    sheet.advanced.fields.adapterTypeSwitch = 1;
    if (modal_.RunModal(sheet) != ui::kResultOk) return;
    a->records.push_back(RecordFromPages(sheet));
    const int item = lbConfigurations.AddItem(a->records.back().name);
    lbConfigurations.SetItemIndex(item);
    RecomputeRestart(*a);
    Refresh();
}

void CVNicCfgDlg::OnModify() {
    AdapterEntry* a = ShownAdapter();
    const int item = lbConfigurations.ItemIndex();
    if (!a || item < 0) return;
    auto index = FindRecord(a->records, lbConfigurations.Item(item));
    if (!index) return;
    ConfigurationRecord& r = a->records[*index];
    CVHlpPropSheet sheet;
    FillPagesFromRecord(sheet, r, AllNames(*a), a->majorVersion, a->minorVersion);
    if (modal_.RunModal(sheet) != ui::kResultOk) return;
    const std::string oldName = r.name;
    const bool changed = CopyBackFromPages(r, sheet);
    if (r.name != oldName) {
        lbConfigurations.DeleteItem(item);
        lbConfigurations.SetItemIndex(lbConfigurations.AddItem(r.name));
    }
    if (changed && plat::SameName(a->currentSelectionName, oldName)) a->restartNeeded = 1;
    Refresh();
}

void CVNicCfgDlg::OnDelete() {
    AdapterEntry* a = ShownAdapter();
    const int item = lbConfigurations.ItemIndex();
    if (!a || item < 0) return;
    auto index = FindRecord(a->records, lbConfigurations.Item(item));
    if (!index) return;
    lbConfigurations.DeleteItem(item);
    const int count = lbConfigurations.Count();
    lbConfigurations.SetItemIndex(count == 0 ? -1 : (item == 0 ? 0 : item - 1));
    a->records.erase(a->records.begin() + static_cast<std::ptrdiff_t>(*index));
    RecomputeRestart(*a);
    Refresh();
}

void CVNicCfgDlg::OnOK() {
    bool restart = false;
    for (AdapterEntry& a : adapters) {
        SaveProfiles(platform_.registry, a.driverKeyPath, a.currentSelectionName,
                     a.currentSelectionIndex, a.records);
        restart = restart || a.restartNeeded || a.majorVersion != 2 || a.minorVersion != 0;
    }
    dialog.EndDialog(ui::kResultOk);
    if (restart) RestartComputer(platform_.dialogs, platform_.system);
}

}  // namespace nicset
