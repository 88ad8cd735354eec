#include "sim/control_panel.h"

namespace sim {

std::int32_t ControlPanel::Send(std::uint32_t msg, std::intptr_t l1, std::intptr_t l2) {
    messages_.push_back(msg);
    return entry_ ? entry_(0, msg, l1, l2) : 0;
}

bool ControlPanel::Load(CplEntry entry) {
    entry_ = std::move(entry);
    applets_.clear();
    if (Send(plat::kCplInit) == 0) return false;
    const std::int32_t count = Send(plat::kCplGetCount);
    for (std::int32_t i = 0; i < count; ++i) {
        plat::CplInfo info{};
        AppletSeen seen;
        if (Send(plat::kCplInquire, i, reinterpret_cast<std::intptr_t>(&info)) != 0) {
            plat::NewCplInfo n{};
            Send(plat::kCplNewInquire, i, reinterpret_cast<std::intptr_t>(&n));
            n.name[sizeof n.name - 1] = n.info[sizeof n.info - 1] =
                n.helpFile[sizeof n.helpFile - 1] = 0;
            seen = {n.name, n.info, n.helpFile, n.icon != nullptr};
        }
        applets_.push_back(seen);
    }
    return true;
}

std::int32_t ControlPanel::Open(int applet, const char* parameter) {
    if (parameter)
        return Send(plat::kCplStartWParms, applet, reinterpret_cast<std::intptr_t>(parameter));
    return Send(plat::kCplDblClk, applet);
}

void ControlPanel::Unload() {
    for (std::size_t i = 0; i < applets_.size(); ++i)
        Send(plat::kCplStop, static_cast<std::intptr_t>(i));
    Send(plat::kCplExit);
}

bool DeviceManager::ShowProperties(const PageProvider& provider, plat::DeviceSet& set,
                                   std::size_t device) {
    constexpr std::uint32_t kAdvancedProperties = 3;
    std::vector<std::unique_ptr<ui::PropertyPage>> pages;
    const bool ok =
        provider(kAdvancedProperties, set, device, [&](std::unique_ptr<ui::PropertyPage>& page) {
            if (refuse_ || !page) return false;
            pages.push_back(std::move(page));
            return true;
        });
    if (pages.empty()) return ok;
    ui::PropertySheet sheet("DeviceProperties");
    for (auto& p : pages) sheet.AddPage(*p);
    pagesShown_ += pages.size();
    modal_.RunModal(sheet);
    auto params = set.ReadInstallParams(device);
    if (params && (params->flagsEx & plat::kDiFlagsExPropChangePending)) {
        set.ChangeState(device, plat::kDicsPropChange, plat::kDicsFlagConfigSpecific, 0);
        params->flagsEx &= ~plat::kDiFlagsExPropChangePending;
        set.WriteInstallParams(device, *params);
        ++restarts_;
    }
    return ok;
}

}  // namespace sim
