// Simulated service control manager: named services with a state, every call recorded.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services.h"
#include "sim/recent.h"

namespace sim {

class ServiceControl : public plat::ServiceControl {
  public:
    enum class CallKind { OpenManager, OpenService, Stop, Delete, Query };
    struct Call {
        CallKind kind;
        std::string service;  // as the caller spelled it; empty for OpenManager
        plat::ServiceAccess access = plat::ServiceAccess::Full;  // OpenService only
        bool succeeded = false;
        bool operator==(const Call&) const = default;
    };

    ServiceControl();
    ~ServiceControl() override;
    ServiceControl(const ServiceControl&) = delete;
    ServiceControl& operator=(const ServiceControl&) = delete;

    std::unique_ptr<plat::ServiceManager> OpenManager() override;

    // False: no manager at all, as on the Windows 95 family.
    void SetAvailable(bool available);
    // The manager itself refuses to open (access denied).
    void SetManagerRefused(bool refused);

    // Adds a service, or resets the state of one of that name (names are case-insensitive).
    void Add(std::string_view name, std::uint32_t state = plat::kServiceStopped);
    void SetState(std::string_view name, std::uint32_t state);
    // Opening the service is refused (access denied) while set.
    void SetAccessRefused(std::string_view name, bool refused);

    // False once deleted and no handle to it is open any more.
    bool Exists(std::string_view name) const;
    bool MarkedForDeletion(std::string_view name) const;
    std::optional<std::uint32_t> StateOf(std::string_view name) const;

    // The latest calls.
    const Recent<Call>& Calls() const;
    void ClearCalls();

    struct State;

  private:
    // Shared with open handles, so a handle that outlives this object stays harmless.
    std::shared_ptr<State> state_;
};

}  // namespace sim
