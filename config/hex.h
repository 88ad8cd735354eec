// Upper-case hex text of bytes and back, as the stored key forms use it.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace config {

// Two upper-case digits per byte, high nibble first.
std::string ToHexUpper(std::span<const std::uint8_t> bytes);

// The bytes of an even-length text of hex digits (either case); nothing for any other text.
std::optional<std::vector<std::uint8_t>> ParseHex(std::string_view text);

}  // namespace config
