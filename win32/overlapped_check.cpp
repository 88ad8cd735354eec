// The portable completion record must be laid out exactly as OVERLAPPED, since the
// packet-access library reads its event member.
#include <windows.h>

#include <cstddef>

#include "adapter/overlapped.h"

static_assert(sizeof(OVERLAPPED) == sizeof(adapter::OverlappedRecord));
static_assert(alignof(OVERLAPPED) == alignof(adapter::OverlappedRecord));
static_assert(offsetof(OVERLAPPED, Internal) == offsetof(adapter::OverlappedRecord, internal));
static_assert(offsetof(OVERLAPPED, InternalHigh) ==
              offsetof(adapter::OverlappedRecord, internalHigh));
static_assert(offsetof(OVERLAPPED, Offset) == offsetof(adapter::OverlappedRecord, offset));
static_assert(offsetof(OVERLAPPED, OffsetHigh) == offsetof(adapter::OverlappedRecord, offsetHigh));
static_assert(offsetof(OVERLAPPED, hEvent) == offsetof(adapter::OverlappedRecord, event));
