// A whole simulated PC: one of each simulated platform service, wired together.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/packet.h"
#include "platform/platform.h"
#include "sim/clock.h"
#include "sim/devices.h"
#include "sim/dialogs.h"
#include "sim/files.h"
#include "sim/registry.h"
#include "sim/services.h"
#include "sim/shell.h"
#include "sim/system.h"
#include "sim/uuids.h"

namespace sim {

// Packet access with no card behind it: the platform tests answer from the OS version, every
// other call fails (open gives the closed handle, the last error is 2, file not found).
class NoAdapter final : public plat::PacketAccess {
  public:
    explicit NoAdapter(plat::System& system) : system_(system) {}

    bool IsWindowsNT() override;
    bool IsWindows95() override;
    std::uint32_t OSGetPlatformVersion(std::uint32_t selector) override;
    bool GetAdapterRegistryInfo(std::uint8_t* record, const char* subkeyName) override;
    plat::AdapterHandle OpenAdapter(const char* name) override;
    std::uint32_t GetLastError() override { return 2; }
    std::uint32_t MakeNdisRequest(plat::AdapterHandle h, plat::NdisRequestBlock* request,
                                  void* overlapped, int wait) override;
    bool SetBPFProgram(plat::AdapterHandle, const void*, std::uint32_t) override { return false; }
    bool CancelPacketRead(plat::AdapterHandle, void*) override { return false; }
    bool CloseAdapter(plat::AdapterHandle) override { return false; }

  private:
    plat::System& system_;
};

// The services refer to each other where Windows' do (devices live in the registry, the
// packet slot asks the OS version), so a Pc is neither copied nor moved. Two programs made
// over one Pc share it as two processes share one computer.
class Pc {
  public:
    Pc();
    ~Pc();
    Pc(const Pc&) = delete;
    Pc& operator=(const Pc&) = delete;

    // References into this Pc; the packet entry follows SetPacket even after this call.
    plat::Platform platform();

    Registry& registry() { return registry_; }
    SetupApi& setup() { return setup_; }
    ServiceControl& services() { return services_; }
    Shell& shell() { return shell_; }
    Dialogs& dialogs() { return dialogs_; }
    Files& files() { return files_; }
    Uuids& uuids() { return uuids_; }
    System& system() { return system_; }
    Loop& loop() { return loop_; }

    // The packet-access library in use: NoAdapter until a card is put in.
    plat::PacketAccess& packet() { return *packet_; }
    void SetPacket(std::unique_ptr<plat::PacketAccess> packet);
    // Back to NoAdapter.
    void RemovePacket();

  private:
    // Forwards to whatever SetPacket put in, so Platform records stay valid.
    class PacketSlot final : public plat::PacketAccess {
      public:
        explicit PacketSlot(Pc& pc) : pc_(pc) {}
        bool IsWindowsNT() override;
        bool IsWindows95() override;
        std::uint32_t OSGetPlatformVersion(std::uint32_t selector) override;
        bool GetAdapterRegistryInfo(std::uint8_t* record, const char* subkeyName) override;
        plat::AdapterHandle OpenAdapter(const char* name) override;
        std::uint32_t GetLastError() override;
        std::uint32_t MakeNdisRequest(plat::AdapterHandle h, plat::NdisRequestBlock* request,
                                      void* overlapped, int wait) override;
        bool SetBPFProgram(plat::AdapterHandle h, const void* program,
                           std::uint32_t length) override;
        bool CancelPacketRead(plat::AdapterHandle h, void* read) override;
        bool CloseAdapter(plat::AdapterHandle h) override;

      private:
        Pc& pc_;
    };

    Registry registry_;
    SetupApi setup_;
    ServiceControl services_;
    Shell shell_;
    Dialogs dialogs_;
    Files files_;
    Uuids uuids_;
    System system_;
    Loop loop_;
    std::unique_ptr<plat::PacketAccess> packet_;
    PacketSlot slot_;
};

}  // namespace sim
