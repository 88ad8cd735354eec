#include "nicset/configuration_record.h"

#include "config/schema.h"
#include "nicset/record_fields.h"

namespace nicset {

namespace {

using R = ConfigurationRecord;

// clang-format off
constexpr RecordField kFields[] = {
    {.name = "ConfigurationName", .text = [](const R& r) { return &r.name; }},
    {.name = "NetworkName", .text = [](const R& r) { return &r.networkName; }},
    {.name = "NetworkConnectionType", .number = [](const R& r) { return &r.connectionType; }, .lo = 0, .hi = 1},
    // Missing means off, while an unknown code keeps the new record's Normal.
    {.name = "PowerManagement", .number = [](const R& r) { return &r.powerSaving; }, .lo = 0, .hi = 2, .whenMissing = 0},
    {.name = "EnableMacAddress", .number = [](const R& r) { return &r.macAddressOn; }},
    {.name = "MacAddress", .text = [](const R& r) { return &r.macAddress; }},
    {.name = "EnableSecurity", .number = [](const R& r) { return &r.securityOn; }},
    {.name = "DefaultKey", .number = [](const R& r) { return &r.defaultKey; }, .whenMissing = 0},
    {.name = "SharedKey1", .text = [](const R& r) { return &r.sharedKeys[0]; }},
    {.name = "SharedKey2", .text = [](const R& r) { return &r.sharedKeys[1]; }},
    {.name = "SharedKey3", .text = [](const R& r) { return &r.sharedKeys[2]; }},
    {.name = "SharedKey4", .text = [](const R& r) { return &r.sharedKeys[3]; }},
    {.name = "UniqueKey", .text = [](const R& r) { return &r.uniqueKey; }},
    {.name = "SharedKey1Length", .number = [](const R& r) { return &r.sharedKeyLengths[0]; }},
    {.name = "SharedKey2Length", .number = [](const R& r) { return &r.sharedKeyLengths[1]; }},
    {.name = "SharedKey3Length", .number = [](const R& r) { return &r.sharedKeyLengths[2]; }},
    {.name = "SharedKey4Length", .number = [](const R& r) { return &r.sharedKeyLengths[3]; }},
    {.name = "UniqueKeyLength", .number = [](const R& r) { return &r.uniqueKeyLength; }},
    {.name = "NetBand", .number = [](const R& r) { return &r.wirelessMode; }, .lo = 0, .hi = 2},
    {.name = "EncryptionAlg", .number = [](const R& r) { return &r.encryptionType; }, .lo = 0, .hi = 2},
    {.name = "scanType", .number = [](const R& r) { return &r.scanMode; }, .lo = 0, .hi = 2},
    {.name = "tpc", .number = [](const R& r) { return &r.transmitPower; }, .lo = 0, .hi = 4},
    {.name = "QoS", .number = [](const R& r) { return &r.qos; }},
    {.name = "AdHocBand", .number = [](const R& r) { return &r.adHocBand; }, .lo = 0, .hi = 3},
    {.name = "EnableTurbo", .number = [](const R& r) { return &r.turbo; }},
    {.name = "Enable11g", .number = [](const R& r) { return &r.enable11g; }},
    {.name = "EnableRange", .number = [](const R& r) { return &r.extendedRange; }},
    {.name = "Preamble", .number = [](const R& r) { return &r.preamble; }},
};
// clang-format on

int StoreDefault(std::string_view name) {
    return config::Row(config::Where::Store, name).recordDefault;
}

}  // namespace

std::span<const RecordField> RecordFields() {
    return kFields;
}

ConfigurationRecord::ConfigurationRecord()
    : adapterType(StoreDefault("NicType")), adapterTypeSwitch(StoreDefault("NicTEnable")) {
    for (const RecordField& f : kFields)
        if (f.number)
            NumberOf(f, *this) = config::Row(config::Where::Profile, f.name).recordDefault;
}

}  // namespace nicset
