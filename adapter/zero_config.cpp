#include "adapter/zero_config.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace adapter {

bool ReadAdapterValue(plat::Registry& registry, std::string_view adapterKeyPath,
                      std::string_view name, std::string& text) {
    auto key = registry.Open(adapterKeyPath);
    if (!key) return false;
    auto value = key->Get(name);
    if (!value) return false;
    if (auto number = plat::ReadDword(*key, name)) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%d", static_cast<int>(*number));
        text = buf;
        return true;
    }
    // Any other type reads as text up to its first zero, whatever its length.
    const auto& d = value->data;
    text.assign(d.begin(), std::find(d.begin(), d.end(), std::uint8_t{0}));
    return true;
}

namespace {

bool ServiceRunning(plat::ServiceControl& services) {
    auto manager = services.OpenManager();
    if (!manager) return false;
    auto service = manager->Open(kZeroConfigService, plat::ServiceAccess::QueryStatus);
    if (!service) return false;
    auto state = service->CurrentState();
    return state && *state == plat::kServiceRunning;
}

}  // namespace

bool IsZeroConfigManaged(plat::System& system, plat::ServiceControl& services,
                         plat::Registry& registry, std::string_view adapterKeyPath) {
    const plat::OsVersion os = system.Version();
    if (os.family == plat::OsFamily::Win95 || os.major < 5) return false;
    const bool running = ServiceRunning(services);
    std::string guid;
    ReadAdapterValue(registry, adapterKeyPath, "NetCfgInstanceId", guid);
    // With no identifier the path ends in a backslash, which Windows opens as the Interfaces
    // key itself; that key has no flags of its own.
    auto key = registry.Open(guid.empty() ? std::string(kZeroConfigInterfacesKey)
                                          : plat::JoinPath(kZeroConfigInterfacesKey, guid));
    if (!key) return os.major == 5 && os.minor == 1;
    if (!plat::ValueExists(*key, kZeroConfigFlagsValue)) return false;
    const std::uint32_t flags = plat::ReadDword(*key, kZeroConfigFlagsValue).value_or(0);
    return running && (flags & kZeroConfigManagedFlag) != 0;
}

}  // namespace adapter
