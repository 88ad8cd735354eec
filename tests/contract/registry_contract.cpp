#include "tests/contract/registry_contract.h"

#include <gmock/gmock.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "sim/regfile.h"

namespace contract {

using plat::RegType;
using plat::RegValue;
using testing::ElementsAre;
using testing::ElementsAreArray;

void RegistryContract::SetUp() {
    target_ = GetParam().make();
    ASSERT_TRUE(target_.registry);
    reg().DeleteTree(root());  // left behind by a run that died
    ASSERT_TRUE(reg().Create(root()));
}

void RegistryContract::TearDown() {
    if (target_.registry) reg().DeleteTree(root());
}

namespace {

std::vector<std::uint8_t> B(std::string_view s) {
    return {s.begin(), s.end()};
}

std::string Replace(std::string text, std::string_view from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

TEST_P(RegistryContract, NamesKeepTheirCaseAndMatchIgnoringIt) {
    auto key = reg().Create(P("MixedCase\\Inner"));
    ASSERT_TRUE(key);
    EXPECT_TRUE(reg().Open(P("mixedcase\\INNER")));
    EXPECT_TRUE(reg().Create(P("MIXEDCASE\\inner")));  // the same key, not a second one
    EXPECT_THAT(reg().Open(root())->SubKeyNames(), ElementsAre("MixedCase"));
    EXPECT_THAT(reg().Open(P("MixedCase"))->SubKeyNames(), ElementsAre("Inner"));

    ASSERT_TRUE(plat::WriteDword(*key, "ValueName", 1));
    ASSERT_TRUE(plat::WriteDword(*key, "VALUENAME", 2));
    EXPECT_EQ(plat::ReadDword(*key, "valuename"), 2u);
    EXPECT_THAT(key->ValueNames(), ElementsAre("ValueName"));
    EXPECT_TRUE(key->DeleteValue("VALUEname"));
    EXPECT_TRUE(key->ValueNames().empty());
}

// Wine sorts subkeys comparing lower-case names, NT upper-case ones, so "[\]^_`" sort on
// different sides of the letters: these names stay clear of them.
TEST_P(RegistryContract, SubkeysEnumerateSortedIgnoringCase) {
    const char* created[] = {"cfg2", "Cfg10", "b",  "{4D36E972-E325-11CE-BFC1-08002BE10318}",
                             "0001", "0000",  "a1", "Cfg1",
                             "z-9",  "Z.8",   "A"};
    for (const char* name : created) ASSERT_TRUE(reg().Create(P(name))) << name;
    EXPECT_THAT(reg().Open(root())->SubKeyNames(),
                ElementsAre("0000", "0001", "A", "a1", "b", "Cfg1", "Cfg10", "cfg2", "z-9", "Z.8",
                            "{4D36E972-E325-11CE-BFC1-08002BE10318}"));
}

// Wine lists values sorted, NT in creation order: created in sorted order here, so both agree.
TEST_P(RegistryContract, ValuesKeepTheirTypeAndExactBytes) {
    std::vector<std::uint8_t> big(5000);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
    struct Case {
        const char* name;
        RegType type;
        std::vector<std::uint8_t> data;
    };
    const Case cases[] = {
        {"", RegType::Sz, B("default")},  // the key's default value
        {"binary", RegType::Binary, {0x00, 0xFF, 0x80, 0x7F}},
        {"binary_big", RegType::Binary, big},
        {"binary_empty", RegType::Binary, {}},
        {"custom_type", static_cast<RegType>(0x12345), {1, 2, 3}},
        {"dword", RegType::Dword, {0x0A, 0, 0, 0}},
        {"dword_short", RegType::Dword, {1, 2, 3}},
        {"expand_sz", RegType::ExpandSz, B(std::string_view("%SystemRoot%\\x\0", 15))},
        {"multi_sz", RegType::MultiSz, B(std::string_view("a\0bc\0\0", 6))},
        {"none", RegType::None, {}},
        {"sz", RegType::Sz, B(std::string_view("text\0", 5))},
        {"sz_embedded_zero", RegType::Sz, B(std::string_view("ab\0cd\0", 6))},
        {"sz_empty", RegType::Sz, {}},
        {"sz_latin1", RegType::Sz, B(std::string_view("caf\xE9 \xFC\xC0\0", 8))},
        {"sz_unterminated", RegType::Sz, B("abc")},
    };
    auto key = reg().Open(root());
    ASSERT_TRUE(key);
    std::vector<std::string> names;
    for (const auto& c : cases) {
        ASSERT_TRUE(key->Set(c.name, c.type, c.data)) << c.name;
        names.push_back(c.name);
    }
    for (const auto& c : cases) EXPECT_EQ(key->Get(c.name), (RegValue{c.type, c.data})) << c.name;
    EXPECT_THAT(key->ValueNames(), ElementsAreArray(names));

    // Setting again replaces type and data.
    ASSERT_TRUE(plat::WriteString(*key, "dword", "now text"));
    EXPECT_EQ(key->Get("dword"), plat::StringValue("now text"));
    EXPECT_EQ(key->Get("dword")->data.size(), 9u);
    ASSERT_TRUE(plat::WriteDword(*key, "sz", 0x12345678));
    EXPECT_EQ(key->Get("sz"), (RegValue{RegType::Dword, {0x78, 0x56, 0x34, 0x12}}));
}

TEST_P(RegistryContract, TypedReadsRefuseWrongTypesAndLengths) {
    struct Case {
        const char* name;
        RegType type;
        std::vector<std::uint8_t> data;
        std::optional<std::string> text;
        std::optional<std::uint32_t> number;
    };
    const Case cases[] = {
        {"sz", RegType::Sz, B(std::string_view("text\0", 5)), "text", std::nullopt},
        {"expand_sz", RegType::ExpandSz, B(std::string_view("%x%\0", 4)), "%x%", std::nullopt},
        {"sz_unterminated", RegType::Sz, B("abc"), "abc", std::nullopt},
        {"sz_embedded_zero", RegType::Sz, B(std::string_view("ab\0cd\0", 6)), "ab", std::nullopt},
        {"sz_empty", RegType::Sz, {}, "", std::nullopt},
        {"sz_digits", RegType::Sz, B(std::string_view("10\0", 3)), "10", std::nullopt},
        {"multi_sz", RegType::MultiSz, B(std::string_view("a\0b\0\0", 5)), std::nullopt,
         std::nullopt},
        {"binary_four", RegType::Binary, {1, 0, 0, 0}, std::nullopt, std::nullopt},
        {"dword", RegType::Dword, {0x78, 0x56, 0x34, 0x12}, std::nullopt, 0x12345678},
        {"dword_max", RegType::Dword, {0xFF, 0xFF, 0xFF, 0xFF}, std::nullopt, 0xFFFFFFFF},
        {"dword_short", RegType::Dword, {1, 2}, std::nullopt, std::nullopt},
        {"dword_long", RegType::Dword, {1, 0, 0, 0, 0, 0, 0, 0}, std::nullopt, std::nullopt},
        {"dword_empty", RegType::Dword, {}, std::nullopt, std::nullopt},
    };
    auto key = reg().Open(root());
    ASSERT_TRUE(key);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(key->Set(c.name, c.type, c.data));
        EXPECT_EQ(plat::ReadString(*key, c.name), c.text);
        EXPECT_EQ(plat::ReadDword(*key, c.name), c.number);
    }
}

TEST_P(RegistryContract, MissingValuesAndKeysAreReportedNotMade) {
    auto key = reg().Open(root());
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->Get("absent"));
    EXPECT_FALSE(key->Get(""));  // a new key has no default value
    EXPECT_FALSE(plat::ReadString(*key, "absent"));
    EXPECT_FALSE(plat::ReadDword(*key, "absent"));
    EXPECT_FALSE(key->DeleteValue("absent"));
    EXPECT_FALSE(reg().Open(P("absent")));
    EXPECT_FALSE(reg().Open(P("absent\\deeper")));
    EXPECT_FALSE(reg().DeleteTree(P("absent")));
    EXPECT_FALSE(reg().MoveKey(P("absent"), P("other")));
    EXPECT_FALSE(reg().Open(""));
    EXPECT_FALSE(reg().Create(""));
    EXPECT_FALSE(reg().DeleteTree(""));
    EXPECT_TRUE(key->SubKeyNames().empty());
    EXPECT_TRUE(key->ValueNames().empty());
    EXPECT_FALSE(sim::ExportReg(reg(), P("absent")));
}

TEST_P(RegistryContract, OpenNeverCreatesWhileCreateMakesTheParents) {
    EXPECT_FALSE(reg().Open(P("a\\b\\c")));
    EXPECT_FALSE(plat::KeyExists(reg(), P("a")));
    auto made = reg().Create(P("a\\b\\c"));
    ASSERT_TRUE(made);
    ASSERT_TRUE(plat::WriteString(*made, "v", "kept"));
    EXPECT_TRUE(plat::SubKeyExists(reg(), P("a"), "b"));
    EXPECT_TRUE(plat::KeyExists(reg(), P("a\\b\\c")));
    auto again = reg().Create(P("a\\b\\c"));  // opens what is there
    ASSERT_TRUE(again);
    EXPECT_EQ(plat::ReadString(*again, "v"), "kept");
    auto opened = reg().Open(P("a\\b\\c"));
    ASSERT_TRUE(opened);
    EXPECT_TRUE(plat::WriteDword(*opened, "w", 3));  // Open gives a writable key
    EXPECT_EQ(plat::ReadDword(*made, "w"), 3u);
}

TEST_P(RegistryContract, DeleteValueTakesOnlyThatValue) {
    auto key = reg().Open(root());
    ASSERT_TRUE(key);
    for (const char* name : {"", "a", "b"}) ASSERT_TRUE(plat::WriteString(*key, name, name));
    EXPECT_TRUE(key->DeleteValue("B"));
    EXPECT_FALSE(key->DeleteValue("b"));
    EXPECT_THAT(key->ValueNames(), ElementsAre("", "a"));
    EXPECT_TRUE(key->DeleteValue(""));
    EXPECT_FALSE(key->Get(""));
    EXPECT_EQ(plat::ReadString(*key, "a"), "a");
}

TEST_P(RegistryContract, DeleteTreeTakesADeepSubtreeAndItsOpenKeysFail) {
    std::string deep = "t\\l1";
    for (int i = 2; i <= 7; ++i) {
        deep += "\\l" + std::to_string(i);
        auto k = reg().Create(P(deep));
        ASSERT_TRUE(k);
        ASSERT_TRUE(plat::WriteDword(*k, "level", static_cast<std::uint32_t>(i)));
        ASSERT_TRUE(reg().Create(P(deep + "_side\\leaf")));
    }
    ASSERT_TRUE(reg().Create(P("t\\l1b")));  // a sibling that shares the name's start
    auto keep = reg().Create(P("t\\keep"));
    ASSERT_TRUE(keep);
    ASSERT_TRUE(plat::WriteString(*keep, "v", "stays"));
    auto held = reg().Open(P("t\\l1\\l2"));
    ASSERT_TRUE(held);

    ASSERT_TRUE(reg().DeleteTree(P("t\\l1")));
    EXPECT_FALSE(plat::KeyExists(reg(), P("t\\l1")));
    EXPECT_FALSE(plat::KeyExists(reg(), P("t\\l1\\l2\\l3")));
    EXPECT_THAT(reg().Open(P("t"))->SubKeyNames(), ElementsAre("keep", "l1b"));
    EXPECT_EQ(plat::ReadString(*keep, "v"), "stays");
    EXPECT_FALSE(reg().DeleteTree(P("t\\l1")));

    // A key opened before stays dead, even once its path is made anew.
    ASSERT_TRUE(reg().Create(P("t\\l1\\l2")));
    EXPECT_FALSE(held->Get("level"));
    EXPECT_FALSE(plat::WriteDword(*held, "level", 9));
    EXPECT_FALSE(held->DeleteValue("level"));
    EXPECT_TRUE(held->SubKeyNames().empty());
    EXPECT_TRUE(held->ValueNames().empty());
    EXPECT_FALSE(reg().Open(P("t\\l1\\l2"))->Get("level"));
}

TEST_P(RegistryContract, MoveKeyCarriesValuesAndSubkeys) {
    auto from = reg().Create(P("Cfg3"));
    ASSERT_TRUE(from);
    ASSERT_TRUE(plat::WriteString(*from, "", "default"));
    ASSERT_TRUE(from->Set("bin", RegType::Binary, std::vector<std::uint8_t>{9, 8, 7}));
    ASSERT_TRUE(plat::WriteString(*from, "ConfigurationName", "office"));
    ASSERT_TRUE(plat::WriteDword(*from, "tpc", 100));
    auto deep = reg().Create(P("Cfg3\\s1\\deep"));
    ASSERT_TRUE(deep);
    ASSERT_TRUE(plat::WriteString(*deep, "x", "y"));
    ASSERT_TRUE(reg().Create(P("Cfg3\\s2")));
    auto before = from->Get("bin");

    ASSERT_TRUE(reg().MoveKey(P("Cfg3"), P("moved\\Cfg2")));  // missing parents are made
    EXPECT_FALSE(plat::KeyExists(reg(), P("Cfg3")));
    EXPECT_FALSE(from->Get("bin"));  // the source key is gone
    auto to = reg().Open(P("moved\\Cfg2"));
    ASSERT_TRUE(to);
    EXPECT_THAT(to->ValueNames(), ElementsAre("", "bin", "ConfigurationName", "tpc"));
    EXPECT_EQ(to->Get("bin"), before);
    EXPECT_EQ(plat::ReadString(*to, ""), "default");
    EXPECT_EQ(plat::ReadString(*to, "ConfigurationName"), "office");
    EXPECT_EQ(plat::ReadDword(*to, "tpc"), 100u);
    EXPECT_THAT(to->SubKeyNames(), ElementsAre("s1", "s2"));
    auto moved_deep = reg().Open(P("moved\\Cfg2\\s1\\deep"));
    ASSERT_TRUE(moved_deep);
    EXPECT_EQ(plat::ReadString(*moved_deep, "x"), "y");

    // Refused moves change nothing.
    ASSERT_TRUE(reg().Create(P("other")));
    EXPECT_FALSE(reg().MoveKey(P("moved\\Cfg2"), P("other")));                // target exists
    EXPECT_FALSE(reg().MoveKey(P("moved\\Cfg2"), P("MOVED\\cfg2")));          // onto itself
    EXPECT_FALSE(reg().MoveKey(P("moved\\Cfg2"), P("moved\\Cfg2\\s1\\in")));  // inside itself
    EXPECT_FALSE(reg().MoveKey(P("moved"), P("moved\\Cfg2\\x")));
    EXPECT_FALSE(plat::KeyExists(reg(), P("moved\\Cfg2\\s1\\in")));
    EXPECT_THAT(reg().Open(P("moved\\Cfg2"))->SubKeyNames(), ElementsAre("s1", "s2"));
    EXPECT_TRUE(reg().Open(P("other"))->ValueNames().empty());
    EXPECT_TRUE(plat::KeyExists(reg(), P("moved\\Cfg2\\s1\\deep")));
}

TEST_P(RegistryContract, NamesBeyondWindowsLimitsAndMalformedPathsAreRefused) {
    const std::string k255(255, 'k');
    const std::string k256(256, 'k');
    ASSERT_TRUE(reg().Create(P(k255)));
    EXPECT_TRUE(reg().Open(P(k255)));
    EXPECT_FALSE(reg().Create(P(k256)));
    EXPECT_FALSE(reg().Create(P(k256 + "\\x")));
    EXPECT_FALSE(reg().Open(P(k256)));
    const std::string bad_paths[] = {
        "\\" + root(),
        root() + "\\",
        root() + "\\\\x",
        root() + "\\x\\",
        root() + std::string("\\a\0b", 4),
    };
    for (const auto& path : bad_paths) {
        EXPECT_FALSE(reg().Create(path)) << path;
        EXPECT_FALSE(reg().Open(path)) << path;
    }
    EXPECT_THAT(reg().Open(root())->SubKeyNames(), ElementsAre(k255));

    auto key = reg().Open(root());
    ASSERT_TRUE(key);
    const std::string v16383(16383, 'v');
    ASSERT_TRUE(plat::WriteDword(*key, v16383, 1));
    EXPECT_EQ(plat::ReadDword(*key, v16383), 1u);
    EXPECT_FALSE(plat::WriteDword(*key, v16383 + "v", 1));
    EXPECT_FALSE(key->Get(v16383 + "v"));
    EXPECT_FALSE(plat::WriteDword(*key, std::string("a\0b", 3), 1));
    EXPECT_THAT(key->ValueNames(), ElementsAre(v16383));
}

namespace {

// What the registry editor writes, with ROOT for the scratch key.
const char kV5Fixture[] = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\ROOT\Fixture]
@="default \"quoted\" C:\\path\\"
"Binary"=hex:00,01,7f,80,ff
"Count"=dword:0000000a
"Empty"=""
"Expand"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,\
  00,25,00,5c,00,73,00,79,00,73,00,74,00,65,00,6d,00,33,00,32,00,00,00
"Long"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\
  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,\
  2f,30,31,32,33,34,35,36,37,38,39,3a,3b
"Multi"=hex(7):61,00,00,00,62,00,63,00,00,00,00,00
"None"=hex(0):
"Qword"=hex(b):01,00,00,00,00,00,00,80
"ShortDword"=hex(4):01,02
"Unterminated"=hex(1):61,00,62,00

[HKEY_LOCAL_MACHINE\ROOT\Fixture\Cfg0]
"ConfigurationName"="home"

[HKEY_LOCAL_MACHINE\ROOT\Fixture\Cfg0\Deep]

[HKEY_LOCAL_MACHINE\ROOT\Fixture\Cfg1]
"ConfigurationName"="work"

)";

const char kV4Fixture[] = R"(REGEDIT4

[HKEY_LOCAL_MACHINE\ROOT\Fixture]
@="default \"quoted\" C:\\path\\"
"Binary"=hex:00,01,7f,80,ff
"Count"=dword:0000000a
"Empty"=""
"Expand"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,73,79,73,74,65,6d,33,32,\
  00
"Multi"=hex(7):61,00,62,63,00,00
"Unterminated"=hex(1):61,62

[HKEY_LOCAL_MACHINE\ROOT\Fixture\Cfg0]
"ConfigurationName"="home"

)";

std::string Crlf(std::string_view text) {
    return Replace(std::string(text), "\n", "\r\n");
}

}  // namespace

TEST_P(RegistryContract, RegFilesRoundTripThroughImportAndExport) {
    struct Case {
        const char* label;
        const char* text;
        sim::RegFormat format;
    };
    for (const auto& c : {Case{"v5", kV5Fixture, sim::RegFormat::V5},
                          Case{"regedit4", kV4Fixture, sim::RegFormat::Regedit4}}) {
        SCOPED_TRACE(c.label);
        auto text = Crlf(Replace(c.text, "ROOT", root()));
        auto result = sim::ImportReg(reg(), text);
        ASSERT_TRUE(result) << result.line << ": " << result.message;
        EXPECT_EQ(sim::ExportReg(reg(), P("Fixture"), c.format), text);
        auto key = reg().Open(P("Fixture"));
        ASSERT_TRUE(key);
        // String data is stored as the ANSI calls see it, whatever the file's format.
        EXPECT_EQ(plat::ReadString(*key, "Expand"), "%SystemRoot%\\system32");
        EXPECT_EQ(key->Get("Expand")->type, RegType::ExpandSz);
        EXPECT_EQ(key->Get("Multi"),
                  (RegValue{RegType::MultiSz, B(std::string_view("a\0bc\0\0", 6))}));
        EXPECT_EQ(key->Get("Unterminated"), (RegValue{RegType::Sz, B("ab")}));
        EXPECT_EQ(plat::ReadString(*key, ""), "default \"quoted\" C:\\path\\");
        EXPECT_EQ(plat::ReadDword(*key, "Count"), 10u);
        ASSERT_TRUE(reg().DeleteTree(P("Fixture")));
    }
}

// Hand-written files: abbreviated root, LF lines, comments, odd spacing and wrapping, upper-case
// hex, short dwords, and deletions of values and keys.
TEST_P(RegistryContract, RegImportReadsLooseFilesAndDeletions) {
    const char text[] = R"(
REGEDIT4
; seed for the test

[HKLM\ROOT\Loose]   ; trailing comment
"Bytes"=hex: 0A , 0b,\
      0C,\
 d
"Gone"="soon"
"Name"="first"
"Name"="second"
"Num"=dword:1F
"Gone"=-
"Never"=-

[HKEY_LOCAL_MACHINE\ROOT\Loose\Old\Deeper]
"x"="y"
[-HKEY_LOCAL_MACHINE\ROOT\Loose\Old]
[-HKLM\ROOT\Loose\NeverWas]
[hkey_local_machine\ROOT\Loose\New]
)";
    auto result = sim::ImportReg(reg(), Replace(text, "ROOT", root()));
    ASSERT_TRUE(result) << result.line << ": " << result.message;
    const char expected[] = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\ROOT\Loose]
"Bytes"=hex:0a,0b,0c,0d
"Name"="second"
"Num"=dword:0000001f

[HKEY_LOCAL_MACHINE\ROOT\Loose\New]

)";
    // Values are made in sorted order, so Wine's sorted listing and NT's creation order agree.
    EXPECT_EQ(sim::ExportReg(reg(), P("Loose")), Crlf(Replace(expected, "ROOT", root())));
}

}  // namespace contract
