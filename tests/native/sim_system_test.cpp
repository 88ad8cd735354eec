// Events shared between program instances, failure injection, privilege and restart.
#include <gtest/gtest.h>

#include "sim/system.h"

namespace {

TEST(SimSystem, ASecondProgramSeesTheFirstOnesEvent) {
    sim::System sys;
    plat::System& firstProgram = sys;
    plat::System& secondProgram = sys;
    ASSERT_FALSE(firstProgram.EventExists("ZN6200"));
    auto held = firstProgram.NewEvent("ZN6200", true, false);
    EXPECT_TRUE(secondProgram.EventExists("ZN6200"));
    EXPECT_EQ(sys.EventHandles("ZN6200"), 1u);
    held.reset();
    EXPECT_FALSE(secondProgram.EventExists("ZN6200"));
}

TEST(SimSystem, EventCreationCanBeMadeToFail) {
    sim::System sys;
    sys.SetEventCreationFails(true);
    EXPECT_EQ(sys.NewEvent("", false, false), nullptr);
    EXPECT_EQ(sys.NewEvent("ZN6200", true, false), nullptr);
    EXPECT_FALSE(sys.EventExists("ZN6200"));
    EXPECT_EQ(sys.EventsCreated(), 0u);
    sys.SetEventCreationFails(false);
    EXPECT_NE(sys.NewEvent("", false, false), nullptr);
    EXPECT_EQ(sys.EventsCreated(), 1u);
}

TEST(SimSystem, AnEventOutlivingItsSystemIsHarmless) {
    auto sys = std::make_unique<sim::System>();
    auto e = sys->NewEvent("ZN6200", true, false);
    sys.reset();
    e.reset();
}

TEST(SimSystem, NtRestartsOnlyWithTheShutdownPrivilege) {
    sim::System sys;
    sys.SetVersion({plat::OsFamily::NT, 5, 0});
    EXPECT_FALSE(sys.Restart(true)) << "privilege not held";
    sys.SetPrivilegeFails(true);
    EXPECT_FALSE(sys.EnableShutdownPrivilege());
    EXPECT_FALSE(sys.PrivilegeHeld());
    sys.SetPrivilegeFails(false);
    EXPECT_TRUE(sys.EnableShutdownPrivilege());
    EXPECT_TRUE(sys.Restart(true));
    sys.SetRestartFails(true);
    EXPECT_FALSE(sys.Restart(false));
    ASSERT_EQ(sys.Restarts().size(), 3u);
    EXPECT_EQ(sys.PrivilegeRequests(), 2u);
    EXPECT_TRUE(sys.Restarts()[1].force);
    EXPECT_TRUE(sys.Restarts()[1].result);
    EXPECT_FALSE(sys.Restarts()[2].force);
}

TEST(SimSystem, The95FamilyHasNoPrivilegesAndRestartsWithout) {
    sim::System sys;
    sys.SetVersion({plat::OsFamily::Win95, 4, 10});
    EXPECT_EQ(sys.Version(), (plat::OsVersion{plat::OsFamily::Win95, 4, 10}));
    EXPECT_FALSE(sys.EnableShutdownPrivilege());
    EXPECT_TRUE(sys.Restart(false));
}

}  // namespace
