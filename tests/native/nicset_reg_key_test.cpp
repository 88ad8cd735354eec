#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "nicset/reg_key.h"
#include "sim/registry.h"
#include "tests/native/nicset_fixture.h"

namespace {

using nicset::RegKey;
using nicset_test::DriverKey;
using nicset_test::kDriverPath;

plat::RegValue Raw(plat::RegType type, std::string bytes) {
    return {type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

TEST(NicsetRegKey, ReadsOnlyTheTypesItAccepts) {
    struct Case {
        const char* what;
        plat::RegValue value;
        std::optional<std::uint32_t> dword;
        std::optional<std::string> text;
    };
    const std::string longest(nicset::kStringBufferBytes - 1, 'k');
    const Case cases[] = {
        {"dword", plat::DwordValue(7), 7u, std::nullopt},
        {"dword of 3 bytes", Raw(plat::RegType::Dword, std::string("\1\0\0", 3)), std::nullopt,
         std::nullopt},
        {"binary of 4 bytes", Raw(plat::RegType::Binary, std::string("\1\0\0\0", 4)), std::nullopt,
         std::nullopt},
        {"number as text", plat::StringValue("5"), std::nullopt, "5"},
        {"expandable text", plat::StringValue("%x%", plat::RegType::ExpandSz), std::nullopt, "%x%"},
        {"text without its zero", Raw(plat::RegType::Sz, "abc"), std::nullopt, "abc"},
        {"text with data after its zero", Raw(plat::RegType::Sz, std::string("ab\0cd", 5)),
         std::nullopt, "ab"},
        {"multi-string", Raw(plat::RegType::MultiSz, std::string("a\0\0", 3)), std::nullopt,
         std::nullopt},
        {"text that fills the buffer", plat::StringValue(longest), std::nullopt, longest},
        // One byte past the buffer: the registry answers "more data", nothing is read.
        {"text one byte too long", plat::StringValue(longest + "k"), std::nullopt, std::nullopt},
        {"full buffer without a zero", Raw(plat::RegType::Sz, longest + "k"), std::nullopt,
         std::nullopt},
        {"far too long", plat::StringValue(std::string(100000, 'z')), std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DriverKey d;
        d.Set(kDriverPath, "v", c.value);
        EXPECT_EQ(d.key.ReadDword("v"), c.dword);
        EXPECT_EQ(d.key.ReadString("v"), c.text);
        EXPECT_TRUE(d.key.ValueExists("v"));
    }
    DriverKey d;
    EXPECT_EQ(d.key.ReadDword("missing"), std::nullopt);
    EXPECT_EQ(d.key.ReadString("missing"), std::nullopt);
}

TEST(NicsetRegKey, OpensCreatesAndFailsWithoutThrowing) {
    DriverKey d;
    RegKey again;
    EXPECT_FALSE(d.key.Open(d.reg, kDriverPath)) << "a held handle refuses another open";
    EXPECT_TRUE(again.Open(d.key, ""));
    EXPECT_EQ(again.Path(), kDriverPath);

    RegKey child;
    bool created = false;
    EXPECT_TRUE(d.key.CreateChild("A\\B", child, &created));
    EXPECT_TRUE(created);
    child.Close();
    EXPECT_TRUE(d.key.CreateChild("a\\b", child, &created));
    EXPECT_FALSE(created) << "names match ignoring case";
    EXPECT_TRUE(child.WriteDword("n", 3));
    EXPECT_TRUE(child.WriteString("s", "x"));
    EXPECT_EQ(child.ReadDword("n"), 3u);
    EXPECT_TRUE(child.DeleteValue("n"));
    EXPECT_FALSE(child.DeleteValue("n"));

    RegKey missing, root;
    EXPECT_FALSE(d.key.OpenChild("nothing", missing));
    EXPECT_FALSE(root.Open(d.reg, "")) << "the empty path would be the root";
    EXPECT_FALSE(root.Create(d.reg, ""));
    EXPECT_EQ(d.key.EnumSubKey(0), "A");
    EXPECT_EQ(d.key.EnumSubKey(1), std::nullopt);

    d.reg.Refuse(std::string(kDriverPath) + "\\Locked");
    RegKey locked;
    EXPECT_FALSE(d.key.CreateChild("Locked", locked, &created));
    EXPECT_FALSE(locked.IsOpen());

    // A closed key, and a key whose registry key went away, fail every operation.
    RegKey closed;
    EXPECT_FALSE(closed.WriteDword("n", 1));
    EXPECT_FALSE(closed.ReadString("s"));
    EXPECT_FALSE(closed.EnumSubKey(0));
    EXPECT_FALSE(closed.DeleteChildTree("A"));
    EXPECT_TRUE(d.key.DeleteChildTree("A"));
    EXPECT_FALSE(child.WriteString("s", "y"));
    EXPECT_FALSE(child.ReadString("s"));
}

}  // namespace
