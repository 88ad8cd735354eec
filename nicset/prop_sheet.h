// The property sheet of one profile: its three pages carry a whole record through and back.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "nicset/advanced_page.h"
#include "nicset/configuration_record.h"
#include "nicset/general_page.h"
#include "nicset/host.h"
#include "nicset/security_page.h"
#include "platform/dialogs.h"
#include "ui/dialogs.h"

namespace nicset {

// "Network Configuration Settings": General, Security, Advanced, without an Apply button.
class CVHlpPropSheet : public ui::PropertySheet {
  public:
    CVHlpPropSheet();
    CVCustomGenPage general;
    CVCustomSecurityPage security;
    CVCustomAdvPage advanced;
};

// What the pages reach outside the sheet: message boxes and beeps, and the cipher key of the
// stored keys (the adapter's CardCfgId text, "" when there is none).
struct PageServices {
    plat::Dialogs* dialogs = nullptr;
    std::function<std::string()> cardCfgId;
};
void ConnectPages(CVHlpPropSheet& sheet, const PageServices& services);
// A frame's services: the host's boxes, and the CardCfgId of the driver key whose path
// *driverKeyPath holds when a key is enciphered (created there when missing).
PageServices HostServices(Host host, const std::string* driverKeyPath);

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
