// RPC run-time UUID creation and rendering.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace plat {

using Uuid = std::array<std::uint8_t, 16>;

// Text form of a UUID whose 16 bytes are laid out as the GUID record holds them: the first
// three fields (4, 2 and 2 bytes) little-endian, the last eight bytes in order. Lower case, as
// the RPC run-time renders it.
std::string FormatUuid(const Uuid& id);

// A random-looking version 4 UUID from a splitmix64 state, which it advances; the same state
// gives the same sequence.
Uuid RandomUuid(std::uint64_t& state);

class Uuids {
  public:
    virtual ~Uuids() = default;
    virtual Uuid Create() = 0;
    // The 36-character text form; nullopt when it cannot be rendered.
    virtual std::optional<std::string> Render(const Uuid& id) = 0;
};

}  // namespace plat
