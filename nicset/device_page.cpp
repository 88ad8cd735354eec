#include "nicset/device_page.h"

#include "nicset/adapters.h"
#include "nicset/applet.h"
#include "nicset/nic_cfg_dlg.h"
#include "nicset/profile_store.h"
#include "nicset/restart.h"
#include "nicset/strings.h"

namespace nicset {

namespace {

void PageBox(Host platform, int id) {
    platform.dialogs.ShowMessageBox(0, StringText(id), StringText(kIdsCaption), plat::kMbOk);
}

}  // namespace

PagePathState& PageState() {
    static PagePathState state;
    return state;
}

std::string DeviceDriverKeyPath(Host platform, plat::DeviceSet& set, std::size_t device) {
    const auto driver = set.Property(device, plat::DeviceProperty::Driver);
    if (!driver) return {};
    const auto cut = driver->find_last_of('\\');
    const std::string instance = cut == std::string::npos ? *driver : driver->substr(cut + 1);
    if (instance.empty()) return {};
    return DriverKeyPath(OsKindOf(platform.system.Version()), instance);
}

void LoadPageState(Host platform, plat::DeviceSet& set, std::size_t device) {
    PagePathState& s = PageState();
    s = PagePathState{};
    s.driverKeyPath = DeviceDriverKeyPath(platform, set, device);
    auto store =
        s.driverKeyPath.empty() ? std::nullopt : LoadProfiles(platform.registry, s.driverKeyPath);
    if (!store) {
        PageBox(platform, kIdsNoDeviceKey);
        return;
    }
    s.records = std::move(store->records);
    s.storedName = store->selectedName;
    s.storedIndex = store->selectedIndex;
    s.selectedFound = store->selectedFound;
    if (store->majorVersion) s.storeMajor = static_cast<int>(*store->majorVersion);
    if (store->minorVersion) s.storeMinor = static_cast<int>(*store->minorVersion);
    s.notAdHoc = store->notAdHoc;
}

DevicePage::DevicePage(Host platform, ui::ModalRunner& modal, DevicePageContext context)
    : PropertyPage("DevicePage", kDevicePageTemplate),
      platform_(platform),
      modal_(modal),
      context_(context) {
    SetCaption("Settings");
    // In the device manager's sheet: the page's own table, and the help file by its bare name.
    helpIds = {{1010, 66538}, {1008, 66796}, {1006, 66797},
               {1005, 66539}, {1003, 66799}, {1020, 66544}};
    helpFile = kHelpFileName;
    struct Placed {
        ui::Control& c;
        int id;
    } controls[] = {{edSelected, IDC_PAGE_SELECTED}, {lbConfigurations, IDC_PAGE_CONFIGURATIONS},
                    {btNew, IDC_PAGE_NEW},           {btModify, IDC_PAGE_MODIFY},
                    {btDelete, IDC_PAGE_DELETE},     {stDetails, IDC_PAGE_DETAILS}};
    for (auto& p : controls) {
        p.c.SetParent(this);
        p.c.SetId(p.id);
    }
    edSelected.SetReadOnly(true);
    lbConfigurations.SetSorted(true);
    OnInitDialog = [this] {
        const PagePathState& s = PageState();
        List().Fill(s.selectedFound, s.storedName);
        Refresh();
    };
    edSelected.OnChange = [this] {
        ConfigurationRecord* r = List().Selected();
        stDetails.SetCaption(r ? DetailsText(*r) : std::string());
    };
    lbConfigurations.OnClick = [this] { Refresh(); };
    btNew.OnClick = [this] {
        if (List().New()) Refresh();
    };
    btModify.OnClick = [this] {
        List().Modify();
        Refresh();
    };
    btDelete.OnClick = [this] {
        if (List().Delete()) Refresh();
    };
    OnApply = [this] { return Apply(); };
}

ProfileList DevicePage::List() {
    PagePathState& s = PageState();
    ProfileList list{lbConfigurations, s.records,    modal_,    platform_,
                     s.storeMajor,     s.storeMinor, s.notAdHoc};
    list.cardCfgId = CardCfgIdReader(platform_, &s.driverKeyPath);
    return list;
}

void DevicePage::Refresh() {
    ConfigurationRecord* r = List().Selected();
    if (r) {
        edSelected.SetText(r->name);
        stDetails.SetCaption(DetailsText(*r));
    } else {
        edSelected.SetText("");
        stDetails.SetCaption("");
    }
    UpdateButtons();
}

void DevicePage::UpdateButtons() {
    const bool chosen = lbConfigurations.Count() > 0 && lbConfigurations.ItemIndex() >= 0;
    btNew.SetEnabled(true);
    btModify.SetEnabled(chosen);
    btDelete.SetEnabled(chosen);
}

bool DevicePage::Apply() {
    PagePathState& s = PageState();
    ProfileList list = List();
    const auto index = list.SelectedIndex();
    const int selected = index ? static_cast<int>(*index) : 0;
    const std::string name = index ? s.records[*index].name : std::string();
    const bool changed = index ? s.records[*index].changed != 0 : true;
    if (s.driverKeyPath.empty() || !platform_.registry.Open(s.driverKeyPath)) {
        PageBox(platform_, kIdsNoDeviceKey);
    } else {
        SaveProfiles(platform_.registry, s.driverKeyPath, name, selected, s.records);
        const bool same = selected == s.storedIndex && name == s.storedName && s.storeMajor == 2 &&
                          s.storeMinor == 0 && !changed;
        if (!same && context_.set) RequestDeviceRestart(*context_.set, context_.device);
    }
    s.records.clear();
    return true;
}

bool ProvidePage(Host platform, const PageRequest& request,
                 const std::function<std::unique_ptr<DevicePage>(DevicePageContext)>& makePage,
                 const std::function<PageAdd(std::unique_ptr<ui::PropertyPage>&)>& addPage) {
    if (!request.set) return false;
    LoadPageState(platform, *request.set, request.device);
    DevicePageContext context;
    context.set = request.set;
    context.device = request.device;
    if (request.pageRequested != kAdvancedDevicePropertiesPage) return true;
    std::unique_ptr<ui::PropertyPage> page = makePage ? makePage(context) : nullptr;
    const PageAdd added = !page ? PageAdd::notCreated : addPage ? addPage(page) : PageAdd::refused;
    if (added == PageAdd::added) return true;
    PageBox(platform, added == PageAdd::notCreated ? kIdsCannotCreatePage : kIdsCannotAddPage);
    return false;
}

}  // namespace nicset
