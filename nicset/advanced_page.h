// The sheet's third page: radio mode, band, encryption type and the adapter's options.
#pragma once

#include "nicset/configuration_record.h"
#include "nicset/resource.h"
#include "ui/dialogs.h"

namespace nicset {

inline constexpr int kAdvancedTemplate = IDD_ADVANCED;

struct AdvancedFields {
    int wirelessMode = 2, adHocBand = 1, encryptionType = 2, qos = 0, scanMode = 2;
    int transmitPower = 0, turbo = 0, enable11g = 0, extendedRange = 0;
    int adapterTypeSwitch = 1, preamble = 1, adapterType = 2;
};

class CVCustomAdvPage : public ui::PropertyPage {
  public:
    CVCustomAdvPage() : PropertyPage("CVCustomAdvPage", kAdvancedTemplate) {
        SetCaption("Advanced");
    }
    AdvancedFields fields;
};

}  // namespace nicset
