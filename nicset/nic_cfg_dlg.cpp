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

CVNicCfgDlg::CVNicCfgDlg(Host platform, ui::ModalRunner& modal)
    : platform_(platform), modal_(modal) {
    dialog.SetCaption(std::string(kAppletName));
    dialog.helpIds.assign(std::begin(kDialogHelp), std::end(kDialogHelp));
    struct Placed {
        ui::Control& c;
        int id;
    } controls[] = {{edSelected, IDC_DLG_SELECTED},
                    {lbConfigurations, IDC_DLG_CONFIGURATIONS},
                    {btNew, IDC_DLG_NEW},
                    {btModify, IDC_DLG_MODIFY},
                    {btDelete, IDC_DLG_DELETE},
                    {stDetails, IDC_DLG_DETAILS},
                    {cbNetworkCard, IDC_DLG_NETWORK_CARD}};
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

ProfileList CVNicCfgDlg::ListOf(AdapterEntry& a) {
    ProfileList list{lbConfigurations, a.records,      modal_,    platform_,
                     a.majorVersion,   a.minorVersion, a.notAdHoc};
    list.cardCfgId = CardCfgIdReader(platform_, &cardCfgIdKeyPath);
    return list;
}

void CVNicCfgDlg::FillList() {
    AdapterEntry* a = ShownAdapter();
    if (!a) {
        lbConfigurations.Clear();
        return;
    }
    ListOf(*a).Fill(a->selectedFound != 0, a->storedSelectedName);
}

void CVNicCfgDlg::Refresh() {
    AdapterEntry* a = ShownAdapter();
    const int item = lbConfigurations.ItemIndex();
    ConfigurationRecord* r = a ? ListOf(*a).Selected() : nullptr;
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
    ConfigurationRecord* r = ListOf(a).Selected();
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

void CVNicCfgDlg::OnNew() {
    AdapterEntry* a = ShownAdapter();
    if (!a || !ListOf(*a).New()) return;
    RecomputeRestart(*a);
    Refresh();
}

void CVNicCfgDlg::OnModify() {
    AdapterEntry* a = ShownAdapter();
    if (!a) return;
    const std::string before = ListOf(*a).SelectedText();
    if (ListOf(*a).Modify() && plat::SameName(a->currentSelectionName, before))
        a->restartNeeded = 1;
    Refresh();
}

void CVNicCfgDlg::OnDelete() {
    AdapterEntry* a = ShownAdapter();
    if (!a || !ListOf(*a).Delete()) return;
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
