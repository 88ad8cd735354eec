// RPC run-time UUID creation and rendering.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace plat {

using Uuid = std::array<std::uint8_t, 16>;

class Uuids {
  public:
    virtual ~Uuids() = default;
    virtual Uuid Create() = 0;
    // The 36-character text form; nullopt when it cannot be rendered.
    virtual std::optional<std::string> Render(const Uuid& id) = 0;
};

}  // namespace plat
