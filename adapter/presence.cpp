#include "adapter/presence.h"

namespace adapter {

bool IsAdapterHardwarePresent(plat::SetupApi& setup) {
    auto set = setup.PresentDevices(plat::kNetClassGuid);
    if (!set) return false;
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
