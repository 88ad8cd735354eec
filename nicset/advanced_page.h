// The sheet's third page: radio mode, band, encryption type and the adapter's options.
#pragma once

#include "nicset/configuration_record.h"
#include "nicset/resource.h"
#include "platform/dialogs.h"
#include "ui/dialogs.h"
#include "ui/lists.h"

namespace nicset {

inline constexpr int kAdvancedTemplate = IDD_ADVANCED;

struct AdvancedFields {
    int wirelessMode = 2, adHocBand = 1, encryptionType = 2, qos = 0, scanMode = 2;
    int transmitPower = 0, turbo = 0, enable11g = 0, extendedRange = 0;
    int adapterTypeSwitch = 1, preamble = 1, adapterType = 2;
};

class CVCustomAdvPage : public ui::PropertyPage {
  public:
    explicit CVCustomAdvPage(plat::Dialogs& dialogs);

    ui::ComboBox cbPreamble{"cbPreamble"};              // 1050
    ui::ComboBox cb54Mbps{"cb54Mbps"};                  // 1049
    ui::ComboBox cbTransmitPower{"cbTransmitPower"};    // 1046
    ui::ComboBox cbAdHocBand{"cbAdHocBand"};            // 1043
    ui::ComboBox cbEncryptionType{"cbEncryptionType"};  // 1042
    ui::ComboBox cbScanMode{"cbScanMode"};              // 1044
    ui::ComboBox cbWirelessMode{"cbWirelessMode"};      // 1041
    ui::ComboBox cbTurbo{"cbTurbo"};                    // 1015
    ui::ComboBox cbRate{"cbRate"};                      // 1048
    ui::ComboBox cbQos{"cbQos"};                        // 1047

    AdvancedFields fields;

    void InitDialog();
    // Keeps the combos consistent with the adapter, the fields and the General page; changes
    // only what the combos show.
    void DependencyPass();
    // The combos into the fields (no selection leaves a field), then the pass.
    void ReadBack();
    // False (with string 64) when the ad hoc band does not suit the wireless mode.
    bool Leave();

  private:
    void OnWirelessModeChange();
    void OnTurboChange();
    void On54MbpsChange();

    plat::Dialogs& dialogs_;
};

// Whether an ad hoc band can be served by a wireless mode with turbo and 2.4 GHz 54 Mbps.
bool AdHocBandFits(int band, int wirelessMode, int turbo, int enable11g);

}  // namespace nicset
