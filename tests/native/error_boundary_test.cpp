// An error that escapes a handler ends that handler only: one box, and the program goes on.
#include <gtest/gtest.h>

#include <stdexcept>

#include "sim_program.h"

namespace {

TEST(ErrorBoundary, TimerErrorShowsOneBoxAndTheNextTickRuns) {
    SimProgram p;
    ui::Timer timer(p.pc.loop(), "Failing");
    int ticks = 0;
    timer.OnTimer = [&] {
        if (++ticks == 1) throw std::runtime_error("Failed to set data for 'ssid'");
    };
    timer.SetInterval(100);
    timer.SetEnabled(true);
    const auto before = p.pc.dialogs().Boxes().size();
    p.pc.loop().Advance(250);
    EXPECT_EQ(ticks, 2);
    ASSERT_EQ(p.pc.dialogs().Boxes().size(), before + 1);
    const auto& box = p.pc.dialogs().Boxes().back();
    EXPECT_EQ(box.text, "Failed to set data for 'ssid'");
    EXPECT_EQ(box.caption, "ZN6200UI");
    EXPECT_EQ(box.type, plat::kMbOk | plat::kMbIconError);
    EXPECT_EQ(p.velmora.boundary.Errors(), 1u);
    // The timer is still consistent: it can be stopped and started from outside.
    EXPECT_TRUE(timer.Running());
}

TEST(ErrorBoundary, NestedErrorWhileTheBoxIsOpenIsCountedNotShown) {
    int shown = 0;
    plat::ErrorBoundary boundary;
    boundary.SetReporter([&](std::string_view) {
        ++shown;
        // A timer ticking under the modal box fails again.
        boundary.Run([] { throw std::runtime_error("again"); });
    });
    EXPECT_FALSE(boundary.Run([] { throw std::runtime_error("first"); }));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(boundary.Errors(), 2u);
    EXPECT_TRUE(boundary.Run([] {}));
}

}  // namespace
