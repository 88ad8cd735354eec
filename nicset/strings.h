// nicset01's texts by string id: the one place the code takes them from. The .rc's STRINGTABLE
// holds the same texts; a test holds the two together.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

#include "nicset/resource.h"

namespace nicset {

struct StringEntry {
    int id;
    std::string_view text;
};

// The library's own name, the caption of boxes that name no other.
inline constexpr std::string_view kAppletName = "Corvane NIC Configuration";

inline constexpr int kIdsAdHoc = IDS_AD_HOC, kIdsInfrastructure = IDS_INFRASTRUCTURE,
                     kIdsOff = IDS_OFF, kIdsNormal = IDS_NORMAL, kIdsMaximum = IDS_MAXIMUM,
                     kIdsEnabled = IDS_ENABLED, kIdsDisabled = IDS_DISABLED,
                     kIdsUnique = IDS_UNIQUE, kIdsFirst = IDS_FIRST, kIdsCaption = IDS_CAPTION,
                     kIdsNotUsed = IDS_NOT_USED, kIdsUniqueKey = IDS_UNIQUE_KEY,
                     kIdsSharedKey = IDS_SHARED_KEY, kIdsDefaultKey = IDS_DEFAULT_KEY,
                     kIdsDetails = IDS_DETAILS, kIdsCannotCreatePage = IDS_CANNOT_CREATE_PAGE,
                     kIdsCannotAddPage = IDS_CANNOT_ADD_PAGE, kIdsNoDeviceKey = IDS_NO_DEVICE_KEY,
                     kIdsEmpty = IDS_EMPTY, kIdsRestartQuestion = IDS_RESTART_QUESTION,
                     kIdsShutdownFailed = IDS_SHUTDOWN_FAILED, kIdsApplet = IDS_APPLET;

inline constexpr StringEntry kStrings[] = {
    {IDS_AD_HOC, "Ad Hoc"},
    {IDS_INFRASTRUCTURE, "AP (Infrastructure)"},
    {IDS_OFF, "Off"},
    {IDS_NORMAL, "Normal"},
    {IDS_MAXIMUM, "Maximum"},
    {IDS_ENABLED, "Enabled"},
    {IDS_DISABLED, "Disabled"},
    {IDS_KEY_SIZE_64, "64  (40+24)  10 hex digits"},
    {IDS_KEY_SIZE_128, "128 (104+24) 26 hex digits"},
    {IDS_KEY_SIZE_152, "152 (128+24) 32 hex digits"},
    {IDS_UNIQUE, "Unique"},
    {IDS_FIRST, "First"},
    {IDS_SECOND, "Second"},
    {IDS_THIRD, "Third"},
    {IDS_FOURTH, "Fourth"},
    {IDS_CAPTION, "Network Configuration Settings"},
    {IDS_NOT_USED, "Not Used"},
    {IDS_UNIQUE_KEY, "Unique Key"},
    {IDS_SHARED_KEY, "Shared Key - %s"},
    {IDS_DEFAULT_KEY, "Default Encryption Key:\t%s"},
    {IDS_DETAILS,
     "Network Name (SSID):\t%s\nNetwork Connection: \t%s\nPower Saving:\t\t%s\nLocally Admin. "
     "Address:\t%s\nData Security: \t\t%s\n%s"},
    {IDS_ERR_MAC_ADDRESS,
     "Locally Administered Address: Invalid Locally Administered address. Enter a 48bit (12 hex "
     "digit) number.\n"},
    {IDS_ERR_NAME_EMPTY,
     "Configuration Name: \tConfiguration Name is empty. Enter a unique Configuration Name.\n"},
    {IDS_ERR_NAME_DUPLICATE,
     "Configuration Name: \tDuplicate Configuration Name. Enter a unique Configuration Name.\n"},
    {IDS_WARN_NETWORK_NAME,
     "WARNING: \nNetwork Name (SSID):  Network Name is empty. Station cannot start an ad hoc "
     "network without a valid Network Name."},
    {IDS_CORRECT_ERRORS, "Correct the following error(s) in this page:\n\n"},
    {IDS_GENERAL, "General"},
    {IDS_ERR_SHARED_KEY_LENGTH,
     "Shared Key - %s:   \tInvalid length. Type in a %d digit hex number.\n"},
    {IDS_ERR_UNIQUE_KEY_LENGTH, "Unique Key: \t\tInvalid length. Type in a %d digit hex number.\n"},
    {IDS_ERR_NO_DEFAULT_KEY,
     "Default Encryption Key:\tDefault Encryption Key not selected. Select a default encryption "
     "key.\n"},
    {IDS_ERR_NO_SHARED_KEYS,
     "Shared Keys: \t\tShared keys are not set. Enter at least one shared key to enable "
     "security."},
    {IDS_KEY_STATUS, "%s Key: Column %d,  Length %d "},
    {IDS_CANNOT_CREATE_PAGE, "Cannot create custom page"},
    {IDS_CANNOT_ADD_PAGE, "Cannot add custom property page."},
    {IDS_NO_DEVICE_KEY, "Unable to open the registry key for this device."},
    {IDS_UNIQUE_KEY_AD_HOC,
     "Invalid Unique Key/Ad Hoc Mode combination. \n\nIn Ad Hoc mode, Unique Key cannot be "
     "selected. The Unique Key you have entered will be removed. "},
    {IDS_NEW_DEFAULT_KEY, "The new Default Encryption Key will be Shared Key - \"%s\"."},
    {IDS_CONTINUE, "\n\nDo you wish to continue?"},
    {IDS_EMPTY, "<empty>"},
    {IDS_RESTART_QUESTION,
     "You must restart your computer before the new configurations will take effect.\n\n"
     "Do you want to restart your computer now?"},
    {IDS_SHUTDOWN_FAILED,
     "An error occured while preparing to shut down Windows.\n\n"
     "Close all applications and restart the computer."},
    {IDS_MODE_11A, "5  GHz 54 Mbps (802.11a)"},
    {IDS_MODE_11B, "2.4 GHz 11 Mbps (802.11b)"},
    {IDS_AES_WITHOUT_UNIQUE_KEY,
     "AES Encrytption is selected, but there is no Unique Key specified. \n\n  The Encryption "
     "will be set to Auto."},
    {IDS_WEP, "WEP"},
    {IDS_AES, "AES"},
    {IDS_AUTO, "Auto"},
    {IDS_ACTIVE, "Active"},
    {IDS_PASSIVE, "Passive"},
    {IDS_POWER_100, "100%"},
    {IDS_POWER_50, "50%"},
    {IDS_POWER_25, "25%"},
    {IDS_POWER_12, "12.5% "},
    {IDS_POWER_LOWEST, "Lowest"},
    {IDS_RATE_ALL, "1, 2, 5.5, 11 Mbps"},
    {IDS_RATE_LOW, "1, 2 Mbps"},
    {IDS_MODE_TURBO, "5  GHz 108 Mbps (Turbo)"},
    {IDS_ERR_AD_HOC_BAND,
     "The Ad Hoc Network Selection is not compatable with the Wireless Mode selected."},
    {IDS_NO_SHEET, "Unable to obatin the property sheets pointer."},
    {IDS_PREAMBLE_SHORT_LONG, "Short & Long"},
    {IDS_PREAMBLE_LONG, "Long Only"},
    {IDS_APPLET, "Corvane NIC Configuration\nConfigures Corvane NIC\n\n"},
};

// Puts texts in place of the %s of a string, in order (a %s without a text stays empty).
std::string FormatString(std::string_view format, std::initializer_list<std::string_view> texts);

// The text of a string id; empty for an id the table lacks, as a failed load gives.
constexpr std::string_view StringText(int id) {
    for (const StringEntry& s : kStrings)
        if (s.id == id) return s.text;
    return {};
}

}  // namespace nicset
