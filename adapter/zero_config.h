// Whether Windows' own wireless configuration service manages the adapter, and the reader of
// one driver-key value it uses.
#pragma once
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace adapter {

inline constexpr std::string_view kZeroConfigService = "WZCSVC";
inline constexpr std::string_view kZeroConfigInterfacesKey =
    "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces";
inline constexpr std::string_view kZeroConfigFlagsValue = "ControlFlags";
inline constexpr std::uint32_t kZeroConfigManagedFlag = 0x8000;

// One value of the driver key at adapterKeyPath as text: a REG_DWORD as "%d", anything else as
// a string. False, text untouched, when the key does not open or the value is missing.
bool ReadAdapterValue(plat::Registry& registry, std::string_view adapterKeyPath,
                      std::string_view name, std::string& text);

// Silent on every failure. Windows 95 family and NT 4 have no such service and are never asked.
bool IsZeroConfigManaged(plat::System& system, plat::ServiceControl& services,
                         plat::Registry& registry, std::string_view adapterKeyPath);

}  // namespace adapter
