// What the simulated PC records stays bounded however long it runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/dialogs.h"
#include "sim/recent.h"

namespace {

TEST(SimRecent, KeepsTheLatestEntriesInOrderAndCountsAll) {
    sim::Recent<int> r(3);
    for (int i = 0; i < 3; ++i) r.push_back(i);
    EXPECT_EQ(r, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(r.FirstKept(), 0u);
    for (int i = 3; i < 10; ++i) r.push_back(i);
    EXPECT_EQ(r, (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(r.Total(), 10u);
    EXPECT_EQ(r.FirstKept(), 7u);
    EXPECT_EQ(r[9 - r.FirstKept()], 9);
    // Clearing forgets the entries; numbering goes on.
    r.clear();
    r.push_back(10);
    EXPECT_EQ(r, (std::vector<int>{10}));
    EXPECT_EQ(r.FirstKept(), 10u);
}

// A box that opens enough boxes under it to push itself out of the record: its answer lands
// nowhere, not on a box that is still kept.
TEST(SimRecent, AnswerOfABoxPushedOutOfTheRecordTouchesNoOtherBox) {
    sim::Dialogs d;
    bool nested = false;
    d.WhileOpen([&](const sim::MessageBoxCall&) {
        if (nested) return;
        nested = true;
        for (std::size_t i = 0; i < sim::kRecentLimit; ++i)
            d.ShowMessageBox(0, "inner", "c", plat::kMbOk);
    });
    EXPECT_EQ(d.ShowMessageBox(0, "outer", "c", plat::kMbYesNo | plat::kMbDefButton2), plat::kIdNo);
    ASSERT_EQ(d.Boxes().size(), sim::kRecentLimit);
    EXPECT_EQ(d.Boxes().Total(), sim::kRecentLimit + 1);
    for (const auto& b : d.Boxes()) {
        EXPECT_EQ(b.text, "inner");
        EXPECT_EQ(b.answer, plat::kIdOk);
    }
}

}  // namespace
