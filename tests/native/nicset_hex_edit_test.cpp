// The configurator's hex edit: the filter and its beep, clearing on the first input, the caret
// notice and focus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nicset/hex_edit.h"
#include "sim/dialogs.h"
#include "ui/ui.h"

namespace {

struct NicsetHexEdit : ::testing::Test {
    sim::Dialogs dialogs;
    ui::Form form{"form"};
    nicset::HexEdit edit{"edit", dialogs};
    nicset::HexEdit other{"other", dialogs};
    std::vector<std::string> log;

    NicsetHexEdit() {
        form.Show();
        edit.SetParent(&form);
        other.SetParent(&form);
        edit.OnUpdate = [this] { log.push_back("update " + edit.Text()); };
        edit.OnChange = [this] { log.push_back("change " + edit.Text()); };
        edit.OnCursorNotice = [this] {
            log.push_back("cursor " + std::to_string(edit.CaretPosition()));
        };
        edit.OnFocusGained = [this] { log.push_back("gained"); };
        edit.OnFocusLost = [this] { log.push_back("lost"); };
        other.OnFocusGained = [this] { log.push_back("other gained"); };
    }
    std::size_t ErrorBeeps() const {
        std::size_t n = 0;
        for (auto b : dialogs.Beeps()) n += b == plat::kMbIconError;
        return n;
    }
};

TEST_F(NicsetHexEdit, HexOnlyRefusesEverythingButHexAndControlCharactersWithTheErrorBeep) {
    struct Case {
        char key;
        bool accepted;
    } cases[] = {{'0', true},     {'9', true},  {'a', true},  {'F', true},  {'\b', true},
                 {'\x16', true},  {':', false}, {'g', false}, {'G', false}, {' ', false},
                 {'\x1b', false}, {'/', false}, {'@', false}, {'`', false}};
    edit.SetHexOnly(true);
    for (const Case& c : cases) {
        const std::size_t before = ErrorBeeps();
        EXPECT_EQ(edit.FilterKey(c.key), c.accepted ? c.key : 0) << int(c.key);
        EXPECT_EQ(ErrorBeeps() - before, c.accepted ? 0u : 1u) << int(c.key);
    }
    // Without the switch anything goes, silently.
    edit.SetHexOnly(false);
    EXPECT_EQ(edit.FilterKey(':'), ':');
    EXPECT_TRUE(dialogs.Beeps().size() == ErrorBeeps());
}

TEST_F(NicsetHexEdit, TypingAColonChangesNothingAndBeepsOnce) {
    edit.SetHexOnly(true);
    edit.SetText("00A0");
    log.clear();
    ASSERT_TRUE(edit.UserType("1:2"));
    EXPECT_EQ(edit.Text(), "00A012");
    EXPECT_EQ(ErrorBeeps(), 1u);
    EXPECT_EQ(log, (std::vector<std::string>{"update 00A01", "change 00A01", "update 00A012",
                                             "change 00A012"}));
}

TEST_F(NicsetHexEdit, ClearOnInputEmptiesOnceOnTheFirstAcceptedKeyOrPaste) {
    edit.SetHexOnly(true);
    edit.SetText("HHHHHHHHHH");
    edit.SetClearOnInput(true);
    ASSERT_TRUE(edit.UserKey('x'));  // refused: the placeholder stays
    EXPECT_EQ(edit.Text(), "HHHHHHHHHH");
    EXPECT_TRUE(edit.ClearOnInput());
    log.clear();
    ASSERT_TRUE(edit.UserType("7a"));
    EXPECT_EQ(edit.Text(), "7a");
    EXPECT_FALSE(edit.ClearOnInput());
    EXPECT_EQ(log.front(), "update ");  // the clearing is the user's edit too

    edit.SetText("HHHH");
    edit.SetClearOnInput(true);
    ASSERT_TRUE(edit.UserPaste("12:4"));  // a paste is not filtered
    EXPECT_EQ(edit.Text(), "12:4");
    ASSERT_TRUE(edit.UserPaste("5"));  // only the first input clears
    EXPECT_EQ(edit.Text(), "12:45");
}

TEST_F(NicsetHexEdit, ProgramTextRunsOnChangeButNotOnUpdate) {
    edit.SetText("AB");
    EXPECT_EQ(log, (std::vector<std::string>{"change AB"}));
    EXPECT_EQ(edit.CaretPosition(), 0);
}

TEST_F(NicsetHexEdit, CursorKeysAndClicksMoveTheCaretAndSendTheNotice) {
    edit.SetText("12345");
    ASSERT_TRUE(edit.UserClick(3));
    ASSERT_TRUE(edit.UserCursorKey(ui::CursorKey::End));
    ASSERT_TRUE(edit.UserCursorKey(ui::CursorKey::Right));
    ASSERT_TRUE(edit.UserCursorKey(ui::CursorKey::Home));
    ASSERT_TRUE(edit.UserCursorKey(ui::CursorKey::Left));
    ASSERT_TRUE(edit.UserCursorKey(ui::CursorKey::Right));
    ASSERT_TRUE(edit.UserClick(99));
    EXPECT_EQ(
        log, (std::vector<std::string>{"change 12345", "gained", "cursor 3", "cursor 5", "cursor 5",
                                       "cursor 0", "cursor 0", "cursor 1", "cursor 5"}));
    // Typing moves the caret too, without the notice.
    log.clear();
    ASSERT_TRUE(edit.UserKey('6'));
    EXPECT_EQ(edit.CaretPosition(), 6);
    EXPECT_EQ(log, (std::vector<std::string>{"update 123456", "change 123456"}));
}

TEST_F(NicsetHexEdit, OneEditOfTheFormHoldsTheFocus) {
    ASSERT_TRUE(edit.UserFocus());
    ASSERT_TRUE(edit.UserFocus());  // already there: no second event
    EXPECT_TRUE(edit.Focused());
    ASSERT_TRUE(other.UserFocus());
    EXPECT_FALSE(edit.Focused());
    EXPECT_TRUE(other.Focused());
    EXPECT_FALSE(edit.UserLeave());
    EXPECT_EQ(log, (std::vector<std::string>{"gained", "lost", "other gained"}));
    // A disabled edit cannot be reached.
    edit.SetEnabled(false);
    EXPECT_FALSE(edit.UserFocus());
    EXPECT_FALSE(edit.UserClick(0));
}

}  // namespace
