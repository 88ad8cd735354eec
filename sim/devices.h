// Simulated setup interface: devices are the instance keys of the registry's Enum tree, read
// as Wine reads them, with devnode status, presence and install parameters kept here.
//
// A device is every key System\CurrentControlSet\Enum\<enumerator>\<device>\<instance> whose
// "ClassGUID" is a REG_SZ braced GUID (others are skipped even for all classes, as in Wine).
// Sets list them in registry enumeration order, enumerator, then device, then instance: sorted
// by name in both this registry and Wine's. The instance identifier is the path below Enum in
// upper case. Properties are the values "DeviceDesc", "Service", "Driver" and "FriendlyName"
// of that key, read when asked; the driver key is Control\Class\<Driver>.
//
// Where Windows and Wine part, this follows Windows: a device marked absent is not listed
// (Wine lists every instance key, present or not); the devnode has a status of its own and
// can be disabled and enabled (Wine answers status 0, problem 0 and refuses the property
// change). Install parameters are kept per device rather than per set, so that a restart
// asked for by a property page can be seen once the page's set is gone.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/devices.h"
#include "platform/registry.h"
#include "sim/recent.h"

namespace sim {

// Devnode status flags (DN_*).
inline constexpr std::uint32_t kDnDriverLoaded = 0x00000002;
inline constexpr std::uint32_t kDnStarted = 0x00000008;
inline constexpr std::uint32_t kDnNtEnumerator = 0x00800000;
inline constexpr std::uint32_t kDnNtDriver = 0x01000000;
// A working PCI adapter: driver loaded, started, disableable, enumerated and driven by NT
// components (0x0180200A).
inline constexpr std::uint32_t kStatusStarted =
    kDnDriverLoaded | kDnStarted | plat::kDnDisableable | kDnNtEnumerator | kDnNtDriver;
// The same adapter after a disable: no driver, has a problem (code 22), still disableable.
inline constexpr std::uint32_t kStatusDisabled =
    plat::kDnHasProblem | plat::kDnDisableable | kDnNtEnumerator | kDnNtDriver;

class SetupApi : public plat::SetupApi {
  public:
    struct ChangeRequest {
        std::string instanceId;
        std::uint32_t stateChange = 0;
        std::uint32_t scope = 0;
        std::uint32_t hwProfile = 0;
        bool succeeded = false;
        bool operator==(const ChangeRequest&) const = default;
    };
    // Told when a device stops (disabled, removed) or starts (enabled, present again).
    using Observer = std::function<void(const std::string& instanceId, bool started)>;

    explicit SetupApi(plat::Registry& registry);
    ~SetupApi() override;
    SetupApi(const SetupApi&) = delete;
    SetupApi& operator=(const SetupApi&) = delete;

    // Sets hold a reference to this object and must not outlive it.
    std::unique_ptr<plat::DeviceSet> PresentDevices(std::string_view classGuid) override;
    // A one-device set, as the device manager hands it to a property page; nullptr when the
    // instance is not in the registry or not present.
    std::unique_ptr<plat::DeviceSet> DeviceById(std::string_view instanceId);

    // Instance ids are matched case-insensitively everywhere below.
    void SetPresent(std::string_view instanceId, bool present);
    bool IsPresent(std::string_view instanceId) const;
    void SetStatus(std::string_view instanceId, plat::DevNodeStatus status);
    plat::DevNodeStatus StatusOf(std::string_view instanceId) const;
    bool IsStarted(std::string_view instanceId) const;

    // Failure injection.
    void SetEnumerationFails(bool fails);
    void SetStatusFails(std::string_view instanceId, bool fails);
    void SetInstanceIdUnreadable(std::string_view instanceId, bool unreadable);
    void SetChangeFails(std::string_view instanceId, bool fails);
    void SetInstallParamsFail(std::string_view instanceId, bool fails);

    void SetInstallParams(std::string_view instanceId, plat::InstallParams params);
    plat::InstallParams InstallParamsOf(std::string_view instanceId) const;

    // The latest state-change requests.
    const Recent<ChangeRequest>& Requests() const;
    void ClearRequests();
    void Subscribe(Observer observer);
    // Windows started again: every started device stops and starts, so its driver reads its
    // parameters anew; a disabled one stays as it is.
    void RestartDevices();

    // Used by the sets.
    struct Device {
        bool present = true;
        plat::DevNodeStatus status{kStatusStarted, 0};
        bool statusFails = false;
        bool idUnreadable = false;
        bool changeFails = false;
        bool installParamsFail = false;
        plat::InstallParams installParams;
    };
    plat::Registry& registry() { return registry_; }
    const Device* Find(std::string_view instanceId) const;
    bool ChangeState(const std::string& instanceId, std::uint32_t stateChange, std::uint32_t scope,
                     std::uint32_t hwProfile);
    bool WriteInstallParams(const std::string& instanceId, const plat::InstallParams& params);

  private:
    Device& At(std::string_view instanceId);
    void Notify(const std::string& instanceId, bool wasStarted);
    void Tell(const std::string& instanceId, bool started);

    plat::Registry& registry_;
    std::map<std::string, Device> devices_;  // by upper-case instance id
    Recent<ChangeRequest> requests_;
    std::vector<Observer> observers_;
    bool enumerationFails_ = false;
};

}  // namespace sim
