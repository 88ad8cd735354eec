#include "win32/services.h"

#include <windows.h>

#include <string>
#include <utility>

namespace win32 {

namespace {

// Owns one service control manager or service handle.
class ScHandle {
  public:
    explicit ScHandle(SC_HANDLE h) : h_(h) {}
    ~ScHandle() {
        if (h_) CloseServiceHandle(h_);
    }
    ScHandle(ScHandle&& other) noexcept : h_(other.h_) { other.h_ = nullptr; }
    ScHandle(const ScHandle&) = delete;
    ScHandle& operator=(const ScHandle&) = delete;
    ScHandle& operator=(ScHandle&& other) noexcept {
        if (this != &other) {
            if (h_) CloseServiceHandle(h_);
            h_ = other.h_;
            other.h_ = nullptr;
        }
        return *this;
    }
    SC_HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

  private:
    SC_HANDLE h_;
};

class Win32Service final : public plat::Service {
  public:
    explicit Win32Service(ScHandle h) : h_(std::move(h)) {}

    bool Stop() override {
        SERVICE_STATUS status{};
        return ControlService(h_.get(), SERVICE_CONTROL_STOP, &status) != FALSE;
    }
    bool Delete() override { return DeleteService(h_.get()) != FALSE; }
    std::optional<std::uint32_t> CurrentState() override {
        SERVICE_STATUS status{};
        if (!QueryServiceStatus(h_.get(), &status)) return std::nullopt;
        return static_cast<std::uint32_t>(status.dwCurrentState);
    }

  private:
    ScHandle h_;
};

// Whether a service by that name may be installed: the service control manager keeps each one
// under its own key. Only a key known to be missing says no.
bool MayBeInstalled(const std::string& name) {
    HKEY key = nullptr;
    const std::string path = "SYSTEM\\CurrentControlSet\\Services\\" + name;
    const LONG r = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (r == ERROR_SUCCESS) RegCloseKey(key);
    return r != ERROR_FILE_NOT_FOUND;
}

// Opens the service control manager only for a service that may be there: the services the
// program looks for are seldom installed, and the manager's client brings the RPC run-time
// into the process (half a megabyte of it).
class Win32Manager final : public plat::ServiceManager {
  public:
    std::unique_ptr<plat::Service> Open(std::string_view name,
                                        plat::ServiceAccess access) override {
        std::string n(name);
        if (n.empty() || n.find('\\') != std::string::npos || !MayBeInstalled(n)) return nullptr;
        if (!h_) h_ = ScHandle(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        if (!h_) return nullptr;
        DWORD rights =
            access == plat::ServiceAccess::Full ? SERVICE_ALL_ACCESS : SERVICE_QUERY_STATUS;
        ScHandle h(OpenServiceA(h_.get(), n.c_str(), rights));
        if (!h) return nullptr;
        return std::make_unique<Win32Service>(std::move(h));
    }

  private:
    ScHandle h_{nullptr};
};

}  // namespace

std::unique_ptr<plat::ServiceManager> ServiceControl::OpenManager() {
    // The 95 family has no service control manager.
    if (GetVersion() & 0x80000000u) return nullptr;
    return std::make_unique<Win32Manager>();
}

}  // namespace win32
