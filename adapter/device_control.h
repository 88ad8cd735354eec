// The adapter as a Plug and Play device: disabling and enabling it so that its driver restarts
// and reads its parameters again, and the per-card identifier kept in its driver key.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/devices.h"
#include "platform/registry.h"
#include "platform/uuids.h"

namespace adapter {

// The supported device's service property, compared case-sensitively.
inline constexpr std::string_view kDriverServiceName = "CV7720";
inline constexpr std::string_view kCardCfgIdValue = "CardCfgId";
// Taken as the identifier when a new UUID cannot be rendered as text.
inline constexpr std::string_view kFallbackCardCfgId = "3A9E51D0-7B2C-4f18-A6E3-5D0C92B7F4E1";
// Readers keep the identifier in a 256-byte buffer with its terminating zero.
inline constexpr std::size_t kMaxCardCfgIdLength = 255;

// A failed status call (nullopt) makes both false.
bool CanDisableDevice(const std::optional<plat::DevNodeStatus>& status);
bool IsDeviceDisabled(const std::optional<plat::DevNodeStatus>& status);

// The first device, in set order, whose status reads and whose non-empty service property
// equals serviceName exactly.
std::optional<std::size_t> FindDeviceByService(const plat::DeviceSet& set,
                                               std::string_view serviceName);

// One property-change request for the current hardware profile, configuration-specific.
// stateChange: plat::kDicsEnable or plat::kDicsDisable.
bool ChangeDeviceState(plat::DeviceSet& set, std::size_t index, std::uint32_t stateChange);

// True only when the device changed to the requested state and its status confirms it; false
// when it is not found, cannot be disabled, is in that state already, or the change fails.
bool SetAdapterDeviceEnabled(plat::SetupApi& setup, std::string_view serviceName, bool enable);

// Creates CardCfgId in the driver key when it is missing or empty; never changes one that has
// text. True when the key holds a non-empty identifier afterwards. An empty path opens nothing.
bool EnsureCardCfgId(plat::Registry& registry, plat::Uuids& uuids, std::string_view adapterKeyPath);

// CardCfgId, created first when needed; "" when there is still none. A longer text than the
// readers' buffer holds comes back cut to kMaxCardCfgIdLength characters.
std::string ReadCardCfgId(plat::Registry& registry, plat::Uuids& uuids,
                          std::string_view adapterKeyPath);

// The same two on a driver key already open, for callers that hold one (nicset01).
bool EnsureCardCfgId(plat::RegKey& driverKey, plat::Uuids& uuids);
std::string ReadCardCfgId(plat::RegKey& driverKey, plat::Uuids& uuids);

}  // namespace adapter
