// Event rules of buttons, check boxes, radio buttons, edits and progress bars.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/ui.h"

namespace {

// Records every change told to it, by control name.
class Recorder : public ui::Observer {
  public:
    void Changed(ui::Component& c, ui::Change what) override { log.push_back({c.Name(), what}); }
    bool Saw(const std::string& name, ui::Change what) const {
        for (const auto& e : log) {
            if (e.first == name && e.second == what) return true;
        }
        return false;
    }
    std::vector<std::pair<std::string, ui::Change>> log;
};

// A shown form holding a group of controls, as the user would meet them.
struct Fixture {
    ui::Form form{"Form1"};
    ui::GroupBox group{"group"};
    Fixture() {
        form.Show();
        group.SetParent(&form);
    }
};

TEST(UiEdit, ProgramChangesRunOnChangeOnlyWhenTheTextDiffers) {
    ui::Edit e("EditFirst");
    int changes = 0;
    e.OnChange = [&] { ++changes; };
    e.SetText("ABC");
    e.SetText("ABC");
    e.SetText("");
    EXPECT_EQ(changes, 2);
}

TEST(UiEdit, MaxLengthLimitsTypingButNotTheProgram) {
    Fixture f;
    ui::Edit e("EditFirst");
    e.SetParent(&f.group);
    e.SetMaxLength(3);
    e.SetText("ABCDE");  // the program may set more
    EXPECT_EQ(e.Text(), "ABCDE");
    e.SetText("A");
    EXPECT_TRUE(e.UserType("BCDE"));
    EXPECT_EQ(e.Text(), "ABC");
    EXPECT_TRUE(e.UserPaste("XYZ"));
    EXPECT_EQ(e.Text(), "ABC");
    e.SetText("");
    EXPECT_TRUE(e.UserPaste("1234"));
    EXPECT_EQ(e.Text(), "123");
}

TEST(UiEdit, KeyPressSeesEveryKeyAndMayDiscardOrReplaceIt) {
    Fixture f;
    ui::Edit e("EditFirst");
    e.SetParent(&f.group);
    std::string seen;
    int changes = 0;
    e.OnChange = [&] { ++changes; };
    // Keep hex digits (upper-cased) and backspace; drop the rest.
    e.OnKeyPress = [&](char& key) {
        seen += key;
        if (key >= 'a' && key <= 'f') key = static_cast<char>(key - 'a' + 'A');
        bool hex = (key >= '0' && key <= '9') || (key >= 'A' && key <= 'F');
        if (!hex && key != '\b') key = 0;
    };
    EXPECT_TRUE(e.UserType("1aG\rb"));
    EXPECT_EQ(seen, "1aG\rb");
    EXPECT_EQ(e.Text(), "1AB");
    EXPECT_TRUE(e.UserKey('\b'));
    EXPECT_EQ(e.Text(), "1A");
    EXPECT_EQ(changes, 4);  // 1, A, B, backspace
    e.SetText("");
    EXPECT_TRUE(e.UserKey('\b'));  // nothing to delete: no change
    EXPECT_EQ(changes, 5);
}

TEST(UiEdit, KeyPressHandlerMayRewriteTheTextBeforeTheKeyGoesIn) {
    Fixture f;
    ui::Edit e("EditFirst");
    e.SetParent(&f.group);
    e.SetText("**********");
    e.OnKeyPress = [&](char& key) {
        if (e.Text() == "**********" && key != '\r') e.SetText("");
    };
    EXPECT_TRUE(e.UserKey('A'));
    EXPECT_EQ(e.Text(), "A");
}

TEST(UiEdit, ControlCharactersOtherThanBackspaceAndReadOnlyChangeNothing) {
    Fixture f;
    ui::Edit e("EditPass");
    e.SetParent(&f.group);
    e.SetText("ab");
    e.UserKey('\r');
    e.UserKey('\t');
    EXPECT_EQ(e.Text(), "ab");
    e.SetReadOnly(true);
    e.UserType("cd");
    e.UserClearText();
    EXPECT_EQ(e.Text(), "ab");
}

TEST(UiEdit, UpperCaseStyleConvertsTypedPastedAndSetText) {
    Fixture f;
    ui::Edit e("mac");
    e.SetParent(&f.group);
    e.SetUpperCase(true);
    char seen = 0;
    e.OnKeyPress = [&](char& key) { seen = key; };
    e.UserKey('a');
    EXPECT_EQ(seen, 'a');  // the handler sees the key as typed
    e.UserPaste("bc");
    EXPECT_EQ(e.Text(), "ABC");
    e.SetText("de");
    EXPECT_EQ(e.Text(), "DE");
}

TEST(UiCheckBox, ProgramAndUserChangesRunOnClickOncePerStateChange) {
    Fixture f;
    ui::CheckBox c("chWEPEncryption");
    c.SetParent(&f.group);
    std::vector<bool> clicks;
    c.OnClick = [&] { clicks.push_back(c.Checked()); };
    c.SetChecked(true);
    c.SetChecked(true);  // no change, no click
    c.UserClick();
    c.UserSetChecked(false);  // already unchecked
    c.UserSetChecked(true);
    EXPECT_EQ(clicks, (std::vector<bool>{true, false, true}));
}

TEST(UiRadioButton, CheckingUnchecksSiblingsOfTheSameParentOnly) {
    Fixture f;
    ui::GroupBox other("other");
    other.SetParent(&f.form);
    ui::RadioButton infra("rbInfra"), adhoc("rbAdHoc"), elsewhere("rbPass");
    infra.SetParent(&f.group);
    adhoc.SetParent(&f.group);
    elsewhere.SetParent(&other);
    std::vector<std::string> clicks;
    for (auto* r : {&infra, &adhoc, &elsewhere}) {
        r->OnClick = [&clicks, r] { clicks.push_back(r->Name()); };
    }
    elsewhere.SetChecked(true);
    infra.SetChecked(true);
    adhoc.UserClick();
    EXPECT_FALSE(infra.Checked());
    EXPECT_TRUE(adhoc.Checked());
    EXPECT_TRUE(elsewhere.Checked());
    adhoc.UserClick();        // already checked: nothing runs
    adhoc.SetChecked(false);  // unchecking runs nothing
    EXPECT_EQ(clicks, (std::vector<std::string>{"rbPass", "rbInfra", "rbAdHoc"}));
    EXPECT_FALSE(adhoc.Checked());
    EXPECT_FALSE(infra.Checked());
}

// User input is refused wherever a user could not reach the control.
TEST(UiInput, RefusedWhenDisabledHiddenOrOnAHiddenParent) {
    struct Case {
        const char* what;
        bool formShown, groupVisible, groupEnabled, buttonVisible, buttonEnabled, accepted;
    };
    const Case cases[] = {
        {"reachable", true, true, true, true, true, true},
        {"disabled", true, true, true, true, false, false},
        {"hidden", true, true, true, false, true, false},
        {"parent hidden", true, false, true, true, true, false},
        {"parent disabled", true, true, false, true, true, false},
        {"form hidden", false, true, true, true, true, false},
    };
    for (const Case& c : cases) {
        Fixture f;
        ui::Button b("Apply");
        b.SetParent(&f.group);
        f.form.SetVisible(c.formShown);
        f.group.SetVisible(c.groupVisible);
        f.group.SetEnabled(c.groupEnabled);
        b.SetVisible(c.buttonVisible);
        b.SetEnabled(c.buttonEnabled);
        int clicks = 0;
        b.OnClick = [&] { ++clicks; };
        EXPECT_EQ(b.UserClick(), c.accepted) << c.what;
        EXPECT_EQ(clicks, c.accepted ? 1 : 0) << c.what;
    }
}

TEST(UiObserver, ToldOfProgramChangesWithoutRunningAnything) {
    Fixture f;
    Recorder rec;
    ui::Edit e("EditPass");
    ui::CheckBox c("chWEPEncryption");
    ui::ProgressBar p("pbSignalStrenth");
    ui::StaticText s("StationState");
    for (ui::Control* x : std::initializer_list<ui::Control*>{&e, &c, &p, &s}) {
        x->SetParent(&f.group);
        x->SetObserver(&rec);
    }
    e.SetText("x");
    e.SetEnabled(false);
    e.SetColor(ui::kClMenu);
    e.SetMaxLength(10);
    c.SetChecked(true);
    p.SetPosition(40);
    p.SetBarColor(ui::kGray);
    s.SetCaption("Scanning...");
    s.SetBounds(112, 14, 209, 29);
    s.SetVisible(false);
    f.group.SetFont({"MS Sans Serif", 8, true});  // inherited by all four
    using C = ui::Change;
    for (auto [name, what] :
         std::vector<std::pair<std::string, C>>{{"EditPass", C::Text},
                                                {"EditPass", C::Enabled},
                                                {"EditPass", C::BackColor},
                                                {"EditPass", C::Style},
                                                {"chWEPEncryption", C::Checked},
                                                {"pbSignalStrenth", C::Position},
                                                {"pbSignalStrenth", C::BarColor},
                                                {"StationState", C::Text},
                                                {"StationState", C::Bounds},
                                                {"StationState", C::Visible},
                                                {"StationState", C::TextFont},
                                                {"EditPass", C::TextFont}}) {
        EXPECT_TRUE(rec.Saw(name, what)) << name << " " << static_cast<int>(what);
    }
    std::size_t n = rec.log.size();
    s.SetCaption("Scanning...");  // unchanged: no notice
    p.SetPosition(40);
    EXPECT_EQ(rec.log.size(), n);
}

TEST(UiProgressBar, PositionStaysInsideTheRange) {
    ui::ProgressBar p("pbSignalStrenth");
    p.SetPosition(150);
    EXPECT_EQ(p.Position(), 100);
    p.SetPosition(-5);
    EXPECT_EQ(p.Position(), 0);
    p.SetPosition(80);
    p.SetRange(0, 50);
    EXPECT_EQ(p.Position(), 50);
}

TEST(UiControl, FontIsInheritedUntilAControlHasItsOwn) {
    ui::Form form("Form1");
    form.SetFont({"MS Sans Serif", 8, false});
    ui::GroupBox g("g");
    ui::Label small("lbMaxTx");
    g.SetParent(&form);
    small.SetParent(&g);
    EXPECT_EQ(small.GetFont().name, "MS Sans Serif");
    small.SetFont({"Small Fonts", 6, false, ui::kWhite});
    form.SetFont({"Tahoma", 9, false});
    EXPECT_EQ(g.GetFont().name, "Tahoma");
    EXPECT_EQ(small.GetFont().name, "Small Fonts");
    EXPECT_EQ(small.GetFont().color, ui::kWhite);
}

TEST(UiControl, FoundByNameOrIdAnywhereInTheTree) {
    ui::Form form("Form1");
    ui::GroupBox g("GroupBox3");
    ui::StaticText s("StationState");
    ui::Edit e("edit");
    g.SetParent(&form);
    s.SetParent(&g);
    e.SetParent(&g);
    e.SetId(1004);
    EXPECT_EQ(form.Find("StationState"), &s);
    EXPECT_EQ(form.FindAs<ui::StaticText>("StationState"), &s);
    EXPECT_EQ(form.FindAs<ui::Edit>("StationState"), nullptr);
    EXPECT_EQ(form.FindById(1004), &e);
    EXPECT_EQ(form.FindById(0), nullptr);
    EXPECT_EQ(form.Find("nothing"), nullptr);
}

TEST(UiControl, ADestroyedChildLeavesItsParent) {
    ui::GroupBox g("g");
    {
        ui::Label l("l");
        l.SetParent(&g);
        EXPECT_EQ(g.Children().size(), 1u);
    }
    EXPECT_TRUE(g.Children().empty());
    ui::Label orphan("orphan");
    {
        ui::GroupBox parent("p");
        orphan.SetParent(&parent);
    }
    EXPECT_EQ(orphan.Parent(), nullptr);
}

}  // namespace
