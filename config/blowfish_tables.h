// Initial state of the Blowfish cipher before key scheduling.
#pragma once
#include <array>
#include <cstdint>

namespace config::blowfish_detail {

extern const std::array<std::uint32_t, 18> kInitialP;
extern const std::array<std::array<std::uint32_t, 256>, 4> kInitialS;

}  // namespace config::blowfish_detail
