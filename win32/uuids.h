// RPC run-time UUIDs.
#pragma once
#include "platform/uuids.h"

namespace win32 {

class Uuids final : public plat::Uuids {
  public:
    // A UUID unique to this computer only (no network card) is still taken.
    plat::Uuid Create() override;
    std::optional<std::string> Render(const plat::Uuid& id) override;
};

}  // namespace win32
