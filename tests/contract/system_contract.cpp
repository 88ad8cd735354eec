// Named events (the single-instance check), unnamed events and the OS version.
#include <gtest/gtest.h>

#include "tests/contract/seam_envs.h"

namespace {

TEST_P(SystemContract, NamedEventExistsWhileAnyHandleIsOpen) {
    const std::string& name = env_.freshEventName;
    EXPECT_FALSE(sys().EventExists(name));
    auto first = sys().NewEvent(name, true, false);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(sys().EventExists(name));
    // Creating it again opens the same event.
    auto second = sys().NewEvent(name, true, false);
    ASSERT_NE(second, nullptr);
    first.reset();
    EXPECT_TRUE(sys().EventExists(name));
    second.reset();
    EXPECT_FALSE(sys().EventExists(name));
}

TEST_P(SystemContract, NamesAreCaseSensitive) {
    auto e = sys().NewEvent(env_.freshEventName, true, false);
    ASSERT_NE(e, nullptr);
    std::string other = env_.freshEventName;
    for (char& c : other) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    ASSERT_NE(other, env_.freshEventName);
    EXPECT_FALSE(sys().EventExists(other));
}

TEST_P(SystemContract, UnnamedEventsAreDistinctHandles) {
    auto a = sys().NewEvent("", false, false);
    auto b = sys().NewEvent("", false, false);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a->Native(), nullptr);
    EXPECT_NE(a->Native(), b->Native());
    EXPECT_FALSE(sys().EventExists(""));
}

TEST_P(SystemContract, VersionNumbersFitTheFamily) {
    const plat::OsVersion v = sys().Version();
    if (v.family == plat::OsFamily::Win95) {
        EXPECT_EQ(v.major, 4u);
        EXPECT_TRUE(v.minor == 0 || v.minor == 10 || v.minor == 90) << v.minor;
    } else {
        EXPECT_GE(v.major, 3u);
    }
}

}  // namespace
