#include "win32/uuids.h"

#include <windows.h>
// After windows.h, which it needs.
#include <rpc.h>

#include <cstring>

namespace win32 {

static_assert(sizeof(UUID) == sizeof(plat::Uuid));

plat::Uuid Uuids::Create() {
    UUID u;
    std::memset(&u, 0, sizeof u);
    UuidCreate(&u);
    plat::Uuid out;
    std::memcpy(out.data(), &u, sizeof u);
    return out;
}

std::optional<std::string> Uuids::Render(const plat::Uuid& id) {
    UUID u;
    std::memcpy(&u, id.data(), sizeof u);
    RPC_CSTR text = nullptr;
    if (UuidToStringA(&u, &text) != RPC_S_OK || !text) return std::nullopt;
    std::string out(reinterpret_cast<const char*>(text));
    RpcStringFreeA(&text);
    return out;
}

}  // namespace win32
