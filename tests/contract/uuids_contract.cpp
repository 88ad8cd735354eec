// UUID creation and the text form CardCfgId is made of.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/contract/seam_envs.h"

namespace {

bool LooksLikeUuidText(const std::string& s) {
    if (s.size() != 36) return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const char c = s[i];
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

TEST_P(UuidsContract, RendersTheFirstThreeFieldsAsLittleEndianNumbers) {
    const plat::Uuid id = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE,
                           0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    EXPECT_EQ(uuids().Render(id), "76543210-ba98-fedc-0123-456789abcdef");
    EXPECT_EQ(uuids().Render(plat::Uuid{}), "00000000-0000-0000-0000-000000000000");
}

TEST_P(UuidsContract, NewUuidsAreDistinctAndRenderInLowerCase) {
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const auto text = uuids().Render(uuids().Create());
        ASSERT_TRUE(text.has_value());
        ASSERT_TRUE(LooksLikeUuidText(*text)) << *text;
        seen.insert(*text);
    }
    EXPECT_EQ(seen.size(), 200u);
}

}  // namespace
