// Setup interface and configuration manager seam: present devices and their properties.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace plat {

inline constexpr std::string_view kNetClassGuid = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
inline constexpr std::string_view kNdisLanClassGuid = "{AD498944-762F-11D0-8DCB-00C04FC3358C}";

enum class DeviceProperty { DeviceDesc, Service, Driver, FriendlyName };

// Configuration manager's devnode status flags and problem codes used by the system.
inline constexpr std::uint32_t kDnHasProblem = 0x0400;
inline constexpr std::uint32_t kDnDisableable = 0x2000;
inline constexpr std::uint32_t kProblemDisabled = 22;
inline constexpr std::uint32_t kProblemHardwareDisabled = 29;

struct DevNodeStatus {
    std::uint32_t status = 0;
    std::uint32_t problem = 0;
    bool operator==(const DevNodeStatus&) const = default;
};

// Property-change request codes (DICS_*, DICS_FLAG_*).
inline constexpr std::uint32_t kDicsEnable = 1;
inline constexpr std::uint32_t kDicsDisable = 2;
inline constexpr std::uint32_t kDicsPropChange = 3;
inline constexpr std::uint32_t kDicsFlagGlobal = 1;
inline constexpr std::uint32_t kDicsFlagConfigSpecific = 2;

// Install parameter flags (DI_NEEDRESTART, DI_NEEDREBOOT, DI_FLAGSEX_PROPCHANGE_PENDING).
inline constexpr std::uint32_t kDiNeedRestart = 0x80;
inline constexpr std::uint32_t kDiNeedReboot = 0x100;
inline constexpr std::uint32_t kDiFlagsExPropChangePending = 0x400;

// The two flag words of a device's install parameters; the rest of the record is kept as the
// setup interface holds it.
struct InstallParams {
    std::uint32_t flags = 0;
    std::uint32_t flagsEx = 0;
    bool operator==(const InstallParams&) const = default;
};

enum class DevKeyAccess { Read, Full };

// One device information set; destroyed with the object.
class DeviceSet {
  public:
    virtual ~DeviceSet() = default;
    virtual std::size_t Count() const = 0;
    // Empty when the identifier cannot be read (its reported length is 0).
    virtual std::string InstanceId(std::size_t i) const = 0;
    // The property as text; nullopt when missing, unreadable or not a string.
    virtual std::optional<std::string> Property(std::size_t i, DeviceProperty p) const = 0;
    virtual std::optional<DevNodeStatus> Status(std::size_t i) const = 0;
    // One DIF_PROPERTYCHANGE request; true when both the parameters and the call succeed.
    virtual bool ChangeState(std::size_t i, std::uint32_t stateChange, std::uint32_t scope,
                             std::uint32_t hwProfile) = 0;
    // The device's driver key (DIREG_DRV, global configuration); nullptr when it does not open.
    virtual std::unique_ptr<RegKey> OpenDriverKey(std::size_t i, DevKeyAccess access) = 0;
    virtual std::optional<InstallParams> ReadInstallParams(std::size_t i) const = 0;
    // Replaces both flag words; false when the setup interface refuses them.
    virtual bool WriteInstallParams(std::size_t i, const InstallParams& params) = 0;
};

class SetupApi {
  public:
    virtual ~SetupApi() = default;
    // Present devices of one class, or of all classes when classGuid is empty.
    // nullptr when no set can be had (also for a class text that is not a braced GUID).
    virtual std::unique_ptr<DeviceSet> PresentDevices(std::string_view classGuid) = 0;
};

}  // namespace plat
