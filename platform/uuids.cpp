#include "platform/uuids.h"

#include <cstddef>

namespace plat {

std::string FormatUuid(const Uuid& id) {
    // Byte order of the text: Data1, Data2 and Data3 reversed, then Data4 as stored.
    static constexpr std::size_t kOrder[16] = {3, 2, 1,  0,  5,  4,  7,  6,
                                               8, 9, 10, 11, 12, 13, 14, 15};
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(36);
    for (std::size_t i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) out.push_back('-');
        const std::uint8_t b = id[kOrder[i]];
        out.push_back(kHex[b >> 4]);
        out.push_back(kHex[b & 0xF]);
    }
    return out;
}

Uuid RandomUuid(std::uint64_t& state) {
    Uuid id{};
    for (std::size_t half = 0; half < 2; ++half) {
        // splitmix64
        std::uint64_t v = (state += 0x9E3779B97F4A7C15ull);
        v = (v ^ (v >> 30)) * 0xBF58476D1CE4E5B9ull;
        v = (v ^ (v >> 27)) * 0x94D049BB133111EBull;
        v ^= v >> 31;
        for (std::size_t i = 0; i < 8; ++i, v >>= 8)
            id[half * 8 + i] = static_cast<std::uint8_t>(v);
    }
    id[7] = static_cast<std::uint8_t>((id[7] & 0x0F) | 0x40);  // version 4: Data3's high nibble
    id[8] = static_cast<std::uint8_t>((id[8] & 0x3F) | 0x80);  // variant 10xx
    return id;
}

}  // namespace plat
