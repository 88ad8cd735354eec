// The simulated PC's control panel and device manager: they call a library's entries in the
// order Windows does.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/cpl.h"
#include "platform/devices.h"
#include "ui/dialogs.h"

namespace sim {

using CplEntry = std::function<std::int32_t(std::uintptr_t hwnd, std::uint32_t msg,
                                            std::intptr_t lParam1, std::intptr_t lParam2)>;

struct AppletSeen {
    std::string name, info, helpFile;
    bool hasIcon = false;
};

class ControlPanel {
  public:
    // Loads the applets: CPL_INIT, CPL_GETCOUNT, then CPL_INQUIRE and, for dynamic ones,
    // CPL_NEWINQUIRE per applet. False when CPL_INIT refuses.
    bool Load(CplEntry entry);
    const std::vector<AppletSeen>& Applets() const { return applets_; }
    // Opens an applet as a double click does, or with a parameter text as "control x.cpl,,2".
    std::int32_t Open(int applet, const char* parameter = nullptr);
    // CPL_STOP per applet, then CPL_EXIT.
    void Unload();
    const std::vector<std::uint32_t>& Messages() const { return messages_; }

  private:
    std::int32_t Send(std::uint32_t msg, std::intptr_t l1 = 0, std::intptr_t l2 = 0);
    CplEntry entry_;
    std::vector<AppletSeen> applets_;
    std::vector<std::uint32_t> messages_;
};

// A provider of device property pages, and the device manager that shows its page.
using AddPage = std::function<bool(std::unique_ptr<ui::PropertyPage>& page)>;
using PageProvider = std::function<bool(std::uint32_t pageRequested, plat::DeviceSet& set,
                                        std::size_t device, const AddPage& add)>;

class DeviceManager {
  public:
    explicit DeviceManager(ui::ModalRunner& modal) : modal_(modal) {}
    // Refuses every page offered, as a host that cannot take more does.
    void SetRefusePages(bool refuse) { refuse_ = refuse; }
    // Asks for the advanced properties page of one device, shows the sheet, and restarts the
    // device when the pages asked for it. The provider's answer.
    bool ShowProperties(const PageProvider& provider, plat::DeviceSet& set, std::size_t device);
    int Restarts() const { return restarts_; }
    std::size_t PagesShown() const { return pagesShown_; }

  private:
    ui::ModalRunner& modal_;
    bool refuse_ = false;
    int restarts_ = 0;
    std::size_t pagesShown_ = 0;
};

}  // namespace sim
