// The property sheet of one profile and the values its three pages edit. The pages' controls
// come with their own templates; here they carry a whole record through the sheet and back.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "nicset/configuration_record.h"
#include "nicset/resource.h"
#include "ui/dialogs.h"

namespace nicset {

inline constexpr int kGeneralTemplate = IDD_GENERAL, kSecurityTemplate = IDD_SECURITY,
                     kAdvancedTemplate = IDD_ADVANCED;

struct GeneralFields {
    std::string name, networkName;
    int connectionType = 1, powerSaving = 1, macAddressOn = 0;
    std::string macAddress;
    int notAdHoc = 0;          // infrastructure only
    std::string startingName;  // not counted as a duplicate
    std::vector<std::string> allNames;
};

struct SecurityFields {
    int securityOn = 0, defaultKey = kDefaultKeyNone;
    std::array<std::string, 4> sharedKeys;
    std::string uniqueKey;
    // Shared keys 1..4, then the unique key; bits.
    std::array<int, 5> startingLengths{40, 40, 40, 40, 40};
    std::array<int, 5> lengths{40, 40, 40, 40, 40};
    int storeMajor = -1, storeMinor = -1;
};

struct AdvancedFields {
    int wirelessMode = 2, adHocBand = 1, encryptionType = 2, qos = 0, scanMode = 2;
    int transmitPower = 0, turbo = 0, enable11g = 0, extendedRange = 0;
    int adapterTypeSwitch = 1, preamble = 1, adapterType = 2;
};

class CVCustomGenPage : public ui::PropertyPage {
  public:
    CVCustomGenPage() : PropertyPage("CVCustomGenPage", kGeneralTemplate) { SetCaption("General"); }
    GeneralFields fields;
};

class CVCustomSecurityPage : public ui::PropertyPage {
  public:
    CVCustomSecurityPage() : PropertyPage("CVCustomSecurityPage", kSecurityTemplate) {
        SetCaption("Security");
    }
    SecurityFields fields;
};

class CVCustomAdvPage : public ui::PropertyPage {
  public:
    CVCustomAdvPage() : PropertyPage("CVCustomAdvPage", kAdvancedTemplate) {
        SetCaption("Advanced");
    }
    AdvancedFields fields;
};

// "Network Configuration Settings": General, Security, Advanced, without an Apply button.
class CVHlpPropSheet : public ui::PropertySheet {
  public:
    CVHlpPropSheet();
    CVCustomGenPage general;
    CVCustomSecurityPage security;
    CVCustomAdvPage advanced;
};

// New: the pages' defaults with the names already in use and the store's version.
void FillPagesForNew(CVHlpPropSheet& sheet, std::vector<std::string> allNames, int storeMajor,
                     int storeMinor);
// Modify: the pages from a record.
void FillPagesFromRecord(CVHlpPropSheet& sheet, const ConfigurationRecord& r,
                         std::vector<std::string> allNames, int storeMajor, int storeMinor);
// After OK on New: a new record with the pages' values, marked changed.
ConfigurationRecord RecordFromPages(const CVHlpPropSheet& sheet);
// After OK on Modify: every value that differs is taken over (the name compared ignoring
// case), each marking the record changed. True when anything was taken over.
bool CopyBackFromPages(ConfigurationRecord& r, const CVHlpPropSheet& sheet);

}  // namespace nicset
