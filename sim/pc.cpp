#include "sim/pc.h"

#include <cstring>
#include <utility>

namespace sim {

bool NoAdapter::IsWindowsNT() {
    return system_.Version().family == plat::OsFamily::NT;
}

bool NoAdapter::IsWindows95() {
    return system_.Version().family == plat::OsFamily::Win95;
}

std::uint32_t NoAdapter::OSGetPlatformVersion(std::uint32_t selector) {
    return selector == 2 ? system_.Version().major : 0;  // 2 asks for the major version
}

bool NoAdapter::GetAdapterRegistryInfo(std::uint8_t* record, const char*) {
    if (record) std::memset(record, 0, plat::kAdapterRegistryRecordSize);
    return false;
}

plat::AdapterHandle NoAdapter::OpenAdapter(const char*) {
    return plat::kNoAdapter;
}

std::uint32_t NoAdapter::MakeNdisRequest(plat::AdapterHandle, plat::NdisRequestBlock*, void*, int) {
    return 0xC0000001;  // NDIS_STATUS_FAILURE
}

bool Pc::PacketSlot::IsWindowsNT() {
    return pc_.packet().IsWindowsNT();
}
bool Pc::PacketSlot::IsWindows95() {
    return pc_.packet().IsWindows95();
}
std::uint32_t Pc::PacketSlot::OSGetPlatformVersion(std::uint32_t selector) {
    return pc_.packet().OSGetPlatformVersion(selector);
}
bool Pc::PacketSlot::GetAdapterRegistryInfo(std::uint8_t* record, const char* subkeyName) {
    return pc_.packet().GetAdapterRegistryInfo(record, subkeyName);
}
plat::AdapterHandle Pc::PacketSlot::OpenAdapter(const char* name) {
    return pc_.packet().OpenAdapter(name);
}
std::uint32_t Pc::PacketSlot::GetLastError() {
    return pc_.packet().GetLastError();
}
std::uint32_t Pc::PacketSlot::MakeNdisRequest(plat::AdapterHandle h,
                                              plat::NdisRequestBlock* request, void* overlapped,
                                              int wait) {
    return pc_.packet().MakeNdisRequest(h, request, overlapped, wait);
}
bool Pc::PacketSlot::SetBPFProgram(plat::AdapterHandle h, const void* program,
                                   std::uint32_t length) {
    return pc_.packet().SetBPFProgram(h, program, length);
}
bool Pc::PacketSlot::CancelPacketRead(plat::AdapterHandle h, void* read) {
    return pc_.packet().CancelPacketRead(h, read);
}
bool Pc::PacketSlot::CloseAdapter(plat::AdapterHandle h) {
    return pc_.packet().CloseAdapter(h);
}

Pc::Pc() : setup_(registry_), packet_(std::make_unique<NoAdapter>(system_)), slot_(*this) {
    // The programs are not modelled across a computer restart; the devices are.
    system_.OnRestart([this] { setup_.RestartDevices(); });
}

Pc::~Pc() = default;

plat::Platform Pc::platform() {
    return plat::Platform{registry_, setup_, services_, slot_,   shell_,
                          dialogs_,  files_, uuids_,    system_, loop_};
}

void Pc::SetPacket(std::unique_ptr<plat::PacketAccess> packet) {
    if (packet) {
        packet_ = std::move(packet);
    } else {
        RemovePacket();
    }
}

void Pc::RemovePacket() {
    packet_ = std::make_unique<NoAdapter>(system_);
}

}  // namespace sim
