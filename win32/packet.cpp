#include "win32/packet.h"

namespace win32 {

bool PacketAccess::IsWindowsNT() {
    return W32N_IsWindowsNT() != 0;
}

bool PacketAccess::IsWindows95() {
    return W32N_IsWindows95() != 0;
}

std::uint32_t PacketAccess::OSGetPlatformVersion(std::uint32_t selector) {
    return W32N_OSGetPlatformVersion(selector);
}

bool PacketAccess::GetAdapterRegistryInfo(std::uint8_t* record, const char* subkeyName) {
    return W32N_GetAdapterRegistryInfo(record, subkeyName) != 0;
}

plat::AdapterHandle PacketAccess::OpenAdapter(const char* name) {
    return W32N_OpenAdapterA(name);
}

std::uint32_t PacketAccess::GetLastError() {
    return W32N_GetLastError();
}

std::uint32_t PacketAccess::MakeNdisRequest(plat::AdapterHandle h, plat::NdisRequestBlock* request,
                                            void* overlapped, int wait) {
    return W32N_MakeNdisRequest(h, request, overlapped, wait);
}

bool PacketAccess::SetBPFProgram(plat::AdapterHandle h, const void* program, std::uint32_t length) {
    return W32N_SetBPFProgram(h, program, length) != 0;
}

bool PacketAccess::CancelPacketRead(plat::AdapterHandle h, void* read) {
    return W32N_CancelPacketRead(h, read) != 0;
}

bool PacketAccess::CloseAdapter(plat::AdapterHandle h) {
    return W32N_CloseAdapter(h) != 0;
}

}  // namespace win32
