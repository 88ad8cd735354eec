// Hardware presence and the packet-access layer's services.
#pragma once
#include <array>
#include <string_view>

#include "platform/devices.h"
#include "platform/services.h"
#include "platform/system.h"

namespace adapter {

// Instance identifiers of the supported PCI family contain this (case-sensitive).
inline constexpr std::string_view kHardwareIdPrefix = "PCI\\VEN_1D5";
// The packet-access layer's services, in the order they are removed.
inline constexpr std::array<std::string_view, 2> kPacketDriverServices = {"PCANDIS4", "PCANDIS5"};

// Whether a present network-class device belongs to the supported PCI family. Opens nothing.
// NT 4 lists no network devices through the setup interface: there an empty list (or none at
// all) answers true and leaves the decision to the adapter search.
bool IsAdapterHardwarePresent(plat::SetupApi& setup, plat::System& system);

// Stops and deletes the packet-access layer's services so that it starts afresh. Silent: a
// missing manager (95 family), service or right leaves things as they are.
void RemovePacketDriverServices(plat::ServiceControl& services);

}  // namespace adapter
