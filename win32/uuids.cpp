#include "win32/uuids.h"

#include <cstring>
#include <utility>

#include "win32/module.h"

namespace win32 {

static_assert(sizeof(UUID) == sizeof(plat::Uuid));

Uuids::Uuids(std::string rpcLibrary) : rpcName_(std::move(rpcLibrary)) {}

Uuids::~Uuids() = default;

plat::Uuid Uuids::Create() {
    // Loaded on first use; a missing library stays missing for the object's life.
    if (!loadTried_) {
        loadTried_ = true;
        rpc_ = std::make_unique<Module>(rpcName_.c_str());
        rpc_->Get("UuidCreate", uuidCreate_);
    }
    UUID u;
    std::memset(&u, 0, sizeof u);
    if (!uuidCreate_) return Fallback();
    // RPC_S_UUID_LOCAL_ONLY is still a good UUID for one computer's identifier.
    const RPC_STATUS status = uuidCreate_(&u);
    if (status != RPC_S_OK && status != RPC_S_UUID_LOCAL_ONLY) return Fallback();
    plat::Uuid out;
    std::memcpy(out.data(), &u, sizeof u);
    return out;
}

plat::Uuid Uuids::Fallback() {
    ++fallbacks_;
    if (state_ == 0) {
        // Seeded once from what differs between computers and between starts.
        LARGE_INTEGER counter{};
        QueryPerformanceCounter(&counter);
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        state_ = static_cast<std::uint64_t>(counter.QuadPart) ^
                 (std::uint64_t(now.dwHighDateTime) << 32 | now.dwLowDateTime) ^
                 std::uint64_t(GetCurrentProcessId()) << 48 ^ GetTickCount();
    }
    return plat::RandomUuid(state_);
}

std::optional<std::string> Uuids::Render(const plat::Uuid& id) {
    return plat::FormatUuid(id);
}

}  // namespace win32
