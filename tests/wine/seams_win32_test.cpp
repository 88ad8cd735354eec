// The seam contracts over the Win32 loop, system, files, uuids and shell.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/contract/seam_envs.h"
#include "win32/files.h"
#include "win32/loop.h"
#include "win32/shell.h"
#include "win32/system.h"
#include "win32/uuids.h"

namespace {

contract::LoopEnv Win32Loop() {
    auto loop = std::make_unique<win32::Loop>();
    win32::Loop* l = loop.get();
    contract::LoopEnv env;
    env.loop = std::move(loop);
    env.virtualTime = false;
    env.now = [] { return static_cast<std::uint64_t>(GetTickCount()); };
    env.runUntil = [l](const std::function<bool()>& done, std::uint32_t maxMs) {
        const DWORD start = GetTickCount();
        while (!done() && GetTickCount() - start < maxMs) {
            l->ProcessMessages();
            if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    };
    env.takeQuit = [] {
        MSG m;
        return PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
    };
    return env;
}

contract::SystemEnv Win32System() {
    return {std::make_unique<win32::System>(),
            "VelmoraContract-" + std::to_string(GetCurrentProcessId())};
}

std::string TempDir() {
    char buf[MAX_PATH];
    const DWORD n = GetTempPathA(MAX_PATH, buf);
    return std::string(buf, n > 0 && n < MAX_PATH ? n : 0);
}

contract::FilesEnv Win32Files() {
    contract::FilesEnv env;
    env.files = std::make_unique<win32::Files>();
    char sys[MAX_PATH];
    const UINT n = GetSystemDirectoryA(sys, MAX_PATH);
    env.versionedPath = std::string(sys, n) + "\\kernel32.dll";

    char name[MAX_PATH];
    GetTempFileNameA(TempDir().c_str(), "vlm", 0, name);
    env.timedPath = name;
    const SYSTEMTIME st = {2021, 3, 4, 4, 5, 6, 8, 0};  // Thursday 2021-03-04 05:06:08 UTC
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    env.timedWrite = (static_cast<plat::FileTime>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    HANDLE h = CreateFileA(name, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        SetFileTime(h, nullptr, nullptr, &ft);
        CloseHandle(h);
    }
    env.cleanup = std::shared_ptr<void>(
        nullptr, [path = env.timedPath](void*) { DeleteFileA(path.c_str()); });
    env.missingPath = TempDir() + "velmora-missing-" + std::to_string(GetCurrentProcessId());
    return env;
}

contract::UuidsEnv Win32Uuids() {
    return {std::make_unique<win32::Uuids>()};
}

// A system without the RPC run-time: the UUIDs are made here, and must be as good.
contract::UuidsEnv Win32UuidsWithoutRpc() {
    return {std::make_unique<win32::Uuids>("velmora-no-such-rpcrt4.dll")};
}

contract::ShellEnv Win32Shell() {
    contract::ShellEnv env;
    if (!FindWindowA("Shell_TrayWnd", nullptr)) {
        env.skipReason = "no notification area here (no Shell_TrayWnd window)";
        return env;
    }
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (!owner) {
        env.skipReason = "no window could be made to own the icon";
        return env;
    }
    auto shell = std::make_unique<win32::Shell>();
    shell->RegisterIcon(1, LoadIconA(nullptr, IDI_APPLICATION));
    shell->RegisterIcon(2, LoadIconA(nullptr, IDI_INFORMATION));
    env.shell = std::move(shell);
    env.owner = reinterpret_cast<std::uintptr_t>(owner);
    env.iconA = 1;
    env.iconB = 2;
    env.cleanup = std::shared_ptr<void>(nullptr, [owner](void*) { DestroyWindow(owner); });
    return env;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Win32, LoopContract, ::testing::Values(&Win32Loop),
                         [](const auto&) { return std::string("win32"); });
INSTANTIATE_TEST_SUITE_P(Win32, SystemContract, ::testing::Values(&Win32System),
                         [](const auto&) { return std::string("win32"); });
INSTANTIATE_TEST_SUITE_P(Win32, FilesContract, ::testing::Values(&Win32Files),
                         [](const auto&) { return std::string("win32"); });
INSTANTIATE_TEST_SUITE_P(Win32, UuidsContract,
                         ::testing::Values(&Win32Uuids, &Win32UuidsWithoutRpc),
                         [](const auto& param) {
                             return std::string(param.index == 0 ? "win32" : "win32_without_rpc");
                         });

TEST(Win32Uuids, TheRpcRunTimeIsUsedWhenPresentAndReplacedWhenMissing) {
    win32::Uuids present, missing("velmora-no-such-rpcrt4.dll");
    present.Create();
    EXPECT_EQ(present.FallbackCount(), 0);
    const plat::Uuid a = missing.Create(), b = missing.Create();
    EXPECT_EQ(missing.FallbackCount(), 2);  // the fallback did fire
    EXPECT_NE(a, b);
    EXPECT_EQ(plat::FormatUuid(a)[14], '4');  // version 4
}

INSTANTIATE_TEST_SUITE_P(Win32, ShellContract, ::testing::Values(&Win32Shell),
                         [](const auto&) { return std::string("win32"); });
