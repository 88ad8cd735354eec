#include "config/blowfish.h"

#include <stdexcept>
#include <utility>

#include "config/blowfish_tables.h"

namespace config {

Blowfish::Blowfish(std::string_view key)
    : Blowfish(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(key.data()),
                                             key.size())) {}

Blowfish::Blowfish(std::span<const std::uint8_t> key)
    : p_(blowfish_detail::kInitialP), s_(blowfish_detail::kInitialS) {
    if (key.empty()) throw std::invalid_argument("Blowfish key is empty");
    std::size_t j = 0;
    for (auto& sub : p_) {
        std::uint32_t word = 0;
        for (int k = 0; k < 4; ++k) {
            word = (word << 8) | key[j];
            j = (j + 1) % key.size();
        }
        sub ^= word;
    }
    std::uint32_t l = 0, r = 0;
    for (std::size_t i = 0; i < p_.size(); i += 2) {
        Encrypt(l, r);
        p_[i] = l;
        p_[i + 1] = r;
    }
    for (auto& box : s_) {
        for (std::size_t i = 0; i < box.size(); i += 2) {
            Encrypt(l, r);
            box[i] = l;
            box[i + 1] = r;
        }
    }
}

std::uint32_t Blowfish::F(std::uint32_t x) const {
    return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xFF]) ^ s_[2][(x >> 8) & 0xFF]) + s_[3][x & 0xFF];
}

void Blowfish::Encrypt(std::uint32_t& l, std::uint32_t& r) const {
    for (std::size_t i = 0; i < 16; ++i) {
        l ^= p_[i];
        r ^= F(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= p_[16];
    l ^= p_[17];
}

void Blowfish::Decrypt(std::uint32_t& l, std::uint32_t& r) const {
    for (std::size_t i = 17; i > 1; --i) {
        l ^= p_[i];
        r ^= F(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= p_[1];
    l ^= p_[0];
}

}  // namespace config
