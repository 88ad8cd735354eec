// nicset01's texts by string id: the one place the string table and the code take them from.
#pragma once
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

inline constexpr StringEntry kStrings[] = {
    {kIdsRestartQuestion,
     "You must restart your computer before the new configurations will take effect.\n\n"
     "Do you want to restart your computer now?"},
    {kIdsShutdownFailed,
     "An error occured while preparing to shut down Windows.\n\n"
     "Close all applications and restart the computer."},
};

// The text of a string id; empty for an id the table lacks, as a failed load gives.
constexpr std::string_view StringText(int id) {
    for (const StringEntry& s : kStrings)
        if (s.id == id) return s.text;
    return {};
}

}  // namespace nicset
