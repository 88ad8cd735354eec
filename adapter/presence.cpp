#include "adapter/presence.h"

namespace adapter {

namespace {

bool IsNt4(plat::System& system) {
    const plat::OsVersion os = system.Version();
    return os.family == plat::OsFamily::NT && os.major <= 4;
}

}  // namespace

bool IsAdapterHardwarePresent(plat::SetupApi& setup, plat::System& system) {
    auto set = setup.PresentDevices(plat::kNetClassGuid);
    if (!set || set->Count() == 0) return IsNt4(system);
    for (std::size_t i = 0; i < set->Count(); ++i) {
        // An unreadable identifier comes back empty and cannot match.
        if (set->InstanceId(i).find(kHardwareIdPrefix) != std::string::npos) return true;
    }
    return false;
}

void RemovePacketDriverServices(plat::ServiceControl& services) {
    auto manager = services.OpenManager();
    if (!manager) return;
    for (auto name : kPacketDriverServices) {
        // Each step through its own handle, closed before the next one.
        if (auto s = manager->Open(name, plat::ServiceAccess::Full)) s->Stop();
        if (auto s = manager->Open(name, plat::ServiceAccess::Full)) s->Delete();
    }
}

}  // namespace adapter
