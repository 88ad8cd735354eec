// The packet-access seam over the imported W32N50 library.
#pragma once
#include "platform/packet.h"

namespace win32 {

// Forwards every call to the library's export of the same name.
class PacketAccess final : public plat::PacketAccess {
  public:
    bool IsWindowsNT() override;
    bool IsWindows95() override;
    std::uint32_t OSGetPlatformVersion(std::uint32_t selector) override;
    bool GetAdapterRegistryInfo(std::uint8_t* record, const char* subkeyName) override;
    plat::AdapterHandle OpenAdapter(const char* name) override;
    std::uint32_t GetLastError() override;
    std::uint32_t MakeNdisRequest(plat::AdapterHandle h, plat::NdisRequestBlock* request,
                                  void* overlapped, int wait) override;
    bool SetBPFProgram(plat::AdapterHandle h, const void* program, std::uint32_t length) override;
    bool CancelPacketRead(plat::AdapterHandle h, void* read) override;
    bool CloseAdapter(plat::AdapterHandle h) override;
};

}  // namespace win32
