// Service control manager seam.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

// SERVICE_STATUS current states.
inline constexpr std::uint32_t kServiceStopped = 1;
inline constexpr std::uint32_t kServiceStartPending = 2;
inline constexpr std::uint32_t kServiceStopPending = 3;
inline constexpr std::uint32_t kServiceRunning = 4;
inline constexpr std::uint32_t kServicePaused = 7;

// The services' keys under HKEY_LOCAL_MACHINE.
inline constexpr std::string_view kServicesKey = "SYSTEM\\CurrentControlSet\\Services";
// The key an NT 4 miniport reads its parameters from: its service's Parameters subkey.
inline std::string ServiceParametersPath(std::string_view serviceName) {
    return std::string(kServicesKey) + "\\" + std::string(serviceName) + "\\Parameters";
}

// Full: SERVICE_ALL_ACCESS; QueryStatus: SERVICE_QUERY_STATUS only.
enum class ServiceAccess { Full, QueryStatus };

// An open service handle; closed by the destructor.
class Service {
  public:
    virtual ~Service() = default;
    // Sends the stop control. False when refused, e.g. the service is not running.
    virtual bool Stop() = 0;
    // Marks the service for deletion; it goes once every handle to it is closed.
    virtual bool Delete() = 0;
    virtual std::optional<std::uint32_t> CurrentState() = 0;
};

// An open service control manager handle; closed by the destructor.
class ServiceManager {
  public:
    virtual ~ServiceManager() = default;
    // Names are case-insensitive. nullptr when the service does not exist or access is refused.
    virtual std::unique_ptr<Service> Open(std::string_view name, ServiceAccess access) = 0;
};

class ServiceControl {
  public:
    virtual ~ServiceControl() = default;
    // The local machine's manager with full access; nullptr where there is none (95 family).
    virtual std::unique_ptr<ServiceManager> OpenManager() = 0;
};

}  // namespace plat
