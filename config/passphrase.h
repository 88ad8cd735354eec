// WEP keys derived from a passphrase.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace config {

// Four upper-case hex keys of 2 x keyBytes digits. keyBytes 5: four successive stretches of one
// generator stream seeded by folding every byte of the phrase. Any other size: the first 13
// bytes of the MD5 of the phrase repeated to 64 bytes, four times the same key. An empty phrase
// or keyBytes 0 gives no keys.
std::vector<std::string> GeneratePassphraseKeys(std::string_view phrase, std::size_t keyBytes);

}  // namespace config
