// One profile in memory, as the configuration list and the property pages hold it.
#pragma once
#include <array>
#include <string>

namespace nicset {

// Default key codes.
inline constexpr int kDefaultKeyUnique = 0;
inline constexpr int kDefaultKeyNone = -1;

struct ConfigurationRecord {
    // A new record: the constructor sets the stored values' defaults from the schema's record
    // defaults.
    ConfigurationRecord();

    std::string name;                       // ConfigurationName
    std::string networkName;                // NetworkName
    int connectionType{};                   // NetworkConnectionType: 0 ad hoc, 1 infrastructure
    int powerSaving{};                      // PowerManagement: 0 off, 1 normal, 2 maximum
    int macAddressOn{};                     // EnableMacAddress
    std::string macAddress;                 // MacAddress, 12 hex digits
    int securityOn{};                       // EnableSecurity
    int defaultKey{};                       // DefaultKey: 0 unique, 1..4 shared, -1 none
    std::string uniqueKey;                  // UniqueKey, stored key text
    std::array<std::string, 4> sharedKeys;  // SharedKey1..4, stored key texts
    std::array<int, 4> sharedKeyLengths{};  // SharedKey1Length..4, bits
    int uniqueKeyLength{};                  // UniqueKeyLength, bits
    int wirelessMode{};                     // NetBand: 0 802.11b, 1 802.11a, 2 auto
    int encryptionType{};                   // EncryptionAlg 0..2
    int scanMode{};                         // scanType 0..2
    int transmitPower{};                    // tpc 0..4
    int qos{};                              // QoS
    int turbo{};                            // EnableTurbo
    int enable11g{};                        // Enable11g
    int extendedRange{};                    // EnableRange
    int adHocBand{};                        // AdHocBand 0..3
    int adapterType{};                      // copy of the store's NicType
    int adapterTypeSwitch{};                // copy of the store's NicTEnable
    int notAdHoc = 0;                       // negation of the driver value AdHoc
    int preamble{};                         // Preamble
    int changed = 0;                        // not stored

    bool operator==(const ConfigurationRecord&) const = default;
};

}  // namespace nicset
