#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <utility>

#include "sim/regfile.h"
#include "sim/registry.h"
#include "tests/contract/registry_contract.h"

namespace {

using contract::RegistryContract;

using plat::RegType;
using testing::ElementsAre;
using testing::HasSubstr;

INSTANTIATE_TEST_SUITE_P(Sim, RegistryContract,
                         testing::Values(contract::RegistryFactory{
                             "Sim",
                             [] {
                                 return contract::RegistryTarget{std::make_unique<sim::Registry>(),
                                                                 "SOFTWARE\\Contract"};
                             }}),
                         contract::FactoryName);

TEST(SimRegistry, OrdersLikeNtNotLikeWine) {
    sim::Registry reg;
    // NT compares upper-case names, so "[]^_`" sort after the letters (Wine: before them).
    for (const char* name : {"_x", "Zed", "a", "[b", "`c", "^d", "]e", "B"})
        ASSERT_TRUE(reg.Create(std::string("SOFTWARE\\T\\") + name));
    EXPECT_THAT(reg.Open("SOFTWARE\\T")->SubKeyNames(),
                ElementsAre("a", "B", "Zed", "[b", "]e", "^d", "_x", "`c"));

    // Values list in creation order (Wine: sorted). Rewriting keeps the place and the name's
    // case; a value deleted and made again goes last.
    auto key = reg.Open("SOFTWARE\\T");
    for (const char* name : {"zeta", "mid", "_u", "b", "Alpha"})
        ASSERT_TRUE(plat::WriteDword(*key, name, 1));
    ASSERT_TRUE(plat::WriteDword(*key, "ZETA", 2));
    ASSERT_TRUE(key->DeleteValue("mid"));
    ASSERT_TRUE(plat::WriteDword(*key, "MID", 3));
    EXPECT_THAT(key->ValueNames(), ElementsAre("zeta", "_u", "b", "Alpha", "MID"));
    EXPECT_EQ(plat::ReadDword(*key, "zeta"), 2u);
}

TEST(SimRegistry, Latin1LettersMatchIgnoringCase) {
    sim::Registry reg;
    ASSERT_TRUE(reg.Create("SOFTWARE\\caf\xE9"));
    EXPECT_TRUE(reg.Open("software\\CAF\xC9"));
    EXPECT_FALSE(reg.Open("SOFTWARE\\cafe"));
}

TEST(SimRegistry, TheRootHoldsOnlyTheHives) {
    sim::Registry reg;
    EXPECT_TRUE(reg.Open("software"));
    EXPECT_TRUE(reg.Open("SYSTEM"));
    EXPECT_FALSE(reg.Create("Velmora"));  // NT refuses keys directly under HKEY_LOCAL_MACHINE
    EXPECT_FALSE(reg.Create("Velmora\\Sub"));
    ASSERT_TRUE(reg.Create("SOFTWARE\\A"));
    EXPECT_FALSE(reg.DeleteTree("SOFTWARE"));
    EXPECT_FALSE(reg.MoveKey("SOFTWARE", "SYSTEM\\Software"));
    EXPECT_FALSE(reg.MoveKey("SOFTWARE\\A", "Elsewhere"));
    EXPECT_TRUE(reg.Open("SOFTWARE\\A"));
    EXPECT_EQ(reg.WriteCount(), 1u);
}

TEST(SimRegistry, EverySuccessfulChangeCountsOneWriteAndReadsNone) {
    sim::Registry reg;
    auto key = reg.Create("SOFTWARE\\A");
    ASSERT_TRUE(key);
    const std::pair<const char*, std::function<bool()>> steps[] = {
        {"set", [&] { return plat::WriteString(*key, "v", "1"); }},
        {"set the same", [&] { return plat::WriteString(*key, "v", "1"); }},
        {"delete value", [&] { return key->DeleteValue("v"); }},
        {"create", [&] { return reg.Create("SOFTWARE\\A\\B") != nullptr; }},
        {"move", [&] { return reg.MoveKey("SOFTWARE\\A\\B", "SOFTWARE\\C"); }},
        {"delete tree", [&] { return reg.DeleteTree("SOFTWARE\\C"); }},
        {"import",
         [&] {
             return bool(sim::ImportReg(reg, "REGEDIT4\n\n[HKLM\\SOFTWARE\\A]\n\"w\"=\"2\"\n"));
         }},
    };
    for (const auto& [what, change] : steps) {
        const auto before = reg.WriteCount();
        EXPECT_TRUE(change()) << what;
        EXPECT_EQ(reg.WriteCount(), before + 1) << what;
    }
    const auto writes = reg.WriteCount();
    EXPECT_TRUE(reg.Open("SOFTWARE\\A"));
    EXPECT_TRUE(reg.Create("SOFTWARE\\A"));  // there already
    EXPECT_EQ(plat::ReadString(*key, "w"), "2");
    EXPECT_FALSE(key->DeleteValue("missing"));
    EXPECT_FALSE(reg.DeleteTree("SOFTWARE\\Missing"));
    EXPECT_THAT(key->ValueNames(), ElementsAre("w"));
    EXPECT_EQ(reg.WriteCount(), writes);
}

TEST(SimRegistry, RefusedKeysTakeNoWrites) {
    sim::Registry reg;
    auto key = reg.Create("SOFTWARE\\Locked\\Sub");
    ASSERT_TRUE(key);
    ASSERT_TRUE(plat::WriteString(*key, "v", "before"));
    ASSERT_TRUE(reg.Create("SOFTWARE\\Free"));
    auto writes = reg.WriteCount();

    reg.Refuse("software\\LOCKED");  // any case; holds for keys opened before and below
    EXPECT_FALSE(plat::WriteString(*key, "v", "after"));
    EXPECT_FALSE(plat::WriteDword(*key, "new", 1));
    EXPECT_FALSE(key->DeleteValue("v"));
    EXPECT_EQ(plat::ReadString(*key, "v"), "before");  // reading still works
    EXPECT_TRUE(reg.Open("SOFTWARE\\Locked"));
    EXPECT_TRUE(reg.Create("SOFTWARE\\Locked\\Sub"));  // opening what exists is no write
    EXPECT_FALSE(reg.Create("SOFTWARE\\Locked\\Sub\\New"));
    EXPECT_FALSE(reg.DeleteTree("SOFTWARE\\Locked\\Sub"));
    EXPECT_FALSE(reg.MoveKey("SOFTWARE\\Locked\\Sub", "SOFTWARE\\Free\\Sub"));
    EXPECT_FALSE(reg.MoveKey("SOFTWARE\\Free", "SOFTWARE\\Locked\\Free"));
    EXPECT_FALSE(plat::KeyExists(reg, "SOFTWARE\\Free\\Sub"));
    EXPECT_TRUE(plat::KeyExists(reg, "SOFTWARE\\Free"));

    // A refused key deep inside a tree keeps the whole tree, and may be refused before it exists.
    reg.Refuse("SOFTWARE\\Free\\Later\\Locked");
    ASSERT_TRUE(reg.Create("SOFTWARE\\Free\\Later"));
    ++writes;
    EXPECT_FALSE(reg.Create("SOFTWARE\\Free\\Later\\Locked"));
    reg.Refuse("SOFTWARE\\Free\\Later");
    reg.Allow("SOFTWARE\\Free\\Later");
    EXPECT_TRUE(reg.Create("SOFTWARE\\Free\\Later\\Open"));
    ++writes;
    EXPECT_FALSE(reg.DeleteTree("SOFTWARE\\Free"));  // the refused path lies inside
    EXPECT_EQ(reg.WriteCount(), writes);

    auto import = sim::ImportReg(reg,
                                 "REGEDIT4\n\n[HKLM\\SOFTWARE\\Fine]\n\"a\"=\"1\"\n"
                                 "[HKLM\\SOFTWARE\\Locked\\Sub]\n\"b\"=\"2\"\n\"c\"=\"3\"\n");
    EXPECT_FALSE(import);
    EXPECT_EQ(import.line, 6);
    EXPECT_THAT(import.message, HasSubstr("'b'"));
    EXPECT_EQ(plat::ReadString(*reg.Open("SOFTWARE\\Fine"), "a"), "1");  // what came before stays

    reg.Allow("SOFTWARE\\Locked");
    EXPECT_TRUE(plat::WriteString(*key, "v", "after"));
    EXPECT_TRUE(reg.MoveKey("SOFTWARE\\Locked\\Sub", "SOFTWARE\\Free\\Sub"));
}

TEST(SimRegistry, KeysOutlivingTheRegistryFailQuietly) {
    std::unique_ptr<plat::RegKey> key;
    {
        sim::Registry reg;
        key = reg.Create("SOFTWARE\\X");
        ASSERT_TRUE(key);
        ASSERT_TRUE(plat::WriteDword(*key, "v", 1));
    }
    EXPECT_FALSE(key->Get("v"));
    EXPECT_FALSE(plat::WriteDword(*key, "v", 2));
    EXPECT_FALSE(key->DeleteValue("v"));
    EXPECT_TRUE(key->ValueNames().empty());
}

TEST(RegFile, MalformedFilesNameTheLineAndChangeNothing) {
    struct Case {
        const char* label;
        std::string body;  // follows the header line and a blank line, so starts at line 3
        int line;
        const char* message;
    };
    // A good section and value first, to show that nothing is applied.
    const std::string key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\T]\n\"first\"=\"1\"\n";
    const Case cases[] = {
        {"other_root", key + "[HKEY_CURRENT_USER\\Software\\T]\n", 5, "HKEY_LOCAL_MACHINE"},
        {"the_root", "[HKEY_LOCAL_MACHINE]\n", 3, "root"},
        {"no_close", key + "[HKLM\\SOFTWARE\\T\n", 5, "]"},
        {"empty_name", key + "[HKLM\\SOFTWARE\\\\T]\n", 5, "invalid key path"},
        {"long_name", key + "[HKLM\\SOFTWARE\\" + std::string(256, 'k') + "]\n", 5,
         "invalid key path"},
        {"junk_after_section", "[HKLM\\SOFTWARE\\T] x\n", 3, "unexpected text"},
        {"value_first", "\"a\"=\"b\"\n", 3, "outside"},
        {"value_after_delete", key + "[-HKLM\\SOFTWARE\\T]\n\"a\"=\"b\"\n", 6, "outside"},
        {"unterminated", key + "\"a\"=\"b\n", 5, "unterminated"},
        {"unterminated_name", key + "\"a=1\n", 5, "unterminated"},
        {"bad_escape", key + "\"a\"=\"C:\\Windows\"\n", 5, "escape"},
        {"no_equals", key + "\"a\" \"b\"\n", 5, "'='"},
        {"junk_after_string", key + "\"a\"=\"b\" c\n", 5, "unexpected text"},
        {"long_dword", key + "\"a\"=dword:123456789\n", 5, "dword"},
        {"bad_dword", key + "\"a\"=dword:xyz\n", 5, "dword"},
        {"empty_dword", key + "\"a\"=dword:\n", 5, "dword"},
        {"bad_byte", key + "\"a\"=hex:01,zz\n", 5, "hex data"},
        {"three_digits", key + "\"a\"=hex:123\n", 5, "hex data"},
        {"double_comma", key + "\"a\"=hex:01,,02\n", 5, "hex data"},
        {"bad_type", key + "\"a\"=hex(2:00\n", 5, "hex(N)"},
        {"huge_type", key + "\"a\"=hex(123456789):00\n", 5, "hex(N)"},
        {"no_colon", key + "\"a\"=hex(2)00\n", 5, "':'"},
        {"odd_utf16", key + "\"a\"=hex(2):41\n", 5, "odd"},
        {"unknown_kind", key + "\"a\"=word:1\n", 5, "unknown value data"},
        {"nothing", key + "\"a\"=\n", 5, "unknown value data"},
        {"garbage", key + "garbage\n", 5, "expected"},
        {"continued_bad_byte", key + "\"a\"=hex:01,\\\n  02,\\\n  zz\n\"b\"=\"c\"\n", 5,
         "hex data"},
        {"counted_after_continuation", key + "\"a\"=hex:01,\\\n  02\nbad\n", 7, "expected"},
        {"crlf", key + "\"a\"=\"1\"\r\n\r\n\"b\"=dword:x\r\n", 7, "dword"},
        {"long_value_name", key + "\"" + std::string(16384, 'v') + "\"=\"x\"\n", 5, "too long"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        sim::Registry reg;
        auto r = sim::ImportReg(reg, "Windows Registry Editor Version 5.00\n\n" + c.body);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.line, c.line);
        EXPECT_THAT(r.message, HasSubstr(c.message));
        EXPECT_EQ(reg.WriteCount(), 0u);
    }
}

TEST(RegFile, HeaderAndEncodingErrors) {
    struct Case {
        const char* label;
        std::string text;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"empty", "", 1, "first line"},
        {"wrong_version", "Windows Registry Editor Version 4.00\n", 1, "first line"},
        {"late_header", "\n\n[HKLM\\SOFTWARE\\T]\nREGEDIT4\n", 3, "first line"},
        {"bad_utf8", "\xEF\xBB\xBFREGEDIT4\n\n[HKLM\\SOFTWARE\\T]\n\"a\"=\"\xC3\"\n", 4, "UTF-8"},
        {"cut_utf8", "\xEF\xBB\xBFREGEDIT4\n\xE2\x82", 2, "UTF-8"},
        {"odd_utf16", std::string("\xFF\xFER\0E\0", 7), 1, "UTF-16"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        sim::Registry reg;
        auto r = sim::ImportReg(reg, c.text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.line, c.line);
        EXPECT_THAT(r.message, HasSubstr(c.message));
    }
}

TEST(RegFile, TextBehindAByteOrderMarkBecomesLatin1) {
    struct Case {
        const char* label;
        std::string text;
    };
    std::string utf16 = "\xFF\xFE";
    for (char16_t c :
         std::u16string(u"Windows Registry Editor Version 5.00\r\n\r\n"
                        u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\T]\r\n\"n\"=\"caf\u00E9 \u20AC\"\r\n"))
        utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    const Case cases[] = {
        {"utf8",
         "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n[HKLM\\SOFTWARE\\T]\n"
         "\"n\"=\"caf\xC3\xA9 \xE2\x82\xAC\"\n"},
        {"utf16", utf16},
        {"ansi", "REGEDIT4\n\n[HKLM\\SOFTWARE\\T]\n\"n\"=\"caf\xE9 ?\"\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        sim::Registry reg;
        auto r = sim::ImportReg(reg, c.text);
        ASSERT_TRUE(r) << r.line << ": " << r.message;
        EXPECT_EQ(plat::ReadString(*reg.Open("SOFTWARE\\T"), "n"), "caf\xE9 ?");
    }
}

// A name with a line break would split its line and import as another tree: no export at all.
TEST(RegFile, ExportRefusesATreeWithALineBreakInAName) {
    struct Case {
        const char* label;
        const char* key;    // below SOFTWARE\T
        const char* value;  // set in that key
    } cases[] = {
        {"value name", "", "two\nlines"},
        {"value name with CR", "", "ends\r"},
        {"key name", "Sub\nKey", "v"},
        {"key name deeper down", "A\\B\rC", "v"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        sim::Registry reg;
        const std::string path = std::string("SOFTWARE\\T") + (*c.key ? "\\" : "") + c.key;
        auto key = reg.Create(path);
        ASSERT_TRUE(key);
        ASSERT_TRUE(plat::WriteString(*key, c.value, "x"));
        ASSERT_TRUE(plat::WriteString(*reg.Create("SOFTWARE\\U"), "plain", "y"));
        for (auto format : {sim::RegFormat::V5, sim::RegFormat::Regedit4})
            EXPECT_FALSE(sim::ExportReg(reg, "SOFTWARE\\T", format));
        EXPECT_FALSE(sim::ExportReg(reg, "SOFTWARE"));
        // A tree beside it still exports.
        EXPECT_TRUE(sim::ExportReg(reg, "SOFTWARE\\U"));
    }
}

TEST(RegFile, ExportWritesUnprintableStringsAsHex) {
    sim::Registry reg;
    auto key = reg.Create("SOFTWARE\\T");
    ASSERT_TRUE(plat::WriteString(*key, "tab", "a\tb"));
    ASSERT_TRUE(key->Set("zero", RegType::Sz, std::vector<std::uint8_t>{'a', 0, 'b', 0}));
    ASSERT_TRUE(key->Set("empty", RegType::Sz, {}));
    const std::string v5 =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\T]\r\n"
        "\"tab\"=hex(1):61,00,09,00,62,00,00,00\r\n\"zero\"=hex(1):61,00,00,00,62,00,00,00\r\n"
        "\"empty\"=hex(1):\r\n\r\n";
    EXPECT_EQ(sim::ExportReg(reg, "SOFTWARE\\T"), v5);
    sim::Registry again;
    ASSERT_TRUE(sim::ImportReg(again, v5));
    EXPECT_EQ(sim::ExportReg(again, "SOFTWARE\\T"), v5);
    EXPECT_EQ(again.Open("SOFTWARE\\T")->Get("zero"), key->Get("zero"));
}

TEST(RegFile, ImportsFilesAndReportsUnreadableOnes) {
    sim::Registry reg;
    auto missing = sim::ImportRegFile(reg, "/nonexistent/seed.reg");
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.line, 0);
    EXPECT_THAT(missing.message, HasSubstr("/nonexistent/seed.reg"));

    const std::string file = testing::TempDir() + "registry_sim_test.reg";
    std::ofstream(file, std::ios::binary)
        << "REGEDIT4\r\n\r\n[HKLM\\SOFTWARE\\F]\r\n\"v\"=dword:2\r\n"
        << "\"w\"=dword:q\r\n";
    auto bad = sim::ImportRegFile(reg, file);
    EXPECT_EQ(bad.line, 5);
    EXPECT_THAT(bad.message, HasSubstr(file));
    std::ofstream(file, std::ios::binary)
        << "REGEDIT4\r\n\r\n[HKLM\\SOFTWARE\\F]\r\n\"v\"=dword:2\r\n";
    EXPECT_TRUE(sim::ImportRegFile(reg, file));
    EXPECT_EQ(plat::ReadDword(*reg.Open("SOFTWARE\\F"), "v"), 2u);
    std::remove(file.c_str());
}

// Every cut and many corruptions of a valid file: each gives a result, never a crash.
TEST(RegFile, DamagedFilesNeverCrash) {
    const std::string good =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\T\\A]\r\n"
        "@=\"x\\\\y\\\"z\"\r\n\"d\"=dword:0000000a\r\n\"h\"=hex(2):41,00,42,00,\\\r\n  00,00\r\n"
        "\"b\"=hex:01,02,\\\r\n  03\r\n\"gone\"=-\r\n[-HKLM\\SOFTWARE\\T\\B]\r\n; note\r\n";
    {
        sim::Registry reg;
        ASSERT_TRUE(sim::ImportReg(reg, good));
    }
    const char specials[] = {'"', '\\', '[', ']', '=', ',', ':', '(', '\n', '\0', '\xFF', '-'};
    auto lines = 1 + std::count(good.begin(), good.end(), '\n');
    auto check = [&](const std::string& text) {
        sim::Registry reg;
        auto r = sim::ImportReg(reg, text);
        if (!r) {
            EXPECT_GE(r.line, 1) << text;
            EXPECT_LE(r.line, lines + 1) << text;
            EXPECT_FALSE(r.message.empty());
        }
    };
    for (std::size_t n = 0; n < good.size(); ++n) {
        check(good.substr(0, n));
        for (char c : specials) {
            auto text = good;
            text[n] = c;
            check(text);
        }
    }
}

}  // namespace
