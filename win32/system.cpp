#include "win32/system.h"

#include <windows.h>

#include <string>

namespace win32 {

namespace {

class Handle {
  public:
    explicit Handle(HANDLE h = nullptr) : h_(h) {}
    ~Handle() {
        if (h_) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    HANDLE* out() { return &h_; }

  private:
    HANDLE h_;
};

class Win32Event final : public plat::Event {
  public:
    explicit Win32Event(HANDLE h) : h_(h) {}
    void* Native() const override { return h_.get(); }

  private:
    Handle h_;
};

}  // namespace

plat::OsVersion System::Version() {
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    plat::OsVersion v;
    if (!GetVersionExA(&vi)) return v;
    v.family =
        vi.dwPlatformId == VER_PLATFORM_WIN32_NT ? plat::OsFamily::NT : plat::OsFamily::Win95;
    v.major = vi.dwMajorVersion;
    v.minor = vi.dwMinorVersion;
    return v;
}

bool System::EventExists(std::string_view name) {
    if (name.empty()) return false;
    const std::string n(name);
    Handle h(OpenEventA(EVENT_ALL_ACCESS, FALSE, n.c_str()));
    return h.get() != nullptr || GetLastError() == ERROR_ACCESS_DENIED;
}

std::unique_ptr<plat::Event> System::NewEvent(std::string_view name, bool manualReset,
                                              bool initialState) {
    const std::string n(name);
    HANDLE h = CreateEventA(nullptr, manualReset, initialState, n.empty() ? nullptr : n.c_str());
    if (!h) return nullptr;
    return std::make_unique<Win32Event>(h);
}

bool System::EnableShutdownPrivilege() {
    Handle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                          token.out())) {
        return false;
    }
    TOKEN_PRIVILEGES tp{};
    if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &tp.Privileges[0].Luid)) return false;
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // Succeeds even when the privilege was not granted; only the last error tells.
    SetLastError(ERROR_SUCCESS);
    if (!AdjustTokenPrivileges(token.get(), FALSE, &tp, 0, nullptr, nullptr)) return false;
    return GetLastError() == ERROR_SUCCESS;
}

bool System::Restart(bool force) {
    const UINT flags = EWX_REBOOT | (force ? EWX_FORCE : 0);
    return ExitWindowsEx(flags, SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_FLAG_PLANNED) != FALSE;
}

}  // namespace win32
