// The 64-bit Blowfish block cipher: 16 rounds, standard initial state and key schedule.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace config {

class Blowfish {
  public:
    // Any key of at least one byte; the schedule cycles it over the 18 subkeys, so bytes past
    // the 72nd have no effect. An empty key throws std::invalid_argument.
    explicit Blowfish(std::span<const std::uint8_t> key);
    explicit Blowfish(std::string_view key);

    // One 64-bit block as its two 32-bit halves, l the first (left) half.
    void Encrypt(std::uint32_t& l, std::uint32_t& r) const;
    void Decrypt(std::uint32_t& l, std::uint32_t& r) const;

  private:
    std::uint32_t F(std::uint32_t x) const;

    std::array<std::uint32_t, 18> p_;
    std::array<std::array<std::uint32_t, 256>, 4> s_;
};

}  // namespace config
