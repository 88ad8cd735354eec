// The whole simulated PC: its platform record and the packet-access slot.
#include <gtest/gtest.h>

#include <array>

#include "sim/pc.h"

namespace {

// A card stand-in that only tells it was called.
class Marker final : public plat::PacketAccess {
  public:
    bool IsWindowsNT() override { return true; }
    bool IsWindows95() override { return false; }
    std::uint32_t OSGetPlatformVersion(std::uint32_t) override { return 77; }
    bool GetAdapterRegistryInfo(std::uint8_t*, const char*) override { return true; }
    plat::AdapterHandle OpenAdapter(const char*) override {
        return reinterpret_cast<plat::AdapterHandle>(std::uintptr_t{0x10});
    }
    std::uint32_t GetLastError() override { return 0; }
    std::uint32_t MakeNdisRequest(plat::AdapterHandle, plat::NdisRequestBlock*, void*,
                                  int) override {
        return 0;
    }
    bool SetBPFProgram(plat::AdapterHandle, const void*, std::uint32_t) override { return true; }
    bool CancelPacketRead(plat::AdapterHandle, void*) override { return true; }
    bool CloseAdapter(plat::AdapterHandle) override { return true; }
};

TEST(SimPc, PlatformRecordIsTheTypedServices) {
    sim::Pc pc;
    plat::Platform p = pc.platform();
    EXPECT_EQ(&p.registry, &pc.registry());
    EXPECT_EQ(&p.setup, &pc.setup());
    EXPECT_EQ(&p.services, &pc.services());
    EXPECT_EQ(&p.shell, &pc.shell());
    EXPECT_EQ(&p.dialogs, &pc.dialogs());
    EXPECT_EQ(&p.files, &pc.files());
    EXPECT_EQ(&p.uuids, &pc.uuids());
    EXPECT_EQ(&p.system, &pc.system());
    EXPECT_EQ(&p.loop, &pc.loop());
}

TEST(SimPc, WithoutACardEveryPacketCallFails) {
    sim::Pc pc;
    plat::PacketAccess& packet = pc.platform().packet;
    EXPECT_EQ(packet.OpenAdapter("\\Device\\{X}"), plat::kNoAdapter);
    EXPECT_EQ(packet.GetLastError(), 2u);
    plat::NdisRequestBlock request{};
    EXPECT_NE(packet.MakeNdisRequest(plat::kNoAdapter, &request, nullptr, 1) & 0xFF, 0u);
    std::array<std::uint8_t, plat::kAdapterRegistryRecordSize> record;
    record.fill(0xCC);
    EXPECT_FALSE(packet.GetAdapterRegistryInfo(record.data(), "0001"));
    EXPECT_EQ(record[plat::kAdapterRegistryDeviceNameOffset], 0) << "no stale name to read";
    EXPECT_FALSE(packet.CloseAdapter(plat::kNoAdapter));

    // The platform tests follow the simulated OS.
    EXPECT_TRUE(packet.IsWindowsNT());
    EXPECT_EQ(packet.OSGetPlatformVersion(2), 5u);
    pc.system().SetVersion({plat::OsFamily::Win95, 4, 90});
    EXPECT_FALSE(packet.IsWindowsNT());
    EXPECT_TRUE(packet.IsWindows95());
    EXPECT_EQ(packet.OSGetPlatformVersion(2), 4u);
}

TEST(SimPc, APlatformTakenEarlierReachesACardPutInLater) {
    sim::Pc pc;
    plat::Platform p = pc.platform();
    pc.SetPacket(std::make_unique<Marker>());
    EXPECT_EQ(p.packet.OSGetPlatformVersion(2), 77u);
    pc.RemovePacket();
    EXPECT_EQ(p.packet.OpenAdapter("x"), plat::kNoAdapter);
    pc.SetPacket(nullptr);
    EXPECT_EQ(p.packet.GetLastError(), 2u);
}

TEST(SimPc, TwoProgramsOnOnePcShareItsEvents) {
    sim::Pc pc;
    plat::Platform first = pc.platform();
    plat::Platform second = pc.platform();
    auto held = first.system.NewEvent("ZN6200", true, false);
    EXPECT_TRUE(second.system.EventExists("ZN6200"));
}

}  // namespace
