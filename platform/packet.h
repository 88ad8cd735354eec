// Packet access seam: the calls of the closed W32N50 library.
#pragma once
#include <cstddef>
#include <cstdint>

namespace plat {

using AdapterHandle = void*;
inline const AdapterHandle kNoAdapter = reinterpret_cast<AdapterHandle>(~std::uintptr_t{0});

inline constexpr std::size_t kAdapterRegistryRecordSize = 780;
inline constexpr std::size_t kAdapterRegistryDeviceNameOffset = 520;

// The NDIS request block handed to W32N_MakeNdisRequest. Its layout is fixed for 32 bits;
// the 64-bit build (tests and demo only) widens the buffer address.
struct NdisRequestBlock {
    std::uint8_t reserved[20];
    std::uint32_t requestType;  // 0 query, 1 set
    std::uint32_t oid;
    void* buffer;
    std::uint32_t bufferLength;
    std::uint32_t bytesWritten;
    std::uint32_t bytesNeeded;
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(NdisRequestBlock, requestType) == 20);
static_assert(offsetof(NdisRequestBlock, oid) == 24);
static_assert(offsetof(NdisRequestBlock, buffer) == 28);
static_assert(offsetof(NdisRequestBlock, bufferLength) == 32);
static_assert(offsetof(NdisRequestBlock, bytesWritten) == 36);
static_assert(offsetof(NdisRequestBlock, bytesNeeded) == 40);
static_assert(sizeof(NdisRequestBlock) == 44);
#endif

class PacketAccess {
public:
    virtual ~PacketAccess() = default;
    virtual bool IsWindowsNT() = 0;
    virtual bool IsWindows95() = 0;
    virtual std::uint32_t OSGetPlatformVersion(std::uint32_t selector) = 0;
    virtual bool GetAdapterRegistryInfo(std::uint8_t* record, const char* subkeyName) = 0;
    virtual AdapterHandle OpenAdapter(const char* name) = 0;
    virtual std::uint32_t GetLastError() = 0;
    // overlapped is the caller's OVERLAPPED record (opaque here).
    virtual std::uint32_t MakeNdisRequest(AdapterHandle h, NdisRequestBlock* request,
                                          void* overlapped, int wait) = 0;
    virtual bool SetBPFProgram(AdapterHandle h, const void* program, std::uint32_t length) = 0;
    virtual bool CancelPacketRead(AdapterHandle h, void* read) = 0;
    virtual bool CloseAdapter(AdapterHandle h) = 0;
};

}  // namespace plat

// The library's own exports, C calling convention (see platform/w32n50.def).
extern "C" {
int W32N_IsWindowsNT(void);
int W32N_IsWindows95(void);
std::uint32_t W32N_OSGetPlatformVersion(std::uint32_t selector);
int W32N_GetAdapterRegistryInfo(void* record, const char* subkeyName);
void* W32N_OpenAdapterA(const char* name);
std::uint32_t W32N_GetLastError(void);
std::uint32_t W32N_MakeNdisRequest(void* handle, void* request, void* overlapped, int wait);
int W32N_SetBPFProgram(void* handle, const void* program, std::uint32_t length);
int W32N_CancelPacketRead(void* handle, void* read);
int W32N_CloseAdapter(void* handle);
}
