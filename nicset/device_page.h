// The "Settings" page that the library adds to one adapter's device property sheet, with the
// profile state the page path keeps for the process, and the provider's portable part.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "nicset/configuration_record.h"
#include "nicset/host.h"
#include "nicset/profile_list.h"
#include "nicset/resource.h"
#include "ui/ui.h"

namespace nicset {

inline constexpr int kDevicePageTemplate = IDD_DEVICE_PAGE;
inline constexpr std::uint32_t kAdvancedDevicePropertiesPage =
    3;  // SPPSR_ENUM_ADV_DEVICE_PROPERTIES

// One device property page per process at a time: its profiles live here between the
// provider's call and the sheet's Apply.
struct PagePathState {
    std::vector<ConfigurationRecord> records;
    std::string storedName;
    int storedIndex = 0;
    bool selectedFound = false;
    int storeMajor = -1, storeMinor = -1;
    int notAdHoc = 0;
    std::string driverKeyPath;
};
PagePathState& PageState();

struct DevicePageContext {
    std::uint32_t signature = 0x53434E56;  // "VNCS"
    plat::DeviceSet* set = nullptr;
    std::size_t device = 0;
};

// The device's driver key under HKEY_LOCAL_MACHINE, from its driver key name.
std::string DeviceDriverKeyPath(Host platform, plat::DeviceSet& set, std::size_t device);
// Loads the device's profiles into the page state; without its driver key, string 39 and an
// empty list.
void LoadPageState(Host platform, plat::DeviceSet& set, std::size_t device);

class DevicePage final : public ui::PropertyPage {
  public:
    DevicePage(Host platform, ui::ModalRunner& modal, DevicePageContext context);

    ui::Edit edSelected{"edSelected"};                 // 1003
    ui::ListBox lbConfigurations{"lbConfigurations"};  // 1005
    ui::Button btNew{"btNew"};                         // 1006
    ui::Button btModify{"btModify"};                   // 1008
    ui::Button btDelete{"btDelete"};                   // 1010
    ui::StaticText stDetails{"stDetails"};             // 1020

    const DevicePageContext& Context() const { return context_; }
    void Refresh();
    bool Apply();

  private:
    ProfileList List();
    void UpdateButtons();

    Host platform_;
    ui::ModalRunner& modal_;
    DevicePageContext context_;
};

struct PageRequest {
    std::uint32_t pageRequested = 0;
    plat::DeviceSet* set = nullptr;
    std::size_t device = 0;
};

// What the host made of a page handed to it: a real sheet must first create the page's handle,
// and a failure there is not the host refusing it.
enum class PageAdd { added, refused, notCreated };

// The provider: loads the device's profiles, then for the advanced properties request makes the
// page and hands it to the host. makePage returning nullptr is a page that cannot be made.
bool ProvidePage(Host platform, const PageRequest& request,
                 const std::function<std::unique_ptr<DevicePage>(DevicePageContext)>& makePage,
                 const std::function<PageAdd(std::unique_ptr<ui::PropertyPage>&)>& addPage);

}  // namespace nicset
