// The sheet's first page: the profile's name, network, connection, power and address.
#pragma once
#include <string>
#include <vector>

#include "nicset/configuration_record.h"
#include "nicset/resource.h"
#include "ui/dialogs.h"

namespace nicset {

inline constexpr int kGeneralTemplate = IDD_GENERAL;

struct GeneralFields {
    std::string name, networkName;
    int connectionType = 1, powerSaving = 1, macAddressOn = 0;
    std::string macAddress;
    int notAdHoc = 0;          // infrastructure only
    std::string startingName;  // not counted as a duplicate
    std::vector<std::string> allNames;
};

class CVCustomGenPage : public ui::PropertyPage {
  public:
    CVCustomGenPage() : PropertyPage("CVCustomGenPage", kGeneralTemplate) { SetCaption("General"); }
    GeneralFields fields;
};

}  // namespace nicset
