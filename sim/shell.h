// Simulated notification area: every call recorded, the icons kept as the shell keeps them.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "sim/recent.h"

namespace sim {

struct TrayIcon {
    std::uintptr_t owner = 0;
    std::uint32_t id = 0;
    std::uint32_t callbackMessage = 0;
    int icon = 0;
    std::string tip;
    bool operator==(const TrayIcon&) const = default;
};

struct NotifyIconCall {
    std::uint32_t action = 0;
    plat::NotifyIconRecord record;
    bool result = false;
};

class Shell final : public plat::Shell {
  public:
    bool NotifyIcon(std::uint32_t action, const plat::NotifyIconRecord& record) override;

    // A failing shell refuses every call and changes nothing (the calls are still recorded).
    void SetFails(bool fails) { fails_ = fails; }

    // The latest calls.
    const Recent<NotifyIconCall>& Calls() const { return calls_; }
    const std::vector<TrayIcon>& Icons() const { return icons_; }
    // The icon with this id, whatever its owner (programs here have one window each).
    std::optional<TrayIcon> Icon(std::uint32_t id) const;
    bool HasIcon(std::uint32_t id) const { return Icon(id).has_value(); }
    void ClearCalls() { calls_.clear(); }

  private:
    bool Apply(std::uint32_t action, const plat::NotifyIconRecord& record);

    bool fails_ = false;
    Recent<NotifyIconCall> calls_;
    std::vector<TrayIcon> icons_;  // in the order they were added
};

}  // namespace sim
