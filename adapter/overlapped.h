// The completion record passed with every driver request: laid out as Win32's OVERLAPPED so
// the packet-access library can wait on its event (checked in win32/overlapped_check.cpp).
#pragma once
#include <cstddef>
#include <cstdint>

namespace adapter {

struct OverlappedRecord {
    std::uintptr_t internal = 0;
    std::uintptr_t internalHigh = 0;
    std::uint32_t offset = 0;  // with offsetHigh, the union with a pointer in OVERLAPPED
    std::uint32_t offsetHigh = 0;
    void* event = nullptr;  // hEvent
};

static_assert(offsetof(OverlappedRecord, event) == 2 * sizeof(void*) + 8);
static_assert(sizeof(void*) != 8 ||
              (offsetof(OverlappedRecord, event) == 24 && sizeof(OverlappedRecord) == 32));
static_assert(sizeof(void*) != 4 ||
              (offsetof(OverlappedRecord, event) == 16 && sizeof(OverlappedRecord) == 20));

}  // namespace adapter
