// The profile list that the applet's dialog and the device page share: a sorted list box of
// names over records kept in load order, and New, Modify and Delete through the profile sheet.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nicset/configuration_record.h"
#include "nicset/host.h"
#include "ui/ui.h"

namespace nicset {

struct ProfileList {
    ui::ListBox& list;
    std::vector<ConfigurationRecord>& records;
    ui::ModalRunner& modal;
    Host platform;
    int storeMajor = 0, storeMinor = 0;
    int notAdHoc = 0;
    // The cipher key of the stored keys, for the Security page.
    std::function<std::string()> cardCfgId;

    // Names in the sorted list; selects the stored name when it was found, else the first.
    void Fill(bool selectedFound, std::string_view storedName);
    // The record of the selected item; with no selection the first record stands for it.
    ConfigurationRecord* Selected();
    std::optional<std::size_t> SelectedIndex();
    std::string SelectedText() const;

    // True when a record was added (and selected).
    bool New();
    // The record of the selected item through the sheet; true when it changed.
    bool Modify();
    // True when a record was removed.
    bool Delete();

  private:
    std::vector<std::string> Names() const;
};

}  // namespace nicset
