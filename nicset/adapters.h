// Finding the supported adapters of this PC for the control-panel dialog, per Windows family,
// and loading each one's profiles.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "nicset/configuration_record.h"
#include "platform/devices.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace nicset {

enum class OsKind { Nt4, Nt5OrLater, Win95 };
OsKind OsKindOf(const plat::OsVersion& version);

// Supported devices: instance identifiers that begin with this (case as written).
inline constexpr std::string_view kDeviceIdPrefix = "PCI\\VEN_1D5A";

// The driver key under HKEY_LOCAL_MACHINE of an instance key name (NT 4: a service name).
std::string DriverKeyPath(OsKind os, std::string_view instanceKeyName);

struct AdapterEntry {
    std::string displayName;
    std::string instanceKeyName;
    std::string driverKeyPath;
    std::string storedSelectedName;
    std::string currentSelectionName;
    int majorVersion = 0;  // 0 when absent
    int minorVersion = 0;
    int notAdHoc = 0;
    int restartNeeded = 0;
    int selectedFound = 0;
    int storedSelectedIndex = 0;
    int currentSelectionIndex = 0;
    std::vector<ConfigurationRecord> records;
};

// NT 4: every service whose Parameters key holds the strings defaultKey and NetBand, named by
// the service. Otherwise the present network-class devices of the supported maker that have a
// description and a driver key, shown by friendly name or description (the 95 family puts
// "[<instance>]" in front). In discovery order, each with its profiles loaded and its current
// selection set to the stored one. An adapter whose driver key does not open has no profiles.
std::vector<AdapterEntry> DiscoverAdapters(plat::Registry& registry, plat::SetupApi& setup,
                                           const plat::OsVersion& version);

}  // namespace nicset
