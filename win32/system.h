// OS version, named events, the shutdown privilege and restart.
#pragma once
#include "platform/system.h"

namespace win32 {

class System final : public plat::System {
  public:
    plat::OsVersion Version() override;
    // An event that exists but refuses full access to this user still counts as there.
    bool EventExists(std::string_view name) override;
    std::unique_ptr<plat::Event> NewEvent(std::string_view name, bool manualReset,
                                          bool initialState) override;
    bool EnableShutdownPrivilege() override;
    bool Restart(bool force) override;
};

}  // namespace win32
