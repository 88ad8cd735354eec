// The one enciphered form in which WEP keys are kept in the registry: Blowfish in ECB mode keyed
// with the adapter's CardCfgId text, each 32-bit half of a block in little-endian byte order,
// written as upper-case hex.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace config {

// From a key's hex text (either case) to its stored text: 10 digits give 16 characters, 26 or
// 32 digits give 32; a last odd digit makes no byte, so a key of fewer than two digits gives the
// empty text whatever cardCfgId is. Callers refuse to store a key while cardCfgId is empty; as a
// last guard an empty cardCfgId or a non-hex character throws std::invalid_argument.
std::string EncodeStoredKey(std::string_view keyHex, std::string_view cardCfgId);

// The inverse: upper-case hex of the first keyBytes deciphered bytes. A stored text that cannot
// have come from EncodeStoredKey (odd length, non-hex, not whole 16-digit blocks, fewer than
// keyBytes bytes), an empty cardCfgId or keyBytes 0 gives the empty text.
std::string DecodeStoredKey(std::string_view stored, std::string_view cardCfgId,
                            std::size_t keyBytes);

}  // namespace config
