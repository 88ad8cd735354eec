// The sheet's first page: the profile's name, network, connection, power and address. Its Apply
// also settles the unique key and the AES choice across the other two pages.
#pragma once
#include <string>
#include <vector>

#include "nicset/configuration_record.h"
#include "nicset/hex_edit.h"
#include "nicset/resource.h"
#include "platform/dialogs.h"
#include "ui/ui.h"

namespace nicset {

inline constexpr int kGeneralTemplate = IDD_GENERAL;
inline constexpr int kMacAddressDigits = 12;
inline constexpr int kNetworkNameMax = 32;

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
    explicit CVCustomGenPage(plat::Dialogs& dialogs);
    GeneralFields fields;
    // Set once the empty network name of an ad hoc profile was accepted in this sheet.
    bool warnedOnce = false;

    ui::Edit edName{"edName"};                    // 1004
    ui::Edit edNetworkName{"edNetworkName"};      // 1007
    HexEdit edAddress;                            // 1009
    ui::CheckBox chAddress{"chAddress"};          // 1012
    ui::ComboBox cbConnection{"cbConnection"};    // 1014
    ui::ComboBox cbPowerSaving{"cbPowerSaving"};  // 1019

    void InitDialog();
    void AddressClick();
    void ConnectionChange();
    void AddressUpdate();
    bool Leave();
    bool ApplyPage();
    void OK();

  private:
    // The dialog's values into the fields, and back.
    void FromDialog();
    void ToDialog();
    void StoreCombos();
    void SelectPowerOff();
    int Ask(std::string_view text, std::string_view caption, std::uint32_t type);

    plat::Dialogs& dialogs_;
    bool showing_ = false;
};

}  // namespace nicset
