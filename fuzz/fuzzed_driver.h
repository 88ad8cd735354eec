// The driver the harnesses that start velmora talk to: once the program has found its card,
// each request gets a fuzzed status, fuzzed data and a fuzzed byte count (larger than the
// buffer too); and what the window shows checked against what it can hold.
#pragma once
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "adapter/oids.h"
#include "app/form.h"
#include "app/scan_list.h"
#include "app/status.h"
#include "app/velmora.h"
#include "fuzz/fuzz_pc.h"
#include "platform/packet.h"
#include "sim/pc.h"
#include "sim/regfile.h"

namespace fuzz {

// A card that opens as the real one does and then answers from the input.
class FuzzedDriver final : public plat::PacketAccess {
  public:
    FuzzedDataProvider* in = nullptr;  // null: the answers that let the program find the card
    // Pulling ends the open handle, as unplugging does; nothing opens until it is back.
    void Pull() {
        present_ = false;
        open_ = false;
    }
    void Insert() { present_ = true; }

    bool IsWindowsNT() override { return true; }
    bool IsWindows95() override { return false; }
    std::uint32_t OSGetPlatformVersion(std::uint32_t selector) override {
        return selector == 2 ? 5 : 0;
    }
    bool GetAdapterRegistryInfo(std::uint8_t* record, const char*) override {
        std::memset(record, 0, plat::kAdapterRegistryRecordSize);
        if (!present_) return false;
        if (in) {
            // Any record, its device name unterminated too.
            const auto bytes = in->ConsumeBytes<std::uint8_t>(plat::kAdapterRegistryRecordSize);
            if (!bytes.empty()) std::memcpy(record, bytes.data(), bytes.size());
            return in->ConsumeBool();
        }
        std::memcpy(record + plat::kAdapterRegistryDeviceNameOffset, "ZN6200", 7);
        return true;
    }
    plat::AdapterHandle OpenAdapter(const char*) override {
        if (!present_) return nullptr;
        open_ = true;
        return Handle();
    }
    std::uint32_t GetLastError() override { return 2; }
    std::uint32_t MakeNdisRequest(plat::AdapterHandle h, plat::NdisRequestBlock* r, void*,
                                  int) override {
        if (h != Handle() || !open_ || !present_) return 0xC0000001;
        if (!in) return Sane(*r);
        const std::uint32_t status =
            in->PickValueInArray({0u, 0u, 0u, 0xC0000001u, in->ConsumeIntegral<std::uint32_t>()});
        std::size_t copied = 0;
        if (r->requestType == 0 && r->buffer) {
            const auto bytes = in->ConsumeBytes<std::uint8_t>(
                in->ConsumeIntegralInRange<std::uint32_t>(0, r->bufferLength));
            copied = bytes.size();
            if (copied) std::memcpy(r->buffer, bytes.data(), copied);
        }
        switch (in->ConsumeIntegralInRange(0, 3)) {
            case 0:
                r->bytesWritten = static_cast<std::uint32_t>(copied);
                break;
            case 1:
                r->bytesWritten = r->bufferLength + in->ConsumeIntegralInRange(1, 100);
                break;
            case 2:
                r->bytesWritten = in->ConsumeIntegral<std::uint32_t>();
                break;
            default:
                r->bytesWritten = 0;
                break;
        }
        r->bytesNeeded = in->ConsumeIntegral<std::uint32_t>();
        return status;
    }
    bool SetBPFProgram(plat::AdapterHandle, const void*, std::uint32_t) override { return true; }
    bool CancelPacketRead(plat::AdapterHandle, void*) override { return true; }
    bool CloseAdapter(plat::AdapterHandle) override {
        open_ = false;
        return true;
    }

  private:
    static plat::AdapterHandle Handle() { return reinterpret_cast<plat::AdapterHandle>(0x10); }
    // 802.3 medium and an ordinary station address; every other request succeeds empty.
    static std::uint32_t Sane(plat::NdisRequestBlock& r) {
        static constexpr std::uint8_t kAddress[6] = {0x00, 0x1D, 0x5A, 0x01, 0x02, 0x03};
        if (r.requestType == 0 && r.buffer) std::memset(r.buffer, 0, r.bufferLength);
        if (r.oid == adapter::OID_802_3_CURRENT_ADDRESS && r.bufferLength >= 6)
            std::memcpy(r.buffer, kAddress, 6);
        r.bytesWritten = r.requestType == 0 ? r.bufferLength : 0;
        return 0;
    }
    bool open_ = false;
    bool present_ = true;
};

void CheckShown(const app::TForm1& form) {
    if (form.LinkSsid.size() > app::kMaxSsidBytes) std::abort();
    // " <name>: <address>" at most.
    if (form.StationState.Caption().size() > 3 + app::kMaxSsidBytes + 17 &&
        form.StationState.Caption() != app::kEncryptionNeededText)
        std::abort();
    if (form.CurrentChannel.Caption().size() > 24) std::abort();
    if (form.APSStringGrid.RowCount() > 1 + int(app::kGridScanBufferSize / app::kScanListEntrySize))
        std::abort();
    if (form.cbSSID.Count() > int(app::kListScanBufferSize / app::kScanListEntrySize)) std::abort();
}

// velmora started on a PC with the card installed (and any further .reg text), the fuzzed
// driver behind the packet-access seam; it has not looked for its card yet.
class FuzzedProgram {
  public:
    explicit FuzzedProgram(std::string_view moreReg = {})
        : driver(Prepare(pc, moreReg)), platform(pc.platform()), velmora(platform) {}

    sim::Pc pc;
    FuzzedDriver& driver;
    plat::Platform platform;
    app::Velmora velmora;

  private:
    static FuzzedDriver& Prepare(sim::Pc& pc, std::string_view moreReg) {
        if (!sim::ImportReg(pc.registry(), InstalledPcText())) std::abort();
        if (!moreReg.empty() && !sim::ImportReg(pc.registry(), moreReg)) std::abort();
        auto owned = std::make_unique<FuzzedDriver>();
        FuzzedDriver& driver = *owned;
        pc.SetPacket(std::move(owned));
        return driver;
    }
};

}  // namespace fuzz
