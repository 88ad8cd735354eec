// The simulated loop's virtual time beyond what the loop contract checks.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "sim/clock.h"

namespace {

struct Tick {
    char timer;
    std::uint64_t at;
    bool operator==(const Tick&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Tick& t) {
    return os << t.timer << '@' << t.at;
}

TEST(SimLoop, LateTimersFireOnceEachInDueOrderAndReArmFromThen) {
    sim::Loop loop;
    std::vector<Tick> trace;
    bool slept = false;
    auto a = loop.StartTimer(100, [&] {
        trace.push_back({'A', loop.NowMs()});
        if (!slept) {
            slept = true;
            loop.Sleep(250);  // b misses four ticks, a one
        }
    });
    auto b = loop.StartTimer(50, [&] { trace.push_back({'B', loop.NowMs()}); });
    loop.Advance(500);
    const std::vector<Tick> want = {{'B', 50},  {'A', 100}, {'B', 350}, {'A', 350},
                                    {'B', 400}, {'A', 450}, {'B', 450}, {'B', 500}};
    EXPECT_EQ(trace, want);
    EXPECT_EQ(loop.NowMs(), 500u);
}

TEST(SimLoop, TimerStartedInAHandlerRunsInTheSameAdvance) {
    sim::Loop loop;
    std::vector<Tick> trace;
    std::unique_ptr<plat::TimerHandle> inner;
    auto outer = loop.StartTimer(100, [&] {
        trace.push_back({'O', loop.NowMs()});
        if (!inner) inner = loop.StartTimer(30, [&] { trace.push_back({'I', loop.NowMs()}); });
    });
    loop.Advance(200);
    const std::vector<Tick> want = {{'O', 100}, {'I', 130}, {'I', 160}, {'I', 190}, {'O', 200}};
    EXPECT_EQ(trace, want);
}

TEST(SimLoop, ShortIntervalsCountAsTenMilliseconds) {
    sim::Loop loop;
    int ticks = 0;
    auto t = loop.StartTimer(0, [&] { ++ticks; });
    loop.Advance(9);
    EXPECT_EQ(ticks, 0);
    loop.Advance(91);
    EXPECT_EQ(ticks, 10);
    EXPECT_EQ(loop.ActiveIntervals(), std::vector<std::uint32_t>{10});
}

TEST(SimLoop, AHandlerThatThrowsStaysRunnable) {
    sim::Loop loop;
    int ticks = 0;
    auto t = loop.StartTimer(10, [&] {
        if (++ticks == 1) throw std::runtime_error("handler failed");
    });
    EXPECT_THROW(loop.Advance(10), std::runtime_error);
    loop.Advance(10);
    EXPECT_EQ(ticks, 2);
}

TEST(SimLoop, RecordsSleepsPumpsQuitAndTimers) {
    sim::Loop loop;
    EXPECT_FALSE(loop.QuitRequested());
    auto a = loop.StartTimer(500, [] {});
    auto b = loop.StartTimer(50, [] {});
    EXPECT_EQ(loop.ActiveTimers(), 2u);
    a.reset();
    EXPECT_EQ(loop.ActiveIntervals(), std::vector<std::uint32_t>{50});
    for (int i = 0; i < 5; ++i) {
        loop.ProcessMessages();
        loop.Sleep(10);
    }
    EXPECT_EQ(loop.Sleeps(), std::vector<std::uint32_t>(5, 10));
    EXPECT_EQ(loop.ProcessMessagesCalls(), 5u);
    EXPECT_EQ(loop.NowMs(), 50u);
    loop.Quit();
    EXPECT_TRUE(loop.QuitRequested());
}

TEST(SimLoop, CursorIsSettableAndCanFail) {
    sim::Loop loop;
    int x = 0, y = 0;
    loop.SetCursor(640, 480);
    ASSERT_TRUE(loop.CursorPos(x, y));
    EXPECT_EQ(x, 640);
    EXPECT_EQ(y, 480);
    loop.SetCursorFails(true);
    x = y = -1;
    EXPECT_FALSE(loop.CursorPos(x, y));
    EXPECT_EQ(x, -1);
}

}  // namespace
