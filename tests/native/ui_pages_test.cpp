// Page control rules: active page, user changes, hidden tabs, what shows.
#include <gtest/gtest.h>

#include <string>

#include "ui/ui.h"

namespace {

struct SixPages {
    ui::Form form{"Form1"};
    ui::PageControl pc{"PageControl1"};
    ui::TabSheet status{"TabSheet1"}, config{"TabSheet2"}, security{"TabSheet3"},
        stations{"TabSheet7"}, statistics{"TabSheet5"}, about{"TabSheet6"};
    ui::Button rescan{"btReScan"};
    SixPages() {
        form.Show();
        pc.SetParent(&form);
        pc.SetBounds(13, 8, 365, 386);
        for (ui::TabSheet* t : {&status, &config, &security, &stations, &statistics, &about}) {
            t->SetParent(&pc);
        }
        rescan.SetParent(&stations);
        pc.SetActivePage(&status);
    }
};

TEST(UiPageControl, ProgramChangeRunsNoHandlerAndUserChangeRunsItAfterwards) {
    SixPages p;
    int seenIndex = -2, changes = 0;
    p.pc.OnChange = [&] {
        ++changes;
        seenIndex = p.pc.ActivePageIndex();
    };
    p.pc.SetActivePageIndex(5);
    EXPECT_EQ(p.pc.ActivePage(), &p.about);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(p.pc.UserChangePage(3));
    EXPECT_EQ(seenIndex, 3);                       // the handler already sees the new page
    EXPECT_TRUE(p.pc.UserChangePage(p.stations));  // the active tab: nothing happens
    EXPECT_EQ(changes, 1);
}

TEST(UiPageControl, OnlyTheActivePagesControlsShowAndTakeInput) {
    SixPages p;
    EXPECT_FALSE(p.rescan.Showing());
    EXPECT_FALSE(p.rescan.UserClick());
    p.pc.SetActivePage(&p.stations);
    EXPECT_TRUE(p.rescan.Showing());
    EXPECT_TRUE(p.rescan.UserClick());
    EXPECT_FALSE(p.config.Showing());
}

TEST(UiPageControl, HiddenTabsAreSkippedAndCannotBeClicked) {
    SixPages p;
    p.config.SetTabVisible(false);
    EXPECT_EQ(p.pc.TabIndexOf(p.security), 1);
    EXPECT_EQ(p.pc.TabIndexOf(p.config), -1);
    EXPECT_EQ(p.pc.VisibleTabs().size(), 5u);
    EXPECT_FALSE(p.pc.UserChangePage(1));
    EXPECT_EQ(p.pc.ActivePage(), &p.status);
    EXPECT_EQ(p.security.PageIndex(), 2);  // page indexes count hidden tabs
}

// Hiding the active page's tab moves to the page of the tab that takes its place.
TEST(UiPageControl, HidingTheActiveTabActivatesTheNextShownTab) {
    SixPages p;
    int changes = 0;
    p.pc.OnChange = [&] { ++changes; };
    p.pc.SetActivePage(&p.config);
    for (ui::TabSheet* t : {&p.config, &p.security, &p.stations}) t->SetTabVisible(false);
    EXPECT_EQ(p.pc.ActivePage(), &p.statistics);
    p.pc.SetActivePage(&p.about);
    p.about.SetTabVisible(false);  // the last tab: the one before it
    EXPECT_EQ(p.pc.ActivePage(), &p.statistics);
    for (ui::TabSheet* t : {&p.config, &p.security, &p.stations}) t->SetTabVisible(true);
    EXPECT_EQ(p.pc.ActivePage(), &p.statistics);  // showing tabs again moves nothing
    EXPECT_EQ(changes, 0);
}

TEST(UiPageControl, PagesFillTheControlBelowTheTabs) {
    SixPages p;
    EXPECT_EQ(p.status.Left(), ui::PageControl::kBorder);
    EXPECT_EQ(p.status.Top(), ui::PageControl::kTabHeight);
    EXPECT_EQ(p.status.Width(), 365 - 2 * ui::PageControl::kBorder);
    p.pc.SetWidth(300);
    EXPECT_EQ(p.about.Width(), 300 - 2 * ui::PageControl::kBorder);
}

TEST(UiPageControl, APageOfAnotherControlIsIgnored) {
    SixPages p;
    ui::PageControl other("other");
    ui::TabSheet foreign("foreign");
    foreign.SetParent(&other);
    p.pc.SetActivePage(&foreign);
    EXPECT_EQ(p.pc.ActivePage(), &p.status);
    EXPECT_FALSE(p.pc.UserChangePage(foreign));
}

}  // namespace
