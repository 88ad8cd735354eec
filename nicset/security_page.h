// The sheet's second page: security on or off, the default key and the five keys.
#pragma once
#include <array>
#include <string>

#include "nicset/configuration_record.h"
#include "nicset/resource.h"
#include "ui/dialogs.h"

namespace nicset {

inline constexpr int kSecurityTemplate = IDD_SECURITY;

struct SecurityFields {
    int securityOn = 0, defaultKey = kDefaultKeyNone;
    std::array<std::string, 4> sharedKeys;
    std::string uniqueKey;
    // Shared keys 1..4, then the unique key; bits.
    std::array<int, 5> startingLengths{40, 40, 40, 40, 40};
    std::array<int, 5> lengths{40, 40, 40, 40, 40};
    int storeMajor = -1, storeMinor = -1;
};

class CVCustomSecurityPage : public ui::PropertyPage {
  public:
    CVCustomSecurityPage() : PropertyPage("CVCustomSecurityPage", kSecurityTemplate) {
        SetCaption("Security");
    }
    SecurityFields fields;
};

}  // namespace nicset
