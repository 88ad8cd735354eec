// The tray icon's add, modify and delete, with the shell's refusals.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/contract/seam_envs.h"

namespace {

TEST_P(ShellContract, RefusesToChangeWhatTheTrayDoesNotHold) {
    EXPECT_FALSE(Notify(plat::kNimModify, Rec(kId, env_.iconA, "scanning")));
    EXPECT_FALSE(Notify(plat::kNimDelete, Rec(kId)));
    EXPECT_TRUE(Notify(plat::kNimAdd, Rec(kId)));
    EXPECT_FALSE(Notify(plat::kNimAdd, Rec(kId))) << "already there";
    EXPECT_TRUE(Notify(plat::kNimModify, Rec(kId, env_.iconA, "scanning")));
    EXPECT_TRUE(Notify(plat::kNimModify, Rec(kId, env_.iconB, "connected")));
    EXPECT_TRUE(Notify(plat::kNimDelete, Rec(kId)));
    EXPECT_FALSE(Notify(plat::kNimDelete, Rec(kId)));
    EXPECT_FALSE(Notify(plat::kNimModify, Rec(kId, env_.iconA, "scanning")));
}

TEST_P(ShellContract, IconsAreKnownByOwnerAndId) {
    ASSERT_TRUE(Notify(plat::kNimAdd, Rec(kId, env_.iconA, "one")));
    ASSERT_TRUE(Notify(plat::kNimAdd, Rec(kOtherId, env_.iconB, "two")));
    EXPECT_TRUE(Notify(plat::kNimDelete, Rec(kId)));
    EXPECT_TRUE(Notify(plat::kNimModify, Rec(kOtherId, env_.iconA, "still here")));
    plat::NotifyIconRecord stranger = Rec(kOtherId);
    stranger.owner = env_.owner + 1;
    EXPECT_FALSE(Notify(plat::kNimDelete, stranger)) << "another window's icon";
    EXPECT_TRUE(Notify(plat::kNimDelete, Rec(kOtherId)));
}

TEST_P(ShellContract, AnOverlongTipIsTakenCut) {
    EXPECT_TRUE(Notify(plat::kNimAdd, Rec(kId, env_.iconA, std::string(300, 'x'))));
    EXPECT_TRUE(Notify(plat::kNimModify, Rec(kId, env_.iconB, std::string(127, 'y'))));
    EXPECT_TRUE(Notify(plat::kNimDelete, Rec(kId)));
}

}  // namespace
