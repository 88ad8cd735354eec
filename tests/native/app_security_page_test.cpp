// The Security page: the mask, the key filter, sizes, enable states, the key checks in their
// order, the passphrase keys, and the stored key text.
#include <gtest/gtest.h>

#include "config/passphrase.h"
#include "config/stored_key.h"
#include "radio_program.h"
#include "sim_program.h"

namespace {

constexpr std::string_view kMask = "**********";

// The page on view with WEP on and manual entry.
struct SecurityPage : ::testing::Test {
    SimProgram p;
    app::TForm1& f = p.form;
    void SetUp() override {
        f.Show();
        f.PageControl1.SetActivePage(&f.TabSheet3);
        ASSERT_TRUE(f.chWEPEncryption.UserClick());
        ASSERT_TRUE(f.rbManu.UserClick());
        ASSERT_TRUE(f.rbKey1.UserClick());
    }
    std::size_t Boxes() { return p.pc.dialogs().Boxes().size(); }
};

TEST_F(SecurityPage, MaskGivesWayToTypingButNotToEnter) {
    struct Case {
        char key;
        std::string_view after;
    } cases[] = {{'7', "7"}, {'x', ""}, {'\r', kMask}, {'a', "a"}, {'\b', ""}};
    for (const auto& c : cases) {
        f.EditFirst.SetText(kMask);
        ASSERT_TRUE(f.EditFirst.UserKey(c.key));
        EXPECT_EQ(f.EditFirst.Text(), c.after) << int(c.key);
    }
    f.EditFirst.SetText("");
    f.EditFirst.UserType("0g1\tF-e:");
    EXPECT_EQ(f.EditFirst.Text(), "01Fe");
    EXPECT_TRUE(f.Apply.Enabled());
}

TEST_F(SecurityPage, SizeChangeCutsTextAndClearsAMaskedKey) {
    const std::string digits26(26, 'A');
    f.EditSecond.SetText(digits26);
    f.cbKey2.SetItemIndex(0);
    f.KeySizeChange(1);
    EXPECT_EQ(f.EditSecond.Text(), std::string(10, 'A'));
    EXPECT_EQ(f.EditSecond.MaxLength(), 10);
    f.EditSecond.SetText(digits26);
    ASSERT_TRUE(f.cbKey2.UserSelect(2));
    EXPECT_EQ(f.EditSecond.Text(), digits26);
    EXPECT_EQ(f.EditSecond.MaxLength(), 32);
    f.EditSecond.SetText(kMask);
    f.rbKey2.SetChecked(true);
    ASSERT_TRUE(f.cbKey2.UserSelect(1));
    EXPECT_EQ(f.EditSecond.Text(), "");
    EXPECT_EQ(f.CheckWepKeys(), "Please input WEP keys.");
}

TEST_F(SecurityPage, KeyChecksInTheirOrder) {
    const std::string_view len10 = "Invalid length.\n\nPlease type in a 10 digit Hex number.";
    const std::string_view len32 = "Invalid length.\n\nPlease type in a 32 digit Hex number.";
    struct Case {
        std::array<std::string_view, 4> keys;
        std::array<int, 4> sizes;
        int radio;  // 0..3, -1 none
        std::optional<std::string_view> message;
    } cases[] = {
        {{"", "0123456789", "", ""}, {0, 0, 0, 0}, 0, "Please input WEP keys."},
        {{"xyz1234", "", "", ""}, {0, 0, 0, 0}, 0, len10},  // length before hex
        {{"0123456789", "", "", "0123"}, {0, 0, 0, 2}, 0, len32},
        {{"", "", "", ""}, {0, 0, 0, 0}, -1, "Please input WEP keys."},
        {{"0123456789", "", "", ""}, {0, 0, 0, 0}, -1, "Please select a key."},
        {{"012345678G", "", "", ""}, {0, 0, 0, 0}, 0, "Please input hex digits."},
        {{"0123456789", kMask, "", ""}, {0, 1, -1, 0}, 0, std::nullopt},  // masked: unexamined
        {{"0123456789", "", "", "abcdef0123abcdef0123abcdef"}, {0, 0, 0, 1}, 3, std::nullopt},
        {{"012", "", "", ""}, {-1, 0, 0, 0}, 0, std::nullopt},  // no size imposes no length
    };
    for (const auto& c : cases) {
        for (int i = 0; i < 4; ++i) {
            f.KeyEdit(i).SetText(c.keys[i]);
            f.KeySize(i).SetItemIndex(c.sizes[i]);
            f.KeyRadio(i).SetChecked(false);
        }
        if (c.radio >= 0) f.KeyRadio(c.radio).SetChecked(true);
        EXPECT_EQ(f.CheckWepKeys(), c.message) << c.keys[0] << "/" << c.radio;
    }
    f.chWEPEncryption.SetChecked(false);
    EXPECT_EQ(f.CheckWepKeys(), std::nullopt);  // WEP off: nothing is checked
}

TEST_F(SecurityPage, EnableStatesAndColoursFollowWepAndEntryMode) {
    struct State {
        bool radios, keys, pass;
    };
    auto read = [&] {
        for (ui::Control* c : std::initializer_list<ui::Control*>{&f.EditFirst, &f.cbKey4})
            EXPECT_EQ(c->GetColor(), c->Enabled() ? ui::kClWindow : ui::kClMenu);
        EXPECT_EQ(f.EditPass.GetColor(), f.EditPass.Enabled() ? ui::kClWindow : ui::kClMenu);
        return State{f.rbKey3.Enabled() && f.rbPass.Enabled(),
                     f.EditFourth.Enabled() && f.cbKey1.Enabled(),
                     f.EditPass.Enabled() && f.cbPassLength.Enabled()};
    };
    auto s = read();
    EXPECT_TRUE(s.radios && s.keys && !s.pass);
    ASSERT_TRUE(f.rbPass.UserClick());
    s = read();
    EXPECT_TRUE(s.radios && !s.keys && s.pass);
    ASSERT_TRUE(f.chWEPEncryption.UserClick());
    s = read();
    EXPECT_FALSE(s.radios || s.keys || s.pass);
    // WEP on with neither mode: the radios follow, the rest stays as it was.
    f.rbPass.SetChecked(false);
    f.chWEPEncryption.SetChecked(true);
    s = read();
    EXPECT_TRUE(s.radios && !s.keys && !s.pass);
}

TEST_F(SecurityPage, PassphraseKeysFollowEveryKeystroke) {
    ASSERT_TRUE(f.rbPass.UserClick());
    EXPECT_EQ(f.cbKey1.ItemIndex(), 0);
    ASSERT_TRUE(f.EditPass.UserType("ab"));
    auto keys = config::GeneratePassphraseKeys("ab", 5);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f.KeyEdit(i).Text(), keys[i]);
    ASSERT_TRUE(f.EditPass.UserKey('\b'));
    EXPECT_EQ(f.EditFirst.Text(), config::GeneratePassphraseKeys("a", 5)[0]);
    ASSERT_TRUE(f.EditPass.UserKey('\b'));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f.KeyEdit(i).Text(), "");
    ASSERT_TRUE(f.EditPass.UserType("a\tb"));  // a tab cannot be typed
    EXPECT_EQ(f.EditPass.Text(), "ab");
    // 128 bits: the size boxes follow and the phrase must be typed again.
    ASSERT_TRUE(f.cbPassLength.UserSelect(1));
    EXPECT_EQ(f.EditPass.Text(), "");
    EXPECT_EQ(f.cbKey3.ItemIndex(), 1);
    EXPECT_EQ(f.EditThird.MaxLength(), 26);
    ASSERT_TRUE(f.EditPass.UserType("secret phrase"));
    EXPECT_EQ(f.EditFirst.Text(), "FD180590B22B531BEDEE84CF53");
    EXPECT_EQ(f.EditFourth.Text(), f.EditFirst.Text());
    EXPECT_EQ(f.CheckWepKeys(), std::nullopt);
    // Back to manual entry: phrase and keys go; to the passphrase again: the keys go only.
    ASSERT_TRUE(f.rbManu.UserClick());
    EXPECT_EQ(f.EditPass.Text(), "");
    EXPECT_EQ(f.EditFirst.Text(), "");
    f.EditPass.SetText("kept");
    f.EditFirst.SetText("0123456789");
    ASSERT_TRUE(f.rbPass.UserClick());
    EXPECT_EQ(f.EditPass.Text(), "kept");
    EXPECT_EQ(f.EditFirst.Text(), "");
}

TEST_F(SecurityPage, StoredPassphraseMaskKeepsTheKeysUntilTyped) {
    ASSERT_TRUE(f.rbPass.UserClick());
    f.EditFirst.SetText(kMask);
    f.EditPass.SetText(kMask);  // the stored phrase shown: no keys are made from the mask
    EXPECT_EQ(f.EditFirst.Text(), kMask);
    ASSERT_TRUE(f.EditPass.UserKey('\r'));
    EXPECT_EQ(f.EditPass.Text(), kMask);
    ASSERT_TRUE(f.EditPass.UserKey('q'));
    EXPECT_EQ(f.EditPass.Text(), "q");
    EXPECT_EQ(f.EditFirst.Text(), config::GeneratePassphraseKeys("q", 5)[0]);
}

TEST_F(SecurityPage, WithoutTheAdaptersIdentifierNoKeyIsStored) {
    // No adapter has been found: there is no driver key to hold the identifier.
    f.EditFirst.SetText("0123456789");
    const auto before = Boxes();
    const auto writes = p.pc.registry().WriteCount();
    EXPECT_EQ(f.StoredKeyFor(0), std::nullopt);
    EXPECT_EQ(Boxes(), before + 1);
    EXPECT_EQ(p.pc.dialogs().Boxes().back().caption, "warning");
    EXPECT_EQ(p.pc.registry().WriteCount(), writes);
    // Masked and empty keys need no identifier.
    f.StoredKeyText[1] = "SENTINEL";
    f.EditSecond.SetText(kMask);
    EXPECT_EQ(f.StoredKeyFor(1), "SENTINEL");
    EXPECT_EQ(f.StoredKeyFor(2), "");
    EXPECT_EQ(Boxes(), before + 1);
}

TEST(SecurityPageOnline, TypedKeysAreStoredEncipheredWithTheAdaptersIdentifier) {
    RadioProgram p({Net("Home")}, "Home");
    p.Run(3000);
    auto& f = p.form();
    f.EditFirst.SetText("abcdef0123");
    const auto stored = f.StoredKeyFor(0);
    ASSERT_TRUE(stored);
    const auto id = plat::ReadString(*p.pc.registry().Open(p.card->DriverKeyPath()), "CardCfgId");
    ASSERT_TRUE(id && id->size() == 36);
    EXPECT_EQ(*stored, config::EncodeStoredKey("ABCDEF0123", *id));
    EXPECT_EQ(stored->size(), 16u);
    // With WEP off nothing is checked: a pasted text that is no hex is refused, not stored.
    f.EditSecond.SetText("0123-56789");
    const auto boxes = p.pc.dialogs().Boxes().size();
    EXPECT_EQ(f.StoredKeyFor(1), std::nullopt);
    ASSERT_EQ(p.pc.dialogs().Boxes().size(), boxes + 1);
    EXPECT_EQ(p.pc.dialogs().Boxes().back().text, "Please input hex digits.");
}

}  // namespace
