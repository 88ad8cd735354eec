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
#include "ui/dialogs.h"

namespace nicset {

// "Network Configuration Settings": General, Security, Advanced, without an Apply button.
class CVHlpPropSheet : public ui::PropertySheet {
  public:
    explicit CVHlpPropSheet(Host host);
    // What the pages beep and ask through; made before them.
    Host platform;
    CVCustomGenPage general{platform.dialogs};
    CVCustomSecurityPage security{platform.dialogs};
    CVCustomAdvPage advanced{platform.dialogs};
};

// The CardCfgId of the driver key whose path *driverKeyPath holds when it is called (created
// there when missing; "" without the key): the Security page's cipher key.
std::function<std::string()> CardCfgIdReader(Host host, const std::string* driverKeyPath);

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
