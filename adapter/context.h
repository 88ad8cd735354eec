// The one open adapter of the program: finding it among the network adapters in the registry,
// opening it through the packet-access library, and the driver requests every page uses.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "adapter/overlapped.h"
#include "platform/packet.h"
#include "platform/platform.h"

namespace adapter {

// Network adapter class keys under HKEY_LOCAL_MACHINE, per Windows family and version.
inline constexpr std::string_view kClassKeyNT5 =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
inline constexpr std::string_view kClassKeyNT4 =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
inline constexpr std::string_view kClassKey95 = "System\\CurrentControlSet\\Services\\Class\\Net";

// The value that marks the instance keys of supported adapters.
inline constexpr std::string_view kAdapterMarkerValue = "NetworkType5350";
// NT 4: the network card key's value that names the card's driver service.
inline constexpr std::string_view kServiceNameValue = "ServiceName";
// The packet-access library takes instance names of at most this many characters.
inline constexpr std::size_t kMaxInstanceNameLength = 15;
inline constexpr std::string_view kNtDevicePrefix = "\\Device\\";
// Open errors that a fresh start of the packet-access layer may cure: file or path not
// found, service not started.
inline constexpr std::array<std::uint32_t, 3> kRetryableOpenErrors = {2, 3, 1058};
inline constexpr int kOpenAttempts = 10;
inline constexpr int kRemovalPassesPerRetry = 3;
// Status of a request that failed without the driver saying why in the low byte.
inline constexpr std::uint8_t kRequestFailed = 0xFF;

// The class key for the running Windows, as the packet-access library reports it.
std::string_view ChooseClassKey(plat::PacketAccess& packet);

// The packet filter program: four BSD packet filter instructions, 8 little-endian bytes each.
// It accepts only frames of type 0xAAAA, so no ordinary traffic reaches the program.
using BpfProgramBytes = std::array<std::uint8_t, 32>;
constexpr BpfProgramBytes MakeBpfProgram() {
    struct Insn {
        std::uint16_t code;
        std::uint8_t jt, jf;
        std::uint32_t k;
    };
    constexpr Insn insns[4] = {
        {0x0028, 0, 0, 12},          // load the 16-bit type/length field
        {0x0015, 0, 1, 0xAAAA},      // equal to 0xAAAA? else skip one
        {0x0006, 0, 0, 0xFFFFFFFF},  // accept the whole frame
        {0x0006, 0, 0, 0},           // reject
    };
    BpfProgramBytes bytes{};
    std::size_t at = 0;
    for (const auto& i : insns) {
        bytes[at++] = std::uint8_t(i.code);
        bytes[at++] = std::uint8_t(i.code >> 8);
        bytes[at++] = i.jt;
        bytes[at++] = i.jf;
        for (int s = 0; s < 32; s += 8) bytes[at++] = std::uint8_t(i.k >> s);
    }
    return bytes;
}
inline constexpr BpfProgramBytes kBpfProgram = MakeBpfProgram();

using StationAddress = std::array<std::uint8_t, 6>;

// One per process, owned by the program; the platform it is made over must outlive it.
// Single-threaded: FindAdapter pumps messages, and requests made by handlers that run inside
// it go to whatever handle is open at that moment.
class AdapterContext {
  public:
    explicit AdapterContext(const plat::Platform& platform);
    ~AdapterContext();
    AdapterContext(const AdapterContext&) = delete;
    AdapterContext& operator=(const AdapterContext&) = delete;

    // Walks the class key for instances marked as supported and leaves the context open to the
    // first that opens and passes the checks. False when none does; AdapterKeyPath is then
    // empty.
    bool FindAdapter();
    // Opens the instance with this subkey index in the class key. verify false rejects the
    // candidate once its medium has been checked.
    bool OpenAdapterAt(std::size_t index, bool verify);
    // Safe when closed.
    void CloseAdapter();
    bool IsAdapterOpen() const { return handle_ != plat::kNoAdapter; }

    // Status byte: 0 is success. On a closed context the request goes to the closed handle
    // and fails.
    std::uint8_t QueryOid(std::uint32_t oid, void* buffer, std::uint32_t length);
    // bytesWritten: the driver's count, never more than length.
    std::uint8_t QueryOidWithLength(std::uint32_t oid, void* buffer, std::uint32_t length,
                                    std::uint32_t& bytesWritten);
    // buffer may be null with length 0.
    std::uint8_t SetOid(std::uint32_t oid, const void* buffer, std::uint32_t length);

    // 0 or 1: supported adapters found by the last search.
    int Found() const { return found_; }
    // HKEY_LOCAL_MACHINE path of the found adapter's driver key: its instance key, or on NT 4
    // its service's Parameters key, where the miniport reads; empty before the first search and
    // after one that found nothing (an empty path names no key).
    const std::string& AdapterKeyPath() const { return adapterKeyPath_; }
    // The class key chosen by the last search or open.
    const std::string& ClassKeyPath() const { return classKeyPath_; }
    const adapter::StationAddress& StationAddress() const { return stationAddress_; }
    plat::AdapterHandle Handle() const { return handle_; }

  private:
    enum class OpenResult { NoCandidate, Opened, Failed };
    OpenResult OpenOnce(std::size_t index);
    bool PassesChecks(bool verify);
    void Pause();
    std::uint8_t Request(std::uint8_t type, std::uint32_t oid, void* buffer, std::uint32_t length,
                         std::uint32_t* bytesWritten);

    plat::Platform platform_;
    int found_ = 0;
    std::string adapterKeyPath_;
    std::string classKeyPath_;
    plat::AdapterHandle handle_ = plat::kNoAdapter;
    std::unique_ptr<plat::Event> event_;
    OverlappedRecord completion_{};
    plat::NdisRequestBlock request_{};
    adapter::StationAddress stationAddress_{};
};

}  // namespace adapter
