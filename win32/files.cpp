#include "win32/files.h"

#include <windows.h>

#include <string>
#include <vector>

namespace win32 {

namespace {

FILETIME ToFiletime(plat::FileTime t) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(t);
    ft.dwHighDateTime = static_cast<DWORD>(t >> 32);
    return ft;
}

plat::FileTime FromFiletime(const FILETIME& ft) {
    return (static_cast<plat::FileTime>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

}  // namespace

std::optional<plat::FileVersion> Files::Version(std::string_view path) {
    const std::string p(path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(p.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(p.c_str(), 0, size, block.data())) return std::nullopt;
    void* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", &info, &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(info);
    if (fixed->dwSignature != 0xFEEF04BD) return std::nullopt;
    return plat::FileVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                             HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
}

std::optional<plat::FileTime> Files::LastWriteTime(std::string_view path) {
    const std::string p(path);
    HANDLE h = CreateFileA(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    FILETIME ft;
    const BOOL ok = GetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
    if (!ok) return std::nullopt;
    return FromFiletime(ft);
}

std::optional<plat::FileTime> Files::ToLocalTime(plat::FileTime utc) {
    const FILETIME in = ToFiletime(utc);
    FILETIME out;
    if (!FileTimeToLocalFileTime(&in, &out)) return std::nullopt;
    return FromFiletime(out);
}

std::optional<plat::DosDateTime> Files::ToDosDateTime(plat::FileTime t) {
    const FILETIME ft = ToFiletime(t);
    SYSTEMTIME st;
    if (!FileTimeToSystemTime(&ft, &st) || st.wYear < 1980 || st.wYear > 2107) {
        return std::nullopt;
    }
    WORD date = 0, time = 0;
    if (!FileTimeToDosDateTime(&ft, &date, &time)) return std::nullopt;
    return plat::DosDateTime{date, time};
}

std::string Files::WindowsDirectory() {
    std::string dir(MAX_PATH, '\0');
    UINT n = GetWindowsDirectoryA(dir.data(), static_cast<UINT>(dir.size()));
    if (n >= dir.size()) {  // too small: n is the size it needs
        dir.assign(n, '\0');
        n = GetWindowsDirectoryA(dir.data(), n);
    }
    if (n == 0 || n >= dir.size()) return {};
    dir.resize(n);
    return dir;
}

}  // namespace win32
