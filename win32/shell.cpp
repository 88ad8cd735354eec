#include "win32/shell.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace win32 {

// The record of shell version 5 (2000 and later); older shells read only its first part.
// Its size on 32 bits is the one the program is known to hand the shell.
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V2_SIZE;
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(kRecordSize == plat::kNotifyIconRecordSize);
#endif
static_assert(sizeof(NOTIFYICONDATAA::szTip) == plat::kNotifyTipChars);

bool Shell::NotifyIcon(std::uint32_t action, const plat::NotifyIconRecord& record) {
    NOTIFYICONDATAA nid;
    std::memset(&nid, 0, sizeof nid);
    nid.cbSize = kRecordSize;
    nid.hWnd = reinterpret_cast<HWND>(record.owner);
    nid.uID = record.id;
    nid.uFlags = record.flags;
    nid.uCallbackMessage = record.callbackMessage;
    auto it = icons_.find(record.icon);
    nid.hIcon = it == icons_.end() ? nullptr : static_cast<HICON>(it->second);
    const std::size_t n = std::min(record.tip.size(), sizeof nid.szTip - 1);
    std::memcpy(nid.szTip, record.tip.data(), n);
    return Shell_NotifyIconA(action, &nid) != FALSE;
}

}  // namespace win32
