#include "win32/services.h"

#include <windows.h>

#include <set>
#include <string>

#include "tests/contract/services_contract.h"

namespace {

class ScHandle {
  public:
    explicit ScHandle(SC_HANDLE h) : h_(h) {}
    ~ScHandle() {
        if (h_) CloseServiceHandle(h_);
    }
    ScHandle(const ScHandle&) = delete;
    ScHandle& operator=(const ScHandle&) = delete;
    SC_HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

  private:
    SC_HANDLE h_;
};

bool WaitFor(SC_HANDLE s, DWORD state) {
    SERVICE_STATUS st{};
    for (int i = 0; i < 100; ++i) {
        if (!QueryServiceStatus(s, &st)) return false;
        if (st.dwCurrentState == state) return true;
        Sleep(50);
    }
    return false;
}

// Stops and deletes the service; it is gone once this returns, as no handle stays open.
void Remove(SC_HANDLE manager, const std::string& name) {
    ScHandle s(OpenServiceA(manager, name.c_str(), SERVICE_ALL_ACCESS));
    if (!s) return;
    SERVICE_STATUS st{};
    if (ControlService(s.get(), SERVICE_CONTROL_STOP, &st)) WaitFor(s.get(), SERVICE_STOPPED);
    DeleteService(s.get());
}

// Services are hosted by Wine's print spooler program, which runs as any service's process.
class WinServicesHost : public ServicesHost {
  public:
    ~WinServicesHost() override {
        ScHandle m(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        if (m)
            for (const auto& name : installed_) Remove(m.get(), name);
    }

    plat::ServiceControl& Control() override { return scm_; }

    std::string Install(const std::string& name, bool running) override {
        ScHandle m(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        if (!m) return "no service control manager";
        Remove(m.get(), name);
        char dir[MAX_PATH] = "";
        if (!GetSystemDirectoryA(dir, MAX_PATH)) return "no system folder";
        std::string binary = std::string(dir) + "\\spoolsv.exe";
        ScHandle s(CreateServiceA(m.get(), name.c_str(), name.c_str(), SERVICE_ALL_ACCESS,
                                  SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                  SERVICE_ERROR_IGNORE, binary.c_str(), nullptr, nullptr, nullptr,
                                  nullptr, nullptr));
        if (!s) return "CreateServiceA failed with error " + std::to_string(GetLastError());
        installed_.insert(name);
        if (running && (!StartServiceA(s.get(), 0, nullptr) || !WaitFor(s.get(), SERVICE_RUNNING)))
            return "the service manager could not start " + binary;
        return {};
    }

  private:
    win32::ServiceControl scm_;
    std::set<std::string> installed_;
};

INSTANTIATE_TEST_SUITE_P(Win32, ServicesContract,
                         ::testing::Values(ServicesTarget{
                             "win32", [] { return std::make_unique<WinServicesHost>(); }}),
                         ServicesTargetName);

}  // namespace
