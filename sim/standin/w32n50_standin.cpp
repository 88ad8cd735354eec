// Stand-in for the packet-access library: the same exports, with no adapter behind them. The
// platform tests answer from the running Windows; every adapter call fails as the library
// does when no adapter opens (the closed handle, last error 2: file not found).
#include <windows.h>

#include "platform/packet.h"

namespace {

OSVERSIONINFOA Version() {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof(v);
    GetVersionExA(&v);
    return v;
}

}  // namespace

extern "C" {

int W32N_IsWindowsNT(void) { return Version().dwPlatformId == VER_PLATFORM_WIN32_NT ? 1 : 0; }

int W32N_IsWindows95(void) {
    return Version().dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
}

std::uint32_t W32N_OSGetPlatformVersion(std::uint32_t selector) {
    OSVERSIONINFOA v = Version();
    switch (selector) {
        case 1: return v.dwPlatformId;
        case 2: return v.dwMajorVersion;
        case 3: return v.dwMinorVersion;
        default: return 0;
    }
}

int W32N_GetAdapterRegistryInfo(void*, const char*) { return 0; }

void* W32N_OpenAdapterA(const char*) { return plat::kNoAdapter; }

std::uint32_t W32N_GetLastError(void) { return ERROR_FILE_NOT_FOUND; }

std::uint32_t W32N_MakeNdisRequest(void*, void*, void*, int) { return ERROR_INVALID_HANDLE; }

int W32N_SetBPFProgram(void*, const void*, std::uint32_t) { return 0; }

int W32N_CancelPacketRead(void*, void*) { return 0; }

int W32N_CloseAdapter(void*) { return 0; }

}  // extern "C"
