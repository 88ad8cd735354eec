#include "config/passphrase.h"

#include <array>
#include <cstdint>

#include "config/hex.h"
#include "config/md5.h"

namespace config {

namespace {

constexpr std::size_t kKeys = 4;

std::vector<std::string> FoldedGeneratorKeys(std::string_view phrase) {
    std::uint32_t seed = 0;
    for (std::size_t i = 0; i < phrase.size(); ++i)
        seed ^= std::uint32_t{static_cast<std::uint8_t>(phrase[i])} << (8 * (i % 4));
    std::vector<std::string> keys;
    for (std::size_t k = 0; k < kKeys; ++k) {
        std::array<std::uint8_t, 5> key{};
        for (auto& b : key) {
            seed = seed * 214013u + 2531011u;
            b = static_cast<std::uint8_t>(seed >> 16);
        }
        keys.push_back(ToHexUpper(key));
    }
    return keys;
}

std::vector<std::string> DigestKeys(std::string_view phrase) {
    std::array<std::uint8_t, 64> block{};
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(phrase[i % phrase.size()]);
    const Md5Digest digest = Md5(block);
    return std::vector<std::string>(kKeys, ToHexUpper(std::span(digest).first(13)));
}

}  // namespace

std::vector<std::string> GeneratePassphraseKeys(std::string_view phrase, std::size_t keyBytes) {
    if (phrase.empty() || keyBytes == 0) return {};
    return keyBytes == 5 ? FoldedGeneratorKeys(phrase) : DigestKeys(phrase);
}

}  // namespace config
