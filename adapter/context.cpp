#include "adapter/context.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "adapter/oids.h"
#include "adapter/presence.h"
#include "platform/services.h"

namespace adapter {

namespace {

constexpr std::uint8_t kQueryInformation = 0;
constexpr std::uint8_t kSetInformation = 1;
constexpr std::uint8_t kDestPrefix[4] = {'D', 'E', 'S', 'T'};

// The zero-terminated text at byte 520, cut at the record's end if the library left it
// unterminated.
std::string DeviceName(const std::array<std::uint8_t, plat::kAdapterRegistryRecordSize>& record) {
    auto begin = record.begin() + plat::kAdapterRegistryDeviceNameOffset;
    return std::string(begin, std::find(begin, record.end(), std::uint8_t{0}));
}

bool IsRetryable(std::uint32_t error) {
    return std::find(kRetryableOpenErrors.begin(), kRetryableOpenErrors.end(), error) !=
           kRetryableOpenErrors.end();
}

// The card's instance key, except on NT 4, where the miniport reads the Parameters key of the
// service that the card's ServiceName names.
std::string DriverKeyPathOf(plat::Registry& registry, std::string_view classKey,
                            const std::string& cardKeyPath, const plat::RegKey& cardKey) {
    if (classKey != kClassKeyNT4) return cardKeyPath;
    // With no service to follow (no ServiceName, or its Parameters key does not open) the
    // card's own key serves as the driver key. A name with a backslash would lead outside the
    // service's own key.
    const auto service = plat::ReadString(cardKey, kServiceNameValue).value_or("");
    if (service.empty() || service.find('\\') != std::string::npos) return cardKeyPath;
    std::string parameters = plat::ServiceParametersPath(service);
    if (!registry.Open(parameters)) return cardKeyPath;
    return parameters;
}

}  // namespace

std::string_view ChooseClassKey(plat::PacketAccess& packet) {
    if (!packet.IsWindowsNT()) return kClassKey95;
    return packet.OSGetPlatformVersion(2) >= 5 ? kClassKeyNT5 : kClassKeyNT4;
}

AdapterContext::AdapterContext(const plat::Platform& platform) : platform_(platform) {}

AdapterContext::~AdapterContext() {
    CloseAdapter();
}

bool AdapterContext::FindAdapter() {
    found_ = 0;
    classKeyPath_ = ChooseClassKey(platform_.packet);
    std::vector<std::string> names;
    if (auto cls = platform_.registry.Open(classKeyPath_)) {
        names = cls->SubKeyNames();
    } else {
        adapterKeyPath_.clear();
        return false;
    }
    for (std::size_t i = 0; i < names.size() && found_ == 0; ++i) {
        // Set before the pause: handlers that run inside it see the candidate's key.
        const std::string cardKeyPath = plat::JoinPath(classKeyPath_, names[i]);
        adapterKeyPath_ = cardKeyPath;
        {
            auto key = platform_.registry.Open(cardKeyPath);
            if (!key || !plat::ValueExists(*key, kAdapterMarkerValue)) continue;
            adapterKeyPath_ = DriverKeyPathOf(platform_.registry, classKeyPath_, cardKeyPath, *key);
        }
        Pause();
        if (OpenAdapterAt(i, true)) found_ = 1;
    }
    if (found_ == 0) adapterKeyPath_.clear();
    return found_ > 0;
}

// Keeps the user interface alive before each open; the 95 family's packet-access layer
// needs far longer to settle.
void AdapterContext::Pause() {
    const int rounds = platform_.packet.IsWindowsNT() ? 5 : 150;
    for (int r = 0; r < rounds; ++r) {
        for (int p = 0; p < rounds; ++p) platform_.loop.ProcessMessages();
        platform_.loop.Sleep(10);
    }
}

AdapterContext::OpenResult AdapterContext::OpenOnce(std::size_t index) {
    classKeyPath_ = ChooseClassKey(platform_.packet);
    std::string openName;
    {
        auto cls = platform_.registry.Open(classKeyPath_);
        if (!cls) return OpenResult::NoCandidate;
        auto names = cls->SubKeyNames();
        if (index >= names.size()) return OpenResult::NoCandidate;
        const std::string& name = names[index];
        // The library's name buffer holds no more; such a key is not an instance it opens.
        if (name.size() > kMaxInstanceNameLength) return OpenResult::NoCandidate;
        std::array<std::uint8_t, plat::kAdapterRegistryRecordSize> record{};
        platform_.packet.GetAdapterRegistryInfo(record.data(), name.c_str());
        openName = platform_.packet.IsWindowsNT()
                       ? std::string(kNtDevicePrefix) + DeviceName(record)
                       : name;
    }
    handle_ = platform_.packet.OpenAdapter(openName.c_str());
    return IsAdapterOpen() ? OpenResult::Opened : OpenResult::Failed;
}

bool AdapterContext::OpenAdapterAt(std::size_t index, bool verify) {
    CloseAdapter();
    for (int attempts = 0;;) {
        const auto result = OpenOnce(index);
        if (result == OpenResult::Opened) break;
        if (result == OpenResult::NoCandidate) return false;
        if (!IsRetryable(platform_.packet.GetLastError())) return false;
        if (++attempts >= kOpenAttempts) return false;
        for (int pass = 0; pass < kRemovalPassesPerRetry; ++pass)
            RemovePacketDriverServices(platform_.services);
    }

    event_ = platform_.system.NewEvent({}, false, false);
    if (!event_) {
        platform_.packet.CloseAdapter(handle_);
        handle_ = plat::kNoAdapter;
        platform_.dialogs.ShowMessageBox(0, "Could not create Overlapped Event", "Error",
                                         plat::kMbOk);
        return false;
    }
    completion_ = {};
    completion_.event = event_->Native();

    if (!PassesChecks(verify)) {
        CloseAdapter();
        return false;
    }
    std::uint8_t filter[4] = {kPacketFilterDirectedBroadcast, 0, 0, 0};
    SetOid(OID_GEN_CURRENT_PACKET_FILTER, filter, sizeof filter);
    platform_.packet.SetBPFProgram(handle_, kBpfProgram.data(), kBpfProgram.size());
    return true;
}

bool AdapterContext::PassesChecks(bool verify) {
    std::uint8_t medium[4] = {};
    if (QueryOid(OID_GEN_MEDIA_IN_USE, medium, sizeof medium) != 0) return false;
    std::uint32_t code =
        medium[0] | medium[1] << 8 | medium[2] << 16 | std::uint32_t(medium[3]) << 24;
    if (code != kMedium802_3) return false;
    if (!verify) return false;
    stationAddress_ = {};
    if (QueryOid(OID_802_3_CURRENT_ADDRESS, stationAddress_.data(), stationAddress_.size()) != 0)
        return false;
    return std::memcmp(stationAddress_.data(), kDestPrefix, sizeof kDestPrefix) != 0;
}

void AdapterContext::CloseAdapter() {
    if (!IsAdapterOpen()) return;
    // The program posts no reads; the completion record is the only one it could have used.
    platform_.packet.CancelPacketRead(handle_, &completion_);
    platform_.packet.CloseAdapter(handle_);
    handle_ = plat::kNoAdapter;
    completion_.event = nullptr;
    event_.reset();
}

std::uint8_t AdapterContext::QueryOid(std::uint32_t oid, void* buffer, std::uint32_t length) {
    return Request(kQueryInformation, oid, buffer, length, nullptr);
}

std::uint8_t AdapterContext::QueryOidWithLength(std::uint32_t oid, void* buffer,
                                                std::uint32_t length, std::uint32_t& bytesWritten) {
    return Request(kQueryInformation, oid, buffer, length, &bytesWritten);
}

std::uint8_t AdapterContext::SetOid(std::uint32_t oid, const void* buffer, std::uint32_t length) {
    // A set only reads the buffer; the block has one pointer field for both directions.
    return Request(kSetInformation, oid, const_cast<void*>(buffer), length, nullptr);
}

std::uint8_t AdapterContext::Request(std::uint8_t type, std::uint32_t oid, void* buffer,
                                     std::uint32_t length, std::uint32_t* bytesWritten) {
    // Bytes 0-19 are never touched; the type is 0 or 1, so its upper bytes stay zero.
    request_.requestType = type;
    request_.oid = oid;
    request_.buffer = buffer;
    request_.bufferLength = length;
    request_.bytesWritten = 0;
    request_.bytesNeeded = 0;
    const std::uint32_t result =
        platform_.packet.MakeNdisRequest(handle_, &request_, &completion_, 1);
    // A driver that claims more than the buffer holds must not send callers past its end.
    if (bytesWritten) *bytesWritten = std::min(request_.bytesWritten, length);
    const auto status = std::uint8_t(result & 0xFF);
    // Callers look at the low byte alone: a failure must not read as success there, and a
    // closed handle never succeeds.
    if (status == 0 && (result != 0 || !IsAdapterOpen())) return kRequestFailed;
    return status;
}

}  // namespace adapter
