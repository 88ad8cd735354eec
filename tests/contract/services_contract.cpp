#include "tests/contract/services_contract.h"

#include <chrono>
#include <optional>
#include <thread>

void ServicesContract::SetUp() {
    host_ = GetParam().make();
}

void ServicesContract::Install(const std::string& name, bool running) {
    if (auto why = host_->Install(name, running); !why.empty()) GTEST_SKIP() << why;
}

std::unique_ptr<plat::ServiceManager> ServicesContract::Manager() {
    return host_->Control().OpenManager();
}

namespace {

constexpr const char* kRunning = "VlmContractRun";
constexpr const char* kStopped = "VlmContractIdle";

// A stop is asynchronous on Windows: the service passes through stop pending.
std::optional<std::uint32_t> SettledState(plat::Service& s) {
    auto state = s.CurrentState();
    for (int i = 0; i < 100 && state == plat::kServiceStopPending; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        state = s.CurrentState();
    }
    return state;
}

TEST_P(ServicesContract, MissingServicesDoNotOpenAndOthersStayAsTheyAre) {
    Install(kRunning, true);
    if (IsSkipped()) return;
    auto m = Manager();
    ASSERT_TRUE(m);
    for (const char* name : {"PCANDIS4", "PCANDIS5"}) {
        EXPECT_EQ(m->Open(name, plat::ServiceAccess::Full), nullptr) << name;
        EXPECT_EQ(m->Open(name, plat::ServiceAccess::QueryStatus), nullptr) << name;
    }
    auto s = m->Open(kRunning, plat::ServiceAccess::QueryStatus);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->CurrentState(), plat::kServiceRunning);
}

TEST_P(ServicesContract, QueryReportsStateAndNamesIgnoreCase) {
    Install(kStopped, false);
    if (IsSkipped()) return;
    auto m = Manager();
    ASSERT_TRUE(m);
    auto s = m->Open("vlmcontractIDLE", plat::ServiceAccess::QueryStatus);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->CurrentState(), plat::kServiceStopped);
}

TEST_P(ServicesContract, StopEndsARunningServiceOnce) {
    Install(kRunning, true);
    if (IsSkipped()) return;
    auto m = Manager();
    ASSERT_TRUE(m);
    auto s = m->Open(kRunning, plat::ServiceAccess::Full);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->CurrentState(), plat::kServiceRunning);
    EXPECT_TRUE(s->Stop());
    EXPECT_EQ(SettledState(*s), plat::kServiceStopped);
    // Not running any more: the second stop is refused.
    EXPECT_FALSE(s->Stop());
    EXPECT_EQ(s->CurrentState(), plat::kServiceStopped);
}

TEST_P(ServicesContract, QueryOnlyHandleCannotStopOrDelete) {
    Install(kRunning, true);
    if (IsSkipped()) return;
    auto m = Manager();
    ASSERT_TRUE(m);
    {
        auto s = m->Open(kRunning, plat::ServiceAccess::QueryStatus);
        ASSERT_TRUE(s);
        EXPECT_FALSE(s->Stop());
        EXPECT_FALSE(s->Delete());
        EXPECT_EQ(s->CurrentState(), plat::kServiceRunning);
    }
    EXPECT_TRUE(m->Open(kRunning, plat::ServiceAccess::QueryStatus));
}

TEST_P(ServicesContract, DeletedServiceGoesWithItsLastHandle) {
    Install(kStopped, false);
    if (IsSkipped()) return;
    auto m = Manager();
    ASSERT_TRUE(m);
    auto first = m->Open(kStopped, plat::ServiceAccess::Full);
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->Delete());
    {
        // Marked for deletion: it still opens while a handle is held, but only goes once.
        auto second = m->Open(kStopped, plat::ServiceAccess::Full);
        ASSERT_TRUE(second);
        EXPECT_FALSE(second->Delete());
        EXPECT_EQ(second->CurrentState(), plat::kServiceStopped);
    }
    first.reset();
    EXPECT_EQ(m->Open(kStopped, plat::ServiceAccess::QueryStatus), nullptr);
}

}  // namespace
