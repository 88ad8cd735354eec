// The control-panel applet protocol: its messages and records, as the control panel and an
// applet library exchange them.
#pragma once
#include <cstdint>

namespace plat {

inline constexpr std::uint32_t kCplInit = 1, kCplGetCount = 2, kCplInquire = 3, kCplSelect = 4,
                               kCplDblClk = 5, kCplStop = 6, kCplExit = 7, kCplNewInquire = 8,
                               kCplStartWParms = 9,
                               kCplStartWParmsW = 10;  // the same, its text in UTF-16

// Laid out as CPLINFO and NEWCPLINFOA, which are byte-packed (244 bytes on 32-bit Windows).
#pragma pack(push, 1)
struct CplInfo {
    std::int32_t idIcon;
    std::int32_t idName;
    std::int32_t idInfo;
    std::intptr_t lData;
};
struct NewCplInfo {
    std::uint32_t size;
    std::uint32_t flags;
    std::uint32_t helpContext;
    std::intptr_t lData;
    void* icon;
    char name[32];
    char info[64];
    char helpFile[128];
};
#pragma pack(pop)

}  // namespace plat
