// The simulated tray's kept state and recorded calls.
#include <gtest/gtest.h>

#include <string>

#include "sim/shell.h"

namespace {

plat::NotifyIconRecord Rec(std::uint32_t flags, int icon, std::string tip) {
    plat::NotifyIconRecord r;
    r.owner = 7;
    r.id = 1000;
    r.flags = flags;
    r.callbackMessage = 0x8080;
    r.icon = icon;
    r.tip = std::move(tip);
    return r;
}

constexpr std::uint32_t kAll = plat::kNifMessage | plat::kNifIcon | plat::kNifTip;

TEST(SimShell, ModifyChangesOnlyTheFlaggedFields) {
    sim::Shell shell;
    ASSERT_TRUE(shell.NotifyIcon(plat::kNimAdd, Rec(kAll, 3, "VELMORA ZN6200 Scanning")));
    ASSERT_TRUE(shell.NotifyIcon(plat::kNimModify, Rec(plat::kNifIcon, 4, "ignored")));
    const auto icon = shell.Icon(1000);
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(*icon, (sim::TrayIcon{7, 1000, 0x8080, 4, "VELMORA ZN6200 Scanning"}));

    // An add without the flags leaves the fields empty.
    ASSERT_TRUE(shell.NotifyIcon(plat::kNimDelete, Rec(0, 0, "")));
    ASSERT_TRUE(shell.NotifyIcon(plat::kNimAdd, Rec(0, 5, "tip")));
    EXPECT_EQ(*shell.Icon(1000), (sim::TrayIcon{7, 1000, 0, 0, ""}));
}

TEST(SimShell, TipIsCutAtItsTerminatorAndToTheRecordsSize) {
    sim::Shell shell;
    shell.NotifyIcon(plat::kNimAdd, Rec(kAll, 1, std::string(200, 'x')));
    EXPECT_EQ(shell.Icon(1000)->tip, std::string(127, 'x'));
    shell.NotifyIcon(plat::kNimModify, Rec(kAll, 1, std::string("ab\0cd", 5)));
    EXPECT_EQ(shell.Icon(1000)->tip, "ab");
}

TEST(SimShell, AFailingShellRefusesEverythingButRecordsIt) {
    sim::Shell shell;
    shell.SetFails(true);
    EXPECT_FALSE(shell.NotifyIcon(plat::kNimAdd, Rec(kAll, 1, "t")));
    EXPECT_FALSE(shell.HasIcon(1000));
    shell.SetFails(false);
    EXPECT_TRUE(shell.NotifyIcon(plat::kNimAdd, Rec(kAll, 1, "t")));
    EXPECT_FALSE(shell.NotifyIcon(7, Rec(kAll, 1, "t"))) << "no such action";
    ASSERT_EQ(shell.Calls().size(), 3u);
    EXPECT_FALSE(shell.Calls()[0].result);
    EXPECT_TRUE(shell.Calls()[1].result);
    EXPECT_EQ(shell.Calls()[1].record.tip, "t");
    EXPECT_EQ(shell.Calls()[2].action, 7u);
    shell.ClearCalls();
    EXPECT_TRUE(shell.Calls().empty());
    EXPECT_TRUE(shell.HasIcon(1000));
}

}  // namespace
