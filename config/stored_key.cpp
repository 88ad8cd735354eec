#include "config/stored_key.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "config/blowfish.h"
#include "config/hex.h"

namespace config {

namespace {

std::uint32_t LoadLittle(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

void StoreLittle(std::uint32_t v, std::uint8_t* p) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

template <typename Step>
void ForEachBlock(std::vector<std::uint8_t>& bytes, Step step) {
    for (std::size_t at = 0; at + 8 <= bytes.size(); at += 8) {
        std::uint32_t l = LoadLittle(&bytes[at]), r = LoadLittle(&bytes[at + 4]);
        step(l, r);
        StoreLittle(l, &bytes[at]);
        StoreLittle(r, &bytes[at + 4]);
    }
}

}  // namespace

std::string EncodeStoredKey(std::string_view keyHex, std::string_view cardCfgId) {
    if (keyHex.size() < 2) return {};
    if (cardCfgId.empty()) throw std::invalid_argument("no CardCfgId to encipher a key with");
    // A last odd digit makes no byte.
    auto bytes = ParseHex(keyHex.substr(0, keyHex.size() / 2 * 2));
    if (!bytes) throw std::invalid_argument("key text is not hex digits");
    bytes->resize((bytes->size() + 7) / 8 * 8, 0);
    const Blowfish cipher(cardCfgId);
    ForEachBlock(*bytes, [&](std::uint32_t& l, std::uint32_t& r) { cipher.Encrypt(l, r); });
    return ToHexUpper(*bytes);
}

std::string DecodeStoredKey(std::string_view stored, std::string_view cardCfgId,
                            std::size_t keyBytes) {
    if (cardCfgId.empty() || keyBytes == 0 || stored.size() % 16 != 0) return {};
    auto bytes = ParseHex(stored);
    if (!bytes || bytes->size() < keyBytes) return {};
    const Blowfish cipher(cardCfgId);
    ForEachBlock(*bytes, [&](std::uint32_t& l, std::uint32_t& r) { cipher.Decrypt(l, r); });
    bytes->resize(keyBytes);
    return ToHexUpper(*bytes);
}

}  // namespace config
