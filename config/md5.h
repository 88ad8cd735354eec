// The MD5 message digest (RFC 1321).
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace config {

using Md5Digest = std::array<std::uint8_t, 16>;

Md5Digest Md5(std::span<const std::uint8_t> data);
Md5Digest Md5(std::string_view text);

}  // namespace config
