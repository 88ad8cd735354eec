// The message loop's timers, as the program's five timers rely on them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/contract/seam_envs.h"

namespace {

// How early a real timer may seem to fire, measured with a coarse tick count.
constexpr std::uint64_t kSlackMs = 20;

TEST_P(LoopContract, TimerFiresRepeatedlyAtItsInterval) {
    std::vector<std::uint64_t> times;
    const std::uint64_t start = env_.now();
    auto t = loop().StartTimer(40, [&] { times.push_back(env_.now() - start); });
    RunUntil([&] { return times.size() >= 3; });
    ASSERT_GE(times.size(), 3u);
    if (env_.virtualTime) {
        EXPECT_EQ(times, (std::vector<std::uint64_t>{40, 80, 120}));
    } else {
        EXPECT_GE(times[0] + kSlackMs, 40u);
        for (std::size_t i = 1; i < times.size(); ++i) {
            EXPECT_GE(times[i] - times[i - 1] + kSlackMs, 40u) << "tick " << i;
        }
    }
}

TEST_P(LoopContract, ShorterIntervalFiresFirstAndMoreOften) {
    std::string trace;
    auto slow = loop().StartTimer(300, [&] { trace += 'S'; });
    auto fast = loop().StartTimer(30, [&] { trace += 'F'; });
    RunUntil([&] { return trace.find('S') != std::string::npos; });
    const std::size_t slowAt = trace.find('S');
    ASSERT_NE(slowAt, std::string::npos);
    const std::string before = trace.substr(0, slowAt);
    if (env_.virtualTime) {
        // At 300 ms both are due; the one started first goes first.
        EXPECT_EQ(before, std::string(9, 'F'));
    } else {
        EXPECT_GE(before.size(), 1u) << trace;
        EXPECT_LE(before.size(), 10u) << trace;
    }
}

TEST_P(LoopContract, TimersDueTogetherFireInStartOrder) {
    if (!env_.virtualTime) {
        GTEST_SKIP() << "timers due at one moment have no defined order on a real clock";
    }
    std::string trace;
    auto a = loop().StartTimer(50, [&] { trace += 'A'; });
    auto b = loop().StartTimer(50, [&] { trace += 'B'; });
    auto c = loop().StartTimer(25, [&] { trace += 'C'; });
    env_.runUntil([] { return false; }, 100);
    EXPECT_EQ(trace, "CABCCABC");
}

TEST_P(LoopContract, TimerStoppedInsideAHandlerNeverFiresAgain) {
    int aTicks = 0, bTicks = 0, clock = 0;
    int bAtStop = -1, clockAtStop = -1;
    std::unique_ptr<plat::TimerHandle> a, b, c;
    // a stops b and then itself, from inside its own handler.
    a = loop().StartTimer(20, [&] {
        ++aTicks;
        bAtStop = bTicks;
        clockAtStop = clock;
        b.reset();
        a.reset();
    });
    b = loop().StartTimer(20, [&] { ++bTicks; });
    c = loop().StartTimer(10, [&] { ++clock; });
    RunUntil([&] { return clockAtStop >= 0 && clock >= clockAtStop + 6; });
    ASSERT_GE(clockAtStop, 0);
    EXPECT_EQ(aTicks, 1);
    EXPECT_EQ(bTicks, bAtStop);
    if (env_.virtualTime) {
        EXPECT_EQ(bAtStop, 0) << "b was due in the same moment, after a";
    }
}

TEST_P(LoopContract, TimerStoppedBeforeItRunsNeverFires) {
    int ticks = 0;
    auto t = loop().StartTimer(10, [&] { ++ticks; });
    loop().Sleep(40);  // due, with its tick possibly waiting already
    t.reset();
    loop().ProcessMessages();
    EXPECT_EQ(ticks, 0);

    // A handle that outlives its loop is harmless.
    auto late = loop().StartTimer(10, [&] { ++ticks; });
    env_.loop.reset();
    late.reset();
    EXPECT_EQ(ticks, 0);
}

TEST_P(LoopContract, ProcessMessagesRunsDueTimersNestedButNeverTheRunningOne) {
    int aTicks = 0, bTicks = 0, depth = 0, deepest = 0, bInside = -1;
    auto a = loop().StartTimer(20, [&] {
        ++aTicks;
        deepest = std::max(deepest, ++depth);
        if (aTicks == 1) {
            const int before = bTicks;
            loop().Sleep(60);  // a and b are both due again now
            loop().ProcessMessages();
            bInside = bTicks - before;
        }
        --depth;
    });
    auto b = loop().StartTimer(20, [&] { ++bTicks; });
    RunUntil([&] { return bInside >= 0; });
    EXPECT_EQ(bInside, 1);
    EXPECT_EQ(deepest, 1);
}

TEST_P(LoopContract, SleepRunsNoTimerAndALateTimerFiresOnce) {
    int ticks = 0;
    const std::uint64_t start = env_.now();
    auto t = loop().StartTimer(10, [&] { ++ticks; });
    loop().Sleep(100);  // ten intervals
    EXPECT_EQ(ticks, 0);
    loop().ProcessMessages();
    EXPECT_EQ(ticks, 1);
    if (env_.virtualTime) {
        // Re-armed from the moment it fired, not from when it was due.
        RunUntil([&] { return ticks == 2; });
        EXPECT_EQ(env_.now() - start, 110u);
    }
}

TEST_P(LoopContract, QuitIsLeftForTheProgramsLoop) {
    EXPECT_FALSE(env_.takeQuit());
    loop().Quit();
    loop().ProcessMessages();
    EXPECT_TRUE(env_.takeQuit());
}

TEST_P(LoopContract, CursorPositionCanBeRead) {
    int x = -12345, y = -12345;
    ASSERT_TRUE(loop().CursorPos(x, y));
    EXPECT_NE(x, -12345);
    EXPECT_NE(y, -12345);
}

}  // namespace
