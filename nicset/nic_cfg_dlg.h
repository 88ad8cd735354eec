// The NIC configuration dialog of the control-panel applet: every supported adapter, the
// profiles of the one shown, New, Modify, Delete, and OK that saves all and may restart.
#pragma once
#include <string>
#include <vector>

#include "nicset/adapters.h"
#include "nicset/applet.h"
#include "nicset/host.h"
#include "nicset/profile_list.h"
#include "nicset/prop_sheet.h"
#include "nicset/resource.h"
#include "ui/ui.h"

namespace nicset {

inline constexpr int kNicCfgTemplate = IDD_NIC_CFG;

class CVNicCfgDlg final : public AppletWindow {
  public:
    CVNicCfgDlg(Host platform, ui::ModalRunner& modal);
    ui::Dialog* AsDialog() override { return &dialog; }

    ui::Dialog dialog{"CVNicCfgDlg", kNicCfgTemplate};
    ui::Edit edSelected{"edSelected"};                 // 1031
    ui::ListBox lbConfigurations{"lbConfigurations"};  // 1032
    ui::Button btNew{"btNew"};                         // 1033
    ui::Button btModify{"btModify"};                   // 1034
    ui::Button btDelete{"btDelete"};                   // 1035
    ui::StaticText stDetails{"stDetails"};             // 1036
    ui::ComboBox cbNetworkCard{"cbNetworkCard"};       // 1037

    std::vector<AdapterEntry> adapters;
    // The driver key the Security page's cipher key is read from while an adapter is shown.
    std::string cardCfgIdKeyPath;

    void OnInitDialog();
    void OnNetworkCardChange();
    void OnSelectionChange();
    void OnNew();
    void OnModify();
    void OnDelete();
    void OnOK();

    AdapterEntry* ShownAdapter();

  private:
    void FillList();
    void Refresh();
    void UpdateButtons();
    void RecomputeRestart(AdapterEntry& a);
    ProfileList ListOf(AdapterEntry& a);

    Host platform_;
    ui::ModalRunner& modal_;
};

// The details line of a record (string 24).
std::string DetailsText(const ConfigurationRecord& r);

}  // namespace nicset
