// The sheet's second page: security on or off, the default key and the five keys. Keys come and
// go in their stored form; a stored key is never shown, only a placeholder of its length.
#pragma once
#include <array>
#include <functional>
#include <string>

#include "nicset/configuration_record.h"
#include "nicset/hex_edit.h"
#include "nicset/resource.h"
#include "platform/dialogs.h"
#include "ui/ui.h"

namespace nicset {

inline constexpr int kSecurityTemplate = IDD_SECURITY;

// Key slots: shared keys First..Fourth, then the unique key (the order of the arrays below).
inline constexpr int kKeySlots = 5;
inline constexpr int kUniqueSlot = 4;

struct SecurityFields {
    int securityOn = 0, defaultKey = kDefaultKeyNone;
    std::array<std::string, 4> sharedKeys;
    std::string uniqueKey;
    // Shared keys 1..4, then the unique key; bits. Starting: what the stored texts are
    // enciphered with.
    std::array<int, 5> startingLengths{40, 40, 40, 40, 40};
    std::array<int, 5> lengths{40, 40, 40, 40, 40};
    int storeMajor = -1, storeMinor = -1;
};

class CVCustomSecurityPage : public ui::PropertyPage {
  public:
    explicit CVCustomSecurityPage(plat::Dialogs& dialogs);

    SecurityFields fields;
    // The cipher key of the stored keys; "" (or none) refuses to encipher a new key.
    std::function<std::string()> cardCfgId;
    // Whether a unique key is allowed: the General page's connection is not ad hoc.
    bool uniqueAllowed = true;

    ui::CheckBox chSecurity{"chSecurity"};         // 1013
    ui::ComboBox cbDefaultKey{"cbDefaultKey"};     // 1016
    HexEdit edUnique;                              // 1021
    ui::ComboBox cbUniqueSize{"cbUniqueSize"};     // 1022
    HexEdit edFirst, edSecond, edThird, edFourth;  // 1011, 1002, 1017, 1018
    ui::ComboBox cbFirstSize{"cbFirstSize"};       // 1023
    ui::ComboBox cbSecondSize{"cbSecondSize"};     // 1024
    ui::ComboBox cbThirdSize{"cbThirdSize"};       // 1025
    ui::ComboBox cbFourthSize{"cbFourthSize"};     // 1026
    ui::StaticText stStatus{"stStatus"};           // 1027

    HexEdit& KeyEdit(int slot);
    ui::ComboBox& SizeList(int slot);
    // The slot's edit still stands for its stored key.
    bool HoldsStoredValue(int slot) const { return stored_[static_cast<std::size_t>(slot)]; }

    void InitDialog();
    void BecomeActive();
    // Validation, then the keys re-encoded into the fields; false keeps the page.
    bool Leave();
    void SecurityClick();
    void SizeChange(int slot);
    void KeyUpdate(int slot);
    void KeyChange(int slot);
    void UpdateStatus();
    void KeyFocusLost();
    void DefaultKeyDropDown();

  private:
    void ReadControls();
    void SetEnableStates();
    void RebuildDefaultKeys(bool keepSelection);
    void SelectDefaultKey();
    std::string& StoredText(int slot);
    int& StartingBits(int slot) { return fields.startingLengths[static_cast<std::size_t>(slot)]; }
    int& EditedBits(int slot) { return fields.lengths[static_cast<std::size_t>(slot)]; }
    // The size list's bits; the edited size when it has no selection.
    int ListBits(int slot);
    std::string LengthLine(int slot);
    // Without the cipher key no key can be enciphered: string 39, and the page stays.
    bool RefuseWithoutCipher();

    plat::Dialogs& dialogs_;
    std::array<bool, kKeySlots> stored_{true, true, true, true, true};
    // Set from a key's update notice to its change notice: the change is the user's.
    bool userEdit_ = false;
};

}  // namespace nicset
