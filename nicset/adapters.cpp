#include "nicset/adapters.h"

#include "nicset/profile_store.h"
#include "nicset/reg_key.h"
#include "platform/services.h"

namespace nicset {

namespace {

constexpr std::string_view kNt5ClassKey = "SYSTEM\\CurrentControlSet\\Control\\Class\\";
constexpr std::string_view kWin95ClassKey = "SYSTEM\\CurrentControlSet\\Services\\Class\\Net\\";

void FindNt4(plat::Registry& registry, std::vector<AdapterEntry>& out) {
    RegKey services;
    if (!services.Open(registry, plat::kServicesKey)) return;
    for (std::size_t n = 0;; ++n) {
        auto name = services.EnumSubKey(n);
        if (!name) break;
        RegKey params;
        if (!params.Open(registry, DriverKeyPath(OsKind::Nt4, *name))) continue;
        if (!params.ReadString("defaultKey") || !params.ReadString("NetBand")) continue;
        out.push_back({.displayName = *name, .instanceKeyName = *name});
    }
}

void FindDevices(plat::SetupApi& setup, OsKind os, std::vector<AdapterEntry>& out) {
    auto set = setup.PresentDevices(plat::kNetClassGuid);
    if (!set) return;
    for (std::size_t i = 0; i < set->Count(); ++i) {
        if (!set->InstanceId(i).starts_with(kDeviceIdPrefix)) continue;
        auto desc = set->Property(i, plat::DeviceProperty::DeviceDesc);
        auto friendly = set->Property(i, plat::DeviceProperty::FriendlyName);
        auto driver = set->Property(i, plat::DeviceProperty::Driver);
        if (!desc || desc->empty() || !driver) continue;
        auto cut = driver->rfind('\\');
        std::string instance = cut == std::string::npos ? *driver : driver->substr(cut + 1);
        // Without an instance the path would name the class key itself.
        if (instance.empty()) continue;
        std::string display = friendly && !friendly->empty() ? *friendly : *desc;
        if (os == OsKind::Win95) display = "[" + instance + "]" + display;
        out.push_back({.displayName = std::move(display), .instanceKeyName = std::move(instance)});
    }
}

}  // namespace

OsKind OsKindOf(const plat::OsVersion& version) {
    if (version.family != plat::OsFamily::NT) return OsKind::Win95;
    return version.major == 4 ? OsKind::Nt4 : OsKind::Nt5OrLater;
}

std::string DriverKeyPath(OsKind os, std::string_view instanceKeyName) {
    std::string name(instanceKeyName);
    switch (os) {
        case OsKind::Nt4:
            return plat::ServiceParametersPath(name);
        case OsKind::Nt5OrLater:
            return std::string(kNt5ClassKey) + std::string(plat::kNetClassGuid) + "\\" + name;
        case OsKind::Win95:
            return std::string(kWin95ClassKey) + name;
    }
    return {};
}

std::vector<AdapterEntry> DiscoverAdapters(plat::Registry& registry, plat::SetupApi& setup,
                                           const plat::OsVersion& version) {
    const OsKind os = OsKindOf(version);
    std::vector<AdapterEntry> adapters;
    if (os == OsKind::Nt4)
        FindNt4(registry, adapters);
    else
        FindDevices(setup, os, adapters);
    for (AdapterEntry& a : adapters) {
        a.driverKeyPath = DriverKeyPath(os, a.instanceKeyName);
        auto store = LoadProfiles(registry, a.driverKeyPath);
        if (!store) continue;
        a.storedSelectedName = store->selectedName;
        a.currentSelectionName = store->selectedName;
        a.majorVersion = static_cast<int>(store->majorVersion.value_or(0));
        a.minorVersion = static_cast<int>(store->minorVersion.value_or(0));
        a.notAdHoc = store->notAdHoc;
        a.selectedFound = store->selectedFound ? 1 : 0;
        a.storedSelectedIndex = store->selectedIndex;
        a.records = std::move(store->records);
    }
    return adapters;
}

}  // namespace nicset
