// An adapter's profile store (CustomParams\Configurations under its driver key): loading it into
// records, and rewriting it whole with the selected profile's driver parameters.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nicset/configuration_record.h"
#include "nicset/reg_key.h"
#include "platform/registry.h"

namespace nicset {

// While a save builds the new store, and while it swaps it in for the old one.
inline constexpr std::string_view kStoreBuildSubPath = "CustomParams\\Configurations.new";
inline constexpr std::string_view kStoreBackupSubPath = "CustomParams\\Configurations.old";

struct ProfileStore {
    // The negation of the driver's DWORD AdHoc: 1 only when it holds 0.
    int notAdHoc = 0;
    // Store format version; nullopt when absent.
    std::optional<std::uint32_t> majorVersion;
    std::optional<std::uint32_t> minorVersion;
    int nicType = 2;     // 0..2; any other or no value gives 2
    int nicTEnable = 1;  // 0 only when it holds 0
    std::string selectedName;
    int selectedIndex = 0;  // SelectedConfigurationIndex, 0 when absent
    // A profile of the stored index carries the stored selected name (ignoring case).
    bool selectedFound = false;
    // In the order of their subkey numbers (Cfg2 before Cfg10); subkeys that carry no number
    // follow in registry order.
    std::vector<ConfigurationRecord> records;
};

// The driver key must be open; a store that does not open gives an empty list. Every value
// that is missing or of the wrong type takes its default.
ProfileStore LoadProfiles(const RegKey& driverKey);
// nullopt when the driver key does not open.
std::optional<ProfileStore> LoadProfiles(plat::Registry& registry, std::string_view driverKeyPath);

// The record a list item stands for: names compare ignoring case, and of two records that
// share a name the later one is found.
std::optional<std::size_t> FindRecord(const std::vector<ConfigurationRecord>& records,
                                      std::string_view name);

struct SaveResult {
    bool storeWritten = false;   // the store now holds exactly these records
    bool driverWritten = false;  // the selected record's driver values all went in
};

// Rewrites the store: version 2.0, the selected name and index, NicType and NicTEnable kept
// (NicTEnable only when it was there), and one "Cfg<n>" subkey per record in list order. The
// new store is built beside the old one and swapped in only when complete, so a store that
// cannot be written leaves the old one as it was and writes no driver value. The selected
// record's driver values follow when selectedIndex lies inside the list.
SaveResult SaveProfiles(RegKey& driverKey, std::string_view selectedName, int selectedIndex,
                        const std::vector<ConfigurationRecord>& records);
// Nothing is written when the driver key does not open.
SaveResult SaveProfiles(plat::Registry& registry, std::string_view driverKeyPath,
                        std::string_view selectedName, int selectedIndex,
                        const std::vector<ConfigurationRecord>& records);

// The driver parameters of one record, each as decimal text; false when any write failed
// (the others are still made).
bool WriteDriverValues(RegKey& driverKey, const ConfigurationRecord& record);

// The driver NetBand bit set of a record: 4 / 1 / 5 for 802.11b / 802.11a / auto, plus 8 for
// 802.11g, 2 for turbo and 256 for extended range.
std::uint32_t DriverNetBand(const ConfigurationRecord& record);

}  // namespace nicset
