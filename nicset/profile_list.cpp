#include "nicset/profile_list.h"

#include "nicset/profile_store.h"
#include "nicset/prop_sheet.h"
#include "platform/registry.h"

namespace nicset {

std::vector<std::string> ProfileList::Names() const {
    std::vector<std::string> names;
    for (const ConfigurationRecord& r : records) names.push_back(r.name);
    return names;
}

void ProfileList::Fill(bool selectedFound, std::string_view storedName) {
    list.Clear();
    for (const ConfigurationRecord& r : records) list.AddItem(r.name);
    int select = 0;
    if (selectedFound)
        for (int i = 0; i < list.Count(); ++i)
            if (plat::SameName(list.Item(i), storedName)) select = i;
    list.SetItemIndex(list.Count() > 0 ? select : -1);
}

std::optional<std::size_t> ProfileList::SelectedIndex() {
    const int item = list.ItemIndex();
    if (item < 0) return records.empty() ? std::nullopt : std::optional<std::size_t>(0);
    return FindRecord(records, list.Item(item));
}

ConfigurationRecord* ProfileList::Selected() {
    auto index = SelectedIndex();
    return index ? &records[*index] : nullptr;
}

std::string ProfileList::SelectedText() const {
    const int item = list.ItemIndex();
    return item >= 0 ? list.Item(item) : std::string();
}

bool ProfileList::New() {
    CVHlpPropSheet sheet(platform);
    sheet.security.cardCfgId = cardCfgId;
    FillPagesForNew(sheet, Names(), storeMajor, storeMinor);
    if (modal.RunModal(sheet) != ui::kResultOk) return false;
    records.push_back(RecordFromPages(sheet));
    list.SetItemIndex(list.AddItem(records.back().name));
    return true;
}

bool ProfileList::Modify() {
    const int item = list.ItemIndex();
    if (item < 0) return false;
    const std::string listed = list.Item(item);
    auto index = FindRecord(records, listed);
    if (!index) return false;
    CVHlpPropSheet sheet(platform);
    sheet.security.cardCfgId = cardCfgId;
    FillPagesFromRecord(sheet, records[*index], Names(), storeMajor, storeMinor);
    if (modal.RunModal(sheet) != ui::kResultOk) return false;
    // While the sheet was open another device page may have reloaded the records: look the
    // profile up again rather than keep a reference into them.
    index = FindRecord(records, listed);
    if (!index) return false;
    ConfigurationRecord& r = records[*index];
    const std::string oldName = r.name;
    const bool changed = CopyBackFromPages(r, sheet);
    if (r.name != oldName) {
        list.DeleteItem(item);
        list.SetItemIndex(list.AddItem(r.name));
    }
    return changed;
}

bool ProfileList::Delete() {
    const int item = list.ItemIndex();
    if (item < 0) return false;
    auto index = FindRecord(records, list.Item(item));
    if (!index) return false;
    list.DeleteItem(item);
    const int count = list.Count();
    list.SetItemIndex(count == 0 ? -1 : (item == 0 ? 0 : item - 1));
    records.erase(records.begin() + static_cast<std::ptrdiff_t>(*index));
    return true;
}

}  // namespace nicset
