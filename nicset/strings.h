// nicset01's texts by string id: the one place the string table and the code take them from.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace nicset {

inline constexpr int kIdsRestartQuestion = 44;
inline constexpr int kIdsShutdownFailed = 45;

struct StringEntry {
    int id;
    std::string_view text;
};

// The library's own name, the caption of boxes that name no other.
inline constexpr std::string_view kAppletName = "Corvane NIC Configuration";

inline constexpr int kIdsAdHoc = 2, kIdsInfrastructure = 3, kIdsOff = 4, kIdsNormal = 5,
                     kIdsMaximum = 6, kIdsEnabled = 9, kIdsDisabled = 10, kIdsUnique = 14,
                     kIdsFirst = 15, kIdsCaption = 19, kIdsNotUsed = 20, kIdsUniqueKey = 21,
                     kIdsSharedKey = 22, kIdsDefaultKey = 23, kIdsDetails = 24,
                     kIdsCannotCreatePage = 37, kIdsCannotAddPage = 38, kIdsNoDeviceKey = 39,
                     kIdsEmpty = 43, kIdsApplet = 587;

inline constexpr StringEntry kStrings[] = {
    {kIdsAdHoc, "Ad Hoc"},
    {kIdsInfrastructure, "AP (Infrastructure)"},
    {kIdsOff, "Off"},
    {kIdsNormal, "Normal"},
    {kIdsMaximum, "Maximum"},
    {kIdsEnabled, "Enabled"},
    {kIdsDisabled, "Disabled"},
    {kIdsUnique, "Unique"},
    {kIdsFirst, "First"},
    {kIdsFirst + 1, "Second"},
    {kIdsFirst + 2, "Third"},
    {kIdsFirst + 3, "Fourth"},
    {kIdsCaption, "Network Configuration Settings"},
    {kIdsNotUsed, "Not Used"},
    {kIdsUniqueKey, "Unique Key"},
    {kIdsSharedKey, "Shared Key - %s"},
    {kIdsDefaultKey, "Default Encryption Key:\t%s"},
    {kIdsDetails,
     "Network Name (SSID):\t%s\nNetwork Connection: \t%s\nPower Saving:\t\t%s\nLocally Admin. "
     "Address:\t%s\nData Security: \t\t%s\n%s"},
    {kIdsCannotCreatePage, "Cannot create custom page"},
    {kIdsCannotAddPage, "Cannot add custom property page."},
    {kIdsNoDeviceKey, "Unable to open the registry key for this device."},
    {kIdsEmpty, "<empty>"},
    {kIdsApplet, "Corvane NIC Configuration\nConfigures Corvane NIC\n\n"},
    {kIdsRestartQuestion,
     "You must restart your computer before the new configurations will take effect.\n\n"
     "Do you want to restart your computer now?"},
    {kIdsShutdownFailed,
     "An error occured while preparing to shut down Windows.\n\n"
     "Close all applications and restart the computer."},
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
