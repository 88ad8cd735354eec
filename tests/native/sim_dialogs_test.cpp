// Recorded message boxes, scripted and default answers, beeps.
#include <gtest/gtest.h>

#include "sim/dialogs.h"

namespace {

TEST(SimDialogs, UnscriptedBoxesTakeTheirDefaultButton) {
    constexpr int kAbort = 3, kRetry = 4, kIgnore = 5;
    const struct {
        std::uint32_t type;
        int answer;
    } cases[] = {
        {plat::kMbOk, plat::kIdOk},
        {plat::kMbOk | plat::kMbDefButton2, plat::kIdOk},  // no second button
        {plat::kMbOkCancel, plat::kIdOk},
        {plat::kMbOkCancel | plat::kMbDefButton2, plat::kIdCancel},
        {2, kAbort},  // MB_ABORTRETRYIGNORE
        {2 | plat::kMbDefButton3, kIgnore},
        {plat::kMbYesNoCancel | plat::kMbDefButton3, plat::kIdCancel},
        {plat::kMbYesNo | plat::kMbIconQuestion, plat::kIdYes},
        {plat::kMbYesNo | plat::kMbDefButton2, plat::kIdNo},
        {5, kRetry},  // MB_RETRYCANCEL
    };
    sim::Dialogs d;
    for (const auto& c : cases) {
        EXPECT_EQ(d.ShowMessageBox(0, "t", "c", c.type), c.answer) << std::hex << c.type;
    }
}

TEST(SimDialogs, RecordsEveryBoxWithTheAnswerItGot) {
    sim::Dialogs d;
    d.QueueAnswer(plat::kIdNo);
    EXPECT_EQ(d.ShowMessageBox(0x42, "Restart now?", "Network", plat::kMbYesNo), plat::kIdNo);
    EXPECT_EQ(d.ShowMessageBox(0, "Failed to set data for 'ssid'", "warning", plat::kMbOk),
              plat::kIdOk);
    ASSERT_EQ(d.Boxes().size(), 2u);
    const sim::MessageBoxCall& first = d.Boxes()[0];
    EXPECT_EQ(first.owner, 0x42u);
    EXPECT_EQ(first.text, "Restart now?");
    EXPECT_EQ(first.caption, "Network");
    EXPECT_EQ(first.type, plat::kMbYesNo);
    EXPECT_EQ(first.answer, plat::kIdNo);
    EXPECT_EQ(d.Boxes()[1].answer, plat::kIdOk);
    EXPECT_EQ(d.PendingAnswers(), 0u);
}

TEST(SimDialogs, WhileOpenRunsInsideTheBoxAndNestedBoxesAnswerFirst) {
    sim::Dialogs d;
    d.QueueAnswer(plat::kIdCancel);
    d.QueueAnswer(plat::kIdYes);
    bool nested = false;
    d.WhileOpen([&](const sim::MessageBoxCall& box) {
        EXPECT_EQ(box.answer, 0) << "not answered while open";
        if (!nested) {
            nested = true;
            EXPECT_EQ(d.ShowMessageBox(0, "inner", "", plat::kMbOkCancel), plat::kIdCancel);
        }
    });
    EXPECT_EQ(d.ShowMessageBox(0, "outer", "", plat::kMbYesNo), plat::kIdYes);
    ASSERT_EQ(d.Boxes().size(), 2u);
    EXPECT_EQ(d.Boxes()[0].text, "outer");
    EXPECT_EQ(d.Boxes()[0].answer, plat::kIdYes);
    EXPECT_EQ(d.Boxes()[1].answer, plat::kIdCancel);
}

TEST(SimDialogs, RecordsBeepsAndClears) {
    sim::Dialogs d;
    d.Beep(plat::kMbIconError);
    d.Beep(plat::kMbIconWarning);
    d.ShowMessageBox(0, "x", "y", plat::kMbOk);
    d.QueueAnswer(plat::kIdNo);
    EXPECT_EQ(d.Beeps(), (std::vector<std::uint32_t>{plat::kMbIconError, plat::kMbIconWarning}));
    d.Clear();
    EXPECT_TRUE(d.Beeps().empty());
    EXPECT_TRUE(d.Boxes().empty());
    EXPECT_EQ(d.PendingAnswers(), 0u);
}

}  // namespace
