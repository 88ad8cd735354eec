// Simulated RPC run-time UUIDs: a fixed sequence, rendered as UuidToString renders them.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/uuids.h"

namespace sim {

// The same seed gives the same sequence of random-looking version 4 UUIDs.
class Uuids final : public plat::Uuids {
  public:
    explicit Uuids(std::uint64_t seed = 0x5eed) : state_(seed) {}

    plat::Uuid Create() override;
    std::optional<std::string> Render(const plat::Uuid& id) override;

    void SetRenderFails(bool fails) { renderFails_ = fails; }
    const std::vector<plat::Uuid>& Created() const { return created_; }
    const std::vector<plat::Uuid>& Rendered() const { return rendered_; }

  private:
    std::uint64_t state_;
    bool renderFails_ = false;
    std::vector<plat::Uuid> created_;
    std::vector<plat::Uuid> rendered_;
};

}  // namespace sim
