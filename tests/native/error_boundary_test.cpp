// An error that escapes a handler ends that handler only: one box, and the program goes on.
#include <gtest/gtest.h>

#include <stdexcept>

#include "radio_program.h"
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

namespace {

TEST(ErrorBoundary, RefusedRegistryWriteEndsTheHandlerOnlyAndKeepsEarlierValues) {
    RadioProgram p({Net("Home")}, "Home");
    const auto path = p.card->DriverKeyPath();
    {
        auto key = p.pc.registry().Open(path);
        key->DeleteValue("key0");  // a fresh key: the load repairs it
        plat::WriteString(*key, "key3", "SENTINEL");
        plat::WriteString(*key, "keyLength2", "SENTINEL");
    }
    p.pc.registry().RefuseValue("keyLength2");
    const auto before = p.pc.dialogs().Boxes().size();
    p.Run(5000);
    EXPECT_EQ(p.pc.registry().ValueRefusals(), 1u);
    ASSERT_EQ(p.pc.dialogs().Boxes().size(), before + 1);
    EXPECT_EQ(p.pc.dialogs().Boxes().back().text, "Failed to set data for 'keyLength2'");
    auto key = p.pc.registry().Open(path);
    EXPECT_EQ(plat::ReadString(*key, "key3"), "");
    EXPECT_EQ(plat::ReadString(*key, "keyLength1"), "0");
    EXPECT_EQ(plat::ReadString(*key, "keyLength2"), "SENTINEL");
    // The program goes on: the status cycle follows the link.
    EXPECT_TRUE(p.form().AdapterOnline);
    EXPECT_EQ(p.form().LinkSsid, "Home");
}

}  // namespace
