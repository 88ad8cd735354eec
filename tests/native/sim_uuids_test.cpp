// The simulated UUID sequence and its rendering.
#include <gtest/gtest.h>

#include "sim/uuids.h"

namespace {

TEST(SimUuids, SameSeedSameSequenceOfVersion4Uuids) {
    sim::Uuids a, b, c(42);
    for (int i = 0; i < 20; ++i) {
        const plat::Uuid x = a.Create();
        EXPECT_EQ(x, b.Create());
        EXPECT_NE(x, c.Create());
        const std::string text = plat::FormatUuid(x);
        EXPECT_EQ(text[14], '4') << text;                                          // version nibble
        EXPECT_NE(std::string("89ab").find(text[19]), std::string::npos) << text;  // variant
    }
    EXPECT_EQ(a.Created().size(), 20u);
}

TEST(SimUuids, RenderFailureIsRecorded) {
    sim::Uuids u;
    const plat::Uuid id = u.Create();
    u.SetRenderFails(true);
    EXPECT_EQ(u.Render(id), std::nullopt);
    u.SetRenderFails(false);
    EXPECT_EQ(u.Render(id), plat::FormatUuid(id));
    EXPECT_EQ(u.Rendered(), (std::vector<plat::Uuid>{id, id}));
}

}  // namespace
