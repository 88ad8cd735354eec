// Event rules and item handling of combo boxes, list boxes and string grids.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/ui.h"

namespace {

struct Shown {
    ui::Form form{"Form1"};
    Shown() { form.Show(); }
};

TEST(UiComboBox, ProgramSelectionRunsNoHandlerAndAUserPickRunsClickThenChange) {
    Shown s;
    ui::ComboBox cb("cbRadioBand");
    cb.SetParent(&s.form);
    cb.SetItems({"Auto", "2.4GHz(802.11b)", "5GHz   (802.11a)"});
    std::vector<std::string> log;
    cb.OnClick = [&] { log.push_back("click " + cb.Text()); };
    cb.OnChange = [&] { log.push_back("change " + std::to_string(cb.ItemIndex())); };
    cb.SetItemIndex(1);
    cb.SetText("auto");  // list style: picks the item of that text, ignoring case
    EXPECT_EQ(cb.ItemIndex(), 0);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(cb.UserSelect(2));
    EXPECT_TRUE(cb.UserSelectText("Auto"));
    EXPECT_FALSE(cb.UserSelect(3));
    EXPECT_FALSE(cb.UserSelectText("auto"));  // a user picks an item exactly as it is
    EXPECT_EQ(log, (std::vector<std::string>{"click 5GHz   (802.11a)", "change 2", "click Auto",
                                             "change 0"}));
    EXPECT_FALSE(cb.UserType("x"));  // a list-style box takes no typing
}

TEST(UiComboBox, EditableTextAndSelectionFollowTheNativeBox) {
    Shown s;
    ui::ComboBox cb("cbProFile", ui::ComboStyle::DropDown);
    cb.SetParent(&s.form);
    cb.SetItems({"home", "office"});
    int changes = 0;
    cb.OnChange = [&] { ++changes; };
    cb.SetItemIndex(1);
    EXPECT_EQ(cb.Text(), "office");
    cb.SetText("typed");  // keeps no selection, runs nothing
    EXPECT_EQ(cb.ItemIndex(), -1);
    EXPECT_EQ(changes, 0);
    cb.SetItemIndex(0);
    EXPECT_TRUE(cb.UserType("X"));
    EXPECT_EQ(cb.Text(), "homeX");
    EXPECT_EQ(cb.ItemIndex(), -1);
    EXPECT_EQ(changes, 1);
    cb.SetItemIndex(-1);  // no selection empties the text
    EXPECT_EQ(cb.Text(), "");
    cb.SetText("kept");
    cb.DeleteItem(0);
    EXPECT_EQ(cb.Text(), "kept");
    cb.Clear();  // list and text
    EXPECT_EQ(cb.Count(), 0);
    EXPECT_EQ(cb.Text(), "");
}

TEST(UiComboBox, TypingStopsAtMaxLengthWithOneChangePerKey) {
    Shown s;
    ui::ComboBox cb("cbSSID", ui::ComboStyle::DropDown);
    cb.SetParent(&s.form);
    cb.SetMaxLength(4);
    int changes = 0;
    cb.OnChange = [&] { ++changes; };
    cb.UserType("abcdef");
    EXPECT_EQ(cb.Text(), "abcd");
    EXPECT_EQ(changes, 4);
    cb.SetText("longer than four");  // the program is not limited
    EXPECT_EQ(cb.Text(), "longer than four");
    cb.UserClearText();
    EXPECT_EQ(cb.Text(), "");
    EXPECT_EQ(changes, 5);
}

TEST(UiComboBox, DropDownHandlerMayRefillTheListBeforeThePick) {
    Shown s;
    ui::ComboBox cb("cbSSID", ui::ComboStyle::DropDown);
    cb.SetParent(&s.form);
    cb.SetText("old");
    cb.OnDropDown = [&] {
        cb.Clear();
        cb.AddItem("net1");
        cb.AddItem("net2");
    };
    std::string changedTo;
    cb.OnChange = [&] { changedTo = cb.Text(); };
    EXPECT_TRUE(cb.UserDropDown());
    EXPECT_EQ(cb.Text(), "");
    EXPECT_TRUE(cb.UserSelect(1));
    EXPECT_EQ(changedTo, "net2");
}

TEST(UiComboBox, SelectionFollowsItsItemAcrossInsertAndDelete) {
    struct Case {
        const char* what;
        int selected;
        bool insert;  // else delete
        int at;
        int expected;
    };
    const Case cases[] = {
        {"delete before", 2, false, 0, 1},       {"delete the selected", 2, false, 2, -1},
        {"delete after", 1, false, 2, 1},        {"insert before", 1, true, 0, 2},
        {"insert at it", 1, true, 1, 2},         {"insert after", 1, true, 3, 1},
        {"delete out of range", 1, false, 7, 1},
    };
    for (const Case& c : cases) {
        ui::ComboBox cb("cb");
        cb.SetItems({"a", "b", "c", "d"});
        cb.SetItemIndex(c.selected);
        if (c.insert) {
            cb.InsertItem(c.at, "new");
        } else {
            cb.DeleteItem(c.at);
        }
        EXPECT_EQ(cb.ItemIndex(), c.expected) << c.what;
    }
}

TEST(UiComboBox, SortedListPlacesItemsIgnoringCase) {
    ui::ComboBox cb("card");
    cb.SetSorted(true);
    EXPECT_EQ(cb.AddItem("beta"), 0);
    EXPECT_EQ(cb.AddItem("Alpha"), 0);
    EXPECT_EQ(cb.AddItem("gamma"), 2);
    EXPECT_EQ(cb.AddItem("ALPHA"), 1);  // after the equal one
    EXPECT_EQ(cb.Items(), (std::vector<std::string>{"Alpha", "ALPHA", "beta", "gamma"}));
}

TEST(UiListBox, UserSelectionRunsOnClickAndProgramSelectionDoesNot) {
    Shown s;
    ui::ListBox lb("configurations");
    lb.SetParent(&s.form);
    lb.SetSorted(true);
    lb.AddItem("Office");
    lb.AddItem("home");
    int clicks = 0;
    lb.OnClick = [&] { ++clicks; };
    lb.SetItemIndex(1);
    EXPECT_EQ(lb.Item(lb.ItemIndex()), "Office");
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(lb.UserSelect(0));
    EXPECT_FALSE(lb.UserSelect(2));
    EXPECT_EQ(clicks, 1);
    lb.DeleteItem(0);
    EXPECT_EQ(lb.ItemIndex(), -1);
}

TEST(UiStringGrid, ShrinkingDropsCellsAndGrowingAddsEmptyOnes) {
    ui::StringGrid g("APSStringGrid");
    g.SetColCount(6);
    g.SetRowCount(3);
    g.SetRow(0, {"SSID", "MAC Address", "Channel", "Signal", "Security", "Mode"});
    g.SetRow(1, {"net1", "00-0b"});
    g.SetCell(0, 2, "net2");
    g.SetRowCount(2);
    g.SetRowCount(3);
    EXPECT_EQ(g.Cell(0, 2), "");
    EXPECT_EQ(g.Cell(0, 1), "net1");
    EXPECT_EQ(g.Cell(5, 0), "Mode");
    EXPECT_EQ(g.Cell(6, 0), "");  // outside
    g.SetCell(9, 9, "ignored");
    EXPECT_EQ(g.RowCount(), 3);
}

TEST(UiStringGrid, FixedRowsStayBelowTheRowCountAndSelectionOutsideThem) {
    ui::StringGrid g("grid");
    g.SetFixedCols(0);
    g.SetRowCount(1);  // no room for a fixed row
    EXPECT_EQ(g.FixedRows(), 0);
    g.SetRowCount(4);
    g.SetFixedRows(1);
    g.SetSelection({0, 0, 0, 0});
    EXPECT_EQ(g.Row(), 1);
    g.SetSelection({0, 3, 0, 3});
    g.SetRowCount(2);
    EXPECT_EQ(g.Row(), 1);
    ui::Form form("f");
    form.Show();
    g.SetParent(&form);
    EXPECT_FALSE(g.UserSelectCell(0, 0));  // header row
    EXPECT_TRUE(g.UserSelectCell(2, 1));
    EXPECT_EQ(g.Col(), 2);
}

}  // namespace
