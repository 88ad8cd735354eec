#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "config/blowfish.h"
#include "config/hex.h"
#include "config/md5.h"
#include "config/passphrase.h"
#include "config/stored_key.h"

namespace {

using config::Blowfish;

std::vector<std::uint8_t> Bytes(std::string_view hex) {
    return config::ParseHex(hex).value();
}

std::string Text(std::string_view hex) {
    const auto b = Bytes(hex);
    return std::string(b.begin(), b.end());
}

std::uint64_t Block(std::string_view hex) {
    return std::stoull(std::string(hex), nullptr, 16);
}

struct EcbCase {
    std::string_view key, plain, cipher;
};

// Eric Young's Blowfish ECB test set, halves big-endian as in the reference description.
constexpr EcbCase kEcb[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
    {"0101010101010101", "0123456789ABCDEF", "FA34EC4847B268B2"},
    {"E0FEE0FEF1FEF1FE", "0123456789ABCDEF", "C39E072D9FAC631D"},
    {"0000000000000000", "FFFFFFFFFFFFFFFF", "014933E0CDAFF6E4"},
    {"FFFFFFFFFFFFFFFF", "0000000000000000", "F21E9A77B71C49BC"},
    {"0123456789ABCDEF", "0000000000000000", "245946885754369A"},
    {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "6B5C5A9C5D9E0A5A"},
};

// The same set's variable key lengths: the first n bytes of one key, one plain block, so the
// schedule's cycling of short keys over the subkeys is pinned.
constexpr std::string_view kVarKey = "F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677";
constexpr std::string_view kVarPlain = "FEDCBA9876543210";
constexpr std::string_view kVarCipher[] = {
    "F9AD597C49DB005E", "E91D21C1D961A6D6", "E9C2B70A1BC65CF3", "BE1E639408640F05",
    "B39E44481BDB1E6E", "9457AA83B1928C0D", "8BB77032F960629D", "E87A244E2CC85E82",
    "15750E7A4F4EC577", "122BA70B3AB64AE0", "3A833C9AFFC537F6", "9409DA87A90F6BF2",
    "884F80625060B8B4", "1F85031C19E11968", "79D9373A714CA34F", "93142887EE3BE15C",
    "03429E838CE2D14B", "A4299E27469FF67B", "AFD5AED1C1BC96A8", "10851C0E3858DA9F",
    "E6F51ED79B9DB21F", "64A6E14AFD36B46F", "80C7D7D45A5479AD", "05044B62FA52D080",
};

void ExpectBlock(const Blowfish& cipher, std::string_view plain, std::string_view expected) {
    const std::uint64_t p = Block(plain), c = Block(expected);
    std::uint32_t l = static_cast<std::uint32_t>(p >> 32), r = static_cast<std::uint32_t>(p);
    cipher.Encrypt(l, r);
    EXPECT_EQ(l, static_cast<std::uint32_t>(c >> 32)) << plain;
    EXPECT_EQ(r, static_cast<std::uint32_t>(c)) << plain;
    cipher.Decrypt(l, r);
    EXPECT_EQ((std::uint64_t{l} << 32) | r, p) << plain;
}

TEST(Blowfish, PublishedEcbVectors) {
    for (const auto& v : kEcb) {
        SCOPED_TRACE(v.key);
        ExpectBlock(Blowfish(Bytes(v.key)), v.plain, v.cipher);
    }
}

TEST(Blowfish, PublishedVariableKeyLengths) {
    for (std::size_t n = 1; n <= std::size(kVarCipher); ++n) {
        SCOPED_TRACE(n);
        ExpectBlock(Blowfish(Bytes(kVarKey.substr(0, 2 * n))), kVarPlain, kVarCipher[n - 1]);
    }
}

TEST(Blowfish, TextKeyIsItsBytesAndOnlySeventyTwoBytesCount) {
    const std::string key = Text("FEDCBA9876543210");
    ExpectBlock(Blowfish(std::string_view(key)), "0123456789ABCDEF", "0ACEAB0FC6A0A28D");

    // The schedule reads bytes 0..71 once each; what follows never enters it.
    std::string longKey(72, '\0');
    for (std::size_t i = 0; i < longKey.size(); ++i) longKey[i] = static_cast<char>(i * 7 + 1);
    std::uint32_t l1 = 1, r1 = 2, l2 = 1, r2 = 2, l3 = 1, r3 = 2;
    Blowfish(longKey).Encrypt(l1, r1);
    Blowfish(longKey + "tail that is ignored").Encrypt(l2, r2);
    Blowfish(longKey.substr(0, 71)).Encrypt(l3, r3);
    EXPECT_EQ(l1, l2);
    EXPECT_EQ(r1, r2);
    EXPECT_NE((std::uint64_t{l1} << 32) | r1, (std::uint64_t{l3} << 32) | r3);
}

TEST(Blowfish, EmptyKeyIsRefused) {
    EXPECT_THROW(Blowfish(std::string_view()), std::invalid_argument);
}

constexpr std::string_view kUuid = "6F9619FF-8B86-D011-B42D-00C04FC964FF";

TEST(StoredKey, HalvesAreLittleEndianAsPinnedByPublishedVectors) {
    // A block whose little-endian halves are a published big-endian plain block must give the
    // published cipher block with each half's bytes reversed.
    struct Case {
        std::string_view key, keyHex, stored;
    };
    const Case cases[] = {
        // FEDCBA9876543210: 01234567 89ABCDEF -> 0ACEAB0F C6A0A28D
        {"FEDCBA9876543210", "67452301EFCDAB89", "0FABCE0A8DA2A0C6"},
        // 3000000000000000: 10000000 00000001 -> 7D856F9A 613063F2
        {"3000000000000000", "0000001001000000", "9A6F857DF2633061"},
        // 0123456789ABCDEF: 11111111 11111111 -> 61F9C380 2281B096
        {"0123456789ABCDEF", "1111111111111111", "80C3F96196B08122"},
    };
    for (const auto& c : cases) {
        const std::string key = Text(c.key);
        EXPECT_EQ(config::EncodeStoredKey(c.keyHex, key), c.stored) << c.key;
        EXPECT_EQ(config::DecodeStoredKey(c.stored, key, 8), c.keyHex) << c.key;
    }
}

TEST(StoredKey, UuidKeyedKeysOfEachSize) {
    // Expected texts from an independent Blowfish (python3 cryptography, OpenSSL) keyed with
    // the UUID text, each half byte-swapped around the cipher.
    struct Case {
        std::string_view keyHex, stored;
        std::size_t bytes;
    };
    const Case cases[] = {
        {"0123456789", "D7B9853DE9DEB9A0", 5},
        {"0123456789ABCDEF0123456789", "9AC4623541C249BDD7B9853DE9DEB9A0", 13},
        {"0123456789ABCDEF0123456789ABCDEF", "9AC4623541C249BD9AC4623541C249BD", 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyHex);
        EXPECT_EQ(config::EncodeStoredKey(c.keyHex, kUuid), c.stored);
        std::string lower(c.keyHex);
        for (auto& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(config::EncodeStoredKey(lower, kUuid), c.stored);
        EXPECT_EQ(config::DecodeStoredKey(c.stored, kUuid, c.bytes), c.keyHex);
    }
}

TEST(StoredKey, RoundTripsAndLengths) {
    const std::string_view keys[] = {"A1B2C3D4E5", "FFFFFFFFFFFFFFFFFFFFFFFFFF",
                                     "00112233445566778899AABBCCDDEEFF"};
    const std::size_t storedLength[] = {16, 32, 32};
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        const std::string stored = config::EncodeStoredKey(keys[i], kUuid);
        EXPECT_EQ(stored.size(), storedLength[i]);
        EXPECT_EQ(stored.find_first_not_of("0123456789ABCDEF"), std::string::npos) << stored;
        EXPECT_EQ(config::DecodeStoredKey(stored, kUuid, keys[i].size() / 2), keys[i]);
    }
    // Another identifier gives another stored text.
    EXPECT_NE(config::EncodeStoredKey(keys[0], kUuid),
              config::EncodeStoredKey(keys[0], "6F9619FF-8B86-D011-B42D-00C04FC964FE"));
}

TEST(StoredKey, EncodeRefusesWhatItCannotStore) {
    EXPECT_EQ(config::EncodeStoredKey("", kUuid), "");
    EXPECT_EQ(config::EncodeStoredKey("", ""), "");
    EXPECT_THROW(config::EncodeStoredKey("0123456789", ""), std::invalid_argument);
    EXPECT_THROW(config::EncodeStoredKey("01234G6789", kUuid), std::invalid_argument);
    // A last odd digit makes no byte: nine digits are stored as the first eight.
    EXPECT_EQ(config::EncodeStoredKey("012345678", kUuid),
              config::EncodeStoredKey("01234567", kUuid));
    EXPECT_EQ(config::EncodeStoredKey("7", kUuid), "");
}

TEST(StoredKey, DecodeGivesNothingForMalformedText) {
    const std::string good = config::EncodeStoredKey("0123456789", kUuid);
    EXPECT_EQ(config::DecodeStoredKey(good, kUuid, 5), "0123456789");
    const std::string malformed[] = {
        "",                    // nothing stored
        good.substr(0, 15),    // odd length
        good.substr(0, 14),    // not a whole block
        good + "00",           // not a whole block
        "Z" + good.substr(1),  // not hex
    };
    for (const auto& s : malformed) EXPECT_EQ(config::DecodeStoredKey(s, kUuid, 5), "") << s;
    EXPECT_EQ(config::DecodeStoredKey(good, kUuid, 9), "");  // fewer bytes than asked for
    EXPECT_EQ(config::DecodeStoredKey(good, kUuid, 0), "");
    EXPECT_EQ(config::DecodeStoredKey(good, "", 5), "");
}

TEST(Md5, Rfc1321TestSuite) {
    struct Case {
        std::string_view text, digest;
    };
    const Case cases[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    for (const auto& c : cases) EXPECT_EQ(config::ToHexUpper(config::Md5(c.text)), c.digest);
}

TEST(Md5, PaddingBoundaries) {
    // Lengths around the 56- and 64-byte edges of the final block; digests from python3 hashlib.
    struct Case {
        std::size_t length;
        std::string_view digest;
    };
    const Case cases[] = {
        {55, "EF1772B6DFF9A122358552954AD0DF65"}, {56, "3B0C8AC703F828B04C6C197006D17218"},
        {63, "B06521F39153D618550606BE297466D5"}, {64, "014842D480B571495A4A0363793F7367"},
        {65, "C743A45E0D2E6A95CB859ADAE0248435"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(config::ToHexUpper(config::Md5(std::string(c.length, 'a'))), c.digest)
            << c.length;
}

using Keys = std::vector<std::string>;

TEST(Passphrase, SixtyFourBitKeysAreOneGeneratorStream) {
    // Expected from a python3 one-liner of the fold and the 214013/2531011 generator.
    EXPECT_EQ(config::GeneratePassphraseKeys("a", 5),
              (Keys{"63CACE42D9", "F201F42A09", "D275059AF9", "B4721C60FD"}));
    EXPECT_EQ(config::GeneratePassphraseKeys("Velmora1", 5),
              (Keys{"D5281AB211", "33FF3147B2", "58E33FE2C0", "041305C009"}));
    // A fifth byte folds back onto the first.
    EXPECT_EQ(config::GeneratePassphraseKeys("abcde", 5),
              (Keys{"1167739413", "E2C1B3E03B", "AE3A9A6184", "23E3BB1DAB"}));
}

TEST(Passphrase, OneHundredTwentyEightBitKeyIsDigestOfRepeatedBlock) {
    // Expected from python3 hashlib.md5 of the phrase repeated to 64 bytes, first 13 bytes.
    const std::string key = "FD180590B22B531BEDEE84CF53";
    EXPECT_EQ(config::GeneratePassphraseKeys("secret phrase", 13), (Keys(4, key)));
    EXPECT_EQ(config::GeneratePassphraseKeys("a", 13), (Keys(4, "014842D480B571495A4A036379")));
    // Any size but 5 is taken as 13.
    EXPECT_EQ(config::GeneratePassphraseKeys("secret phrase", 16), (Keys(4, key)));
}

TEST(Passphrase, OnlyTheFirstSixtyFourBytesEnterTheDigestButTheFoldUsesEveryByte) {
    const std::string phrase64 = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";
    // A longer phrase than the field allows is read safely too.
    const std::string longer = phrase64 + std::string(200, 'x');
    const Keys k128 = config::GeneratePassphraseKeys(phrase64, 13);
    EXPECT_EQ(k128, Keys(4, "FE3A1FF59F3B89B2AD3D33F089"));
    EXPECT_EQ(config::GeneratePassphraseKeys(longer, 13), k128);
    EXPECT_EQ(config::GeneratePassphraseKeys(phrase64 + "x", 13), k128);
    EXPECT_NE(config::GeneratePassphraseKeys(phrase64 + "x", 5),
              config::GeneratePassphraseKeys(phrase64, 5));
}

TEST(Passphrase, NothingWithoutPhraseOrSize) {
    EXPECT_TRUE(config::GeneratePassphraseKeys("", 5).empty());
    EXPECT_TRUE(config::GeneratePassphraseKeys("", 13).empty());
    EXPECT_TRUE(config::GeneratePassphraseKeys("abc", 0).empty());
}

}  // namespace
