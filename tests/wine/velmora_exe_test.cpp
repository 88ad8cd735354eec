// The velmora.exe we ship, run beside the stand-in W32N50.dll on a registry seeded as a PC
// with the card installed, and driven from outside as Windows and other programs do.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <cstdlib>
#include <string>

#include "sim/regfile.h"
#include "tests/contract/devices_contract.h"
#include "win32/registry.h"

namespace {

constexpr char kCaption[] = "VELMORA ZN6200 802.11a/b Configuration Utility";
constexpr UINT kTrayId = 1000;

std::string VelmoraPath() {
    if (const char* env = std::getenv("VELMORA_EXE"); env && *env) return env;
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string p(exe, n);
    for (int up = 0; up < 3; ++up) p.erase(p.find_last_of("\\/"));
    return p + "\\win32\\velmora.exe";
}

// Waits up to ms for the condition, checking every 100 ms.
template <class F>
bool WaitFor(F done, DWORD ms) {
    for (DWORD waited = 0;; waited += 100) {
        if (done()) return true;
        if (waited >= ms) return false;
        Sleep(100);
    }
}

// A modify of an icon that is not there is refused, so it tells whether the icon is shown.
bool HasTrayIcon(HWND owner) {
    NOTIFYICONDATAA d{};
    d.cbSize = NOTIFYICONDATAA_V2_SIZE;
    d.hWnd = owner;
    d.uID = kTrayId;
    d.uFlags = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &d) != FALSE;
}

class VelmoraExe : public ::testing::Test {
  protected:
    void SetUp() override {
        Clean();
        auto r = sim::ImportRegFile(reg_, FixturePath("zn6200-installed.reg"));
        ASSERT_TRUE(r) << "line " << r.line << ": " << r.message;
    }
    void TearDown() override {
        for (auto& p : processes_) {
            if (WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(p.hProcess, 1);
            CloseHandle(p.hProcess);
            CloseHandle(p.hThread);
        }
        Clean();
    }
    void Clean() {
        const std::string pci = "SYSTEM\\CurrentControlSet\\Enum\\PCI\\";
        const std::string net =
            "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";
        reg_.DeleteTree(pci + "VEN_1D5A&DEV_0620&SUBSYS_06201D5A&REV_01");
        reg_.DeleteTree(pci + "VEN_7A7B&DEV_3100&SUBSYS_31007A7B&REV_02");
        reg_.DeleteTree(net + "0000");
        reg_.DeleteTree(net + "0001");
        reg_.DeleteTree("SYSTEM\\CurrentControlSet\\Services\\CV7720");
        reg_.DeleteTree("SOFTWARE\\VelmoraSim");
    }
    HANDLE Start() {
        std::string path = VelmoraPath();
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string cmd = "\"" + path + "\"";
        if (!CreateProcessA(path.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &si, &pi)) {
            ADD_FAILURE() << "cannot start " << path << ", error " << GetLastError();
            return nullptr;
        }
        processes_.push_back(pi);
        return pi.hProcess;
    }

    win32::Registry reg_;
    std::vector<PROCESS_INFORMATION> processes_;
};

TEST_F(VelmoraExe, ShowsItsTrayIconAndEndsOnTheCloseMessageWithParameterOne) {
    HANDLE first = Start();
    ASSERT_TRUE(first);
    HWND window = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (window = FindWindowA(nullptr, kCaption)) != nullptr; }, 20000))
        << "no window";
    EXPECT_FALSE(IsWindowVisible(window)) << "starts hidden in the tray";
    EXPECT_NE(FindWindowA(nullptr, "ZN6200UI"), nullptr) << "the application title";
    // The hardware check runs after a second, the search half a second later.
    ASSERT_TRUE(WaitFor([&] { return HasTrayIcon(window); }, 20000)) << "no tray icon";

    // A second copy ends at once and makes no window of its own.
    HANDLE second = Start();
    ASSERT_TRUE(second);
    EXPECT_EQ(WaitForSingleObject(second, 20000), WAIT_OBJECT_0);
    EXPECT_EQ(FindWindowExA(nullptr, window, nullptr, kCaption), nullptr);

    // Parameter 2 is ignored; 1 ends the program and takes the icon away.
    PostMessageA(window, WM_CLOSE, 0, 2);
    EXPECT_EQ(WaitForSingleObject(first, 1500), static_cast<DWORD>(WAIT_TIMEOUT));
    PostMessageA(window, WM_CLOSE, 0, 1);
    EXPECT_EQ(WaitForSingleObject(first, 20000), WAIT_OBJECT_0);
    EXPECT_TRUE(WaitFor([&] { return !HasTrayIcon(window); }, 5000));
}

}  // namespace
