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
    ScHandle& operator=(ScHandle&&) = delete;
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

class Win32Manager final : public plat::ServiceManager {
  public:
    explicit Win32Manager(ScHandle h) : h_(std::move(h)) {}

    std::unique_ptr<plat::Service> Open(std::string_view name,
                                        plat::ServiceAccess access) override {
        std::string n(name);
        DWORD rights =
            access == plat::ServiceAccess::Full ? SERVICE_ALL_ACCESS : SERVICE_QUERY_STATUS;
        ScHandle h(OpenServiceA(h_.get(), n.c_str(), rights));
        if (!h) return nullptr;
        return std::make_unique<Win32Service>(std::move(h));
    }

  private:
    ScHandle h_;
};

}  // namespace

std::unique_ptr<plat::ServiceManager> ServiceControl::OpenManager() {
    ScHandle h(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!h) return nullptr;
    return std::make_unique<Win32Manager>(std::move(h));
}

}  // namespace win32
