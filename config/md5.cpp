#include "config/md5.h"

#include <cstddef>
#include <vector>

namespace config {

namespace {

// floor(|sin(i + 1)| * 2^32), generated with python3's math.sin.
constexpr std::array<std::uint32_t, 64> kSine = {
    0xD76AA478, 0xE8C7B756, 0x242070DB, 0xC1BDCEEE, 0xF57C0FAF, 0x4787C62A, 0xA8304613, 0xFD469501,
    0x698098D8, 0x8B44F7AF, 0xFFFF5BB1, 0x895CD7BE, 0x6B901122, 0xFD987193, 0xA679438E, 0x49B40821,
    0xF61E2562, 0xC040B340, 0x265E5A51, 0xE9B6C7AA, 0xD62F105D, 0x02441453, 0xD8A1E681, 0xE7D3FBC8,
    0x21E1CDE6, 0xC33707D6, 0xF4D50D87, 0x455A14ED, 0xA9E3E905, 0xFCEFA3F8, 0x676F02D9, 0x8D2A4C8A,
    0xFFFA3942, 0x8771F681, 0x6D9D6122, 0xFDE5380C, 0xA4BEEA44, 0x4BDECFA9, 0xF6BB4B60, 0xBEBFBC70,
    0x289B7EC6, 0xEAA127FA, 0xD4EF3085, 0x04881D05, 0xD9D4D039, 0xE6DB99E5, 0x1FA27CF8, 0xC4AC5665,
    0xF4292244, 0x432AFF97, 0xAB9423A7, 0xFC93A039, 0x655B59C3, 0x8F0CCC92, 0xFFEFF47D, 0x85845DD1,
    0x6FA87E4F, 0xFE2CE6E0, 0xA3014314, 0x4E0811A1, 0xF7537E82, 0xBD3AF235, 0x2AD7D2BB, 0xEB86D391,
};

constexpr std::array<int, 16> kShift = {7, 12, 17, 22, 5, 9, 14, 20, 4, 11, 16, 23, 6, 10, 15, 21};

std::uint32_t Rotl(std::uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

void Compress(std::array<std::uint32_t, 4>& h, const std::uint8_t* block) {
    std::array<std::uint32_t, 16> m{};
    for (std::size_t i = 0; i < 16; ++i) {
        m[i] = std::uint32_t{block[4 * i]} | std::uint32_t{block[4 * i + 1]} << 8 |
               std::uint32_t{block[4 * i + 2]} << 16 | std::uint32_t{block[4 * i + 3]} << 24;
    }
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3];
    for (std::size_t i = 0; i < 64; ++i) {
        std::uint32_t f = 0;
        std::size_t g = 0;
        switch (i / 16) {
            case 0:
                f = (b & c) | (~b & d);
                g = i;
                break;
            case 1:
                f = (d & b) | (~d & c);
                g = (5 * i + 1) % 16;
                break;
            case 2:
                f = b ^ c ^ d;
                g = (3 * i + 5) % 16;
                break;
            default:
                f = c ^ (b | ~d);
                g = (7 * i) % 16;
                break;
        }
        const std::uint32_t rotated = Rotl(a + f + kSine[i] + m[g], kShift[(i / 16) * 4 + i % 4]);
        a = d;
        d = c;
        c = b;
        b += rotated;
    }
    h[0] += a;
    h[1] += b;
    h[2] += c;
    h[3] += d;
}

}  // namespace

Md5Digest Md5(std::span<const std::uint8_t> data) {
    std::array<std::uint32_t, 4> h = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
    const std::size_t whole = data.size() / 64 * 64;
    for (std::size_t at = 0; at < whole; at += 64) Compress(h, data.data() + at);

    // The tail, the 0x80 marker, zeros and the bit length fill one or two final blocks.
    std::vector<std::uint8_t> tail(data.begin() + static_cast<std::ptrdiff_t>(whole), data.end());
    tail.push_back(0x80);
    while (tail.size() % 64 != 56) tail.push_back(0);
    const std::uint64_t bits = static_cast<std::uint64_t>(data.size()) * 8;
    for (int i = 0; i < 8; ++i) tail.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    for (std::size_t at = 0; at < tail.size(); at += 64) Compress(h, tail.data() + at);

    Md5Digest out{};
    for (std::size_t i = 0; i < 16; ++i)
        out[i] = static_cast<std::uint8_t>(h[i / 4] >> (8 * (i % 4)));
    return out;
}

Md5Digest Md5(std::string_view text) {
    return Md5(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()),
                                             text.size()));
}

}  // namespace config
