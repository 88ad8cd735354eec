// Simulated OS: version, named events shared by every program on this PC, restart.
#pragma once
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/system.h"

namespace sim {

struct RestartCall {
    bool force = false;
    bool result = false;
};

// Named events live as long as one handle to them is open, whichever program opened it:
// two program instances made on one System see each other's events.
class System final : public plat::System {
  public:
    System();
    ~System() override;
    System(const System&) = delete;
    System& operator=(const System&) = delete;

    plat::OsVersion Version() override { return version_; }
    bool EventExists(std::string_view name) override;
    std::unique_ptr<plat::Event> NewEvent(std::string_view name, bool manualReset,
                                          bool initialState) override;
    // Fails on the 95 family (no tokens there) and when set to fail.
    bool EnableShutdownPrivilege() override;
    // Succeeds on the 95 family, and on NT once the privilege is held; a restart that succeeds
    // runs the hook (the PC starts its devices afresh).
    bool Restart(bool force) override;
    void OnRestart(std::function<void()> hook) { onRestart_ = std::move(hook); }

    void SetVersion(plat::OsVersion v) { version_ = v; }
    void SetEventCreationFails(bool fails) { eventsFail_ = fails; }
    void SetPrivilegeFails(bool fails) { privilegeFails_ = fails; }
    void SetRestartFails(bool fails) { restartFails_ = fails; }

    // Open handles to the named event (0 when it does not exist).
    std::size_t EventHandles(std::string_view name) const;
    std::size_t EventsCreated() const { return eventsCreated_; }
    std::size_t PrivilegeRequests() const { return privilegeRequests_; }
    bool PrivilegeHeld() const { return privilegeHeld_; }
    const std::vector<RestartCall>& Restarts() const { return restarts_; }

    struct Names;

  private:
    plat::OsVersion version_;
    std::shared_ptr<Names> names_;
    bool eventsFail_ = false;
    bool privilegeFails_ = false;
    bool restartFails_ = false;
    bool privilegeHeld_ = false;
    std::size_t eventsCreated_ = 0;
    std::size_t privilegeRequests_ = 0;
    std::vector<RestartCall> restarts_;
    std::function<void()> onRestart_;
};

}  // namespace sim
