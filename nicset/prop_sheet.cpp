#include "nicset/prop_sheet.h"

#include "nicset/card_id.h"
#include "nicset/reg_key.h"
#include "nicset/strings.h"
#include "platform/registry.h"

namespace nicset {

namespace {

// The help ids of the three pages' controls.
constexpr ui::HelpId kSheetHelp[] = {
    {1004, 66545}, {1007, 66546}, {1014, 66547}, {1019, 66548}, {1009, 66550}, {1012, 66551},
    {1013, 66556}, {1016, 66557}, {1021, 66558}, {1011, 66552}, {1002, 66553}, {1017, 66554},
    {1018, 66555}, {1022, 66559}, {1023, 66560}, {1024, 66561}, {1025, 66562}, {1026, 66563},
    {1041, 66566}, {1042, 66567}, {1043, 66568}, {1044, 66569}, {1046, 66570}, {1047, 66571},
    {1048, 66572}, {1049, 66573}, {1015, 66549},
};

template <class T>
void Take(T& field, const T& value, bool& changed) {
    if (field == value) return;
    field = value;
    changed = true;
}

}  // namespace

CVHlpPropSheet::CVHlpPropSheet(Host host)
    : PropertySheet("CVHlpPropSheet", std::string(StringText(kIdsCaption))), platform(host) {
    helpIds.assign(std::begin(kSheetHelp), std::end(kSheetHelp));
    SetApplyButton(false);
    AddPage(general);
    AddPage(security);
    AddPage(advanced);
}

std::function<std::string()> CardCfgIdReader(Host host, const std::string* driverKeyPath) {
    return [host, driverKeyPath]() -> std::string {
        RegKey key;
        if (!driverKeyPath || !key.Open(host.registry, *driverKeyPath)) return {};
        return ReadCardCfgId(key, host.uuids);
    };
}

void FillPagesForNew(CVHlpPropSheet& sheet, std::vector<std::string> allNames, int storeMajor,
                     int storeMinor) {
    sheet.general.fields = GeneralFields{};
    sheet.general.fields.allNames = std::move(allNames);
    sheet.security.fields = SecurityFields{};
    sheet.security.fields.storeMajor = storeMajor;
    sheet.security.fields.storeMinor = storeMinor;
    sheet.advanced.fields = AdvancedFields{};
}

void FillPagesFromRecord(CVHlpPropSheet& sheet, const ConfigurationRecord& r,
                         std::vector<std::string> allNames, int storeMajor, int storeMinor) {
    GeneralFields& g = sheet.general.fields;
    g = GeneralFields{r.name,        r.networkName,  r.connectionType,
                      r.powerSaving, r.macAddressOn, r.macAddress,
                      r.notAdHoc,    r.name,         std::move(allNames)};
    SecurityFields& s = sheet.security.fields;
    s = SecurityFields{};
    s.securityOn = r.securityOn;
    s.defaultKey = r.defaultKey;
    s.sharedKeys = r.sharedKeys;
    s.uniqueKey = r.uniqueKey;
    for (int i = 0; i < 4; ++i) s.lengths[i] = r.sharedKeyLengths[i];
    s.lengths[4] = r.uniqueKeyLength;
    s.startingLengths = s.lengths;
    s.storeMajor = storeMajor;
    s.storeMinor = storeMinor;
    sheet.advanced.fields =
        AdvancedFields{r.wirelessMode,  r.adHocBand,         r.encryptionType, r.qos,
                       r.scanMode,      r.transmitPower,     r.turbo,          r.enable11g,
                       r.extendedRange, r.adapterTypeSwitch, r.preamble,       r.adapterType};
}

ConfigurationRecord RecordFromPages(const CVHlpPropSheet& sheet) {
    ConfigurationRecord r;
    CopyBackFromPages(r, sheet);
    r.changed = 1;
    return r;
}

bool CopyBackFromPages(ConfigurationRecord& r, const CVHlpPropSheet& sheet) {
    bool changed = false;
    const GeneralFields& g = sheet.general.fields;
    if (!plat::SameName(r.name, g.name)) Take(r.name, g.name, changed);
    Take(r.networkName, g.networkName, changed);
    Take(r.macAddressOn, g.macAddressOn, changed);
    Take(r.macAddress, g.macAddress, changed);
    Take(r.connectionType, g.connectionType, changed);
    Take(r.powerSaving, g.powerSaving, changed);
    const SecurityFields& s = sheet.security.fields;
    Take(r.securityOn, s.securityOn, changed);
    Take(r.defaultKey, s.defaultKey, changed);
    for (int i = 0; i < 4; ++i) Take(r.sharedKeys[i], s.sharedKeys[i], changed);
    Take(r.uniqueKey, s.uniqueKey, changed);
    for (int i = 0; i < 4; ++i) Take(r.sharedKeyLengths[i], s.lengths[i], changed);
    Take(r.uniqueKeyLength, s.lengths[4], changed);
    const AdvancedFields& a = sheet.advanced.fields;
    Take(r.adHocBand, a.adHocBand, changed);
    Take(r.encryptionType, a.encryptionType, changed);
    Take(r.wirelessMode, a.wirelessMode, changed);
    Take(r.qos, a.qos, changed);
    Take(r.scanMode, a.scanMode, changed);
    Take(r.transmitPower, a.transmitPower, changed);
    Take(r.turbo, a.turbo, changed);
    Take(r.enable11g, a.enable11g, changed);
    Take(r.extendedRange, a.extendedRange, changed);
    Take(r.preamble, a.preamble, changed);
    if (changed) r.changed = 1;
    return changed;
}

}  // namespace nicset
