#include <gtest/gtest.h>

#include "sim/services.h"
#include "tests/contract/services_contract.h"

namespace {

using Kind = sim::ServiceControl::CallKind;
using plat::ServiceAccess;

class SimServicesHost : public ServicesHost {
  public:
    plat::ServiceControl& Control() override { return scm_; }
    std::string Install(const std::string& name, bool running) override {
        scm_.Add(name, running ? plat::kServiceRunning : plat::kServiceStopped);
        return {};
    }

  private:
    sim::ServiceControl scm_;
};

INSTANTIATE_TEST_SUITE_P(Sim, ServicesContract,
                         ::testing::Values(ServicesTarget{
                             "sim", [] { return std::make_unique<SimServicesHost>(); }}),
                         ServicesTargetName);

// The packet driver's removal pass: stop, then delete, each through its own handle.
void RemovePass(plat::ServiceControl& control) {
    auto m = control.OpenManager();
    if (!m) return;
    for (const char* name : {"PCANDIS4", "PCANDIS5"}) {
        if (auto s = m->Open(name, ServiceAccess::Full)) s->Stop();
        if (auto s = m->Open(name, ServiceAccess::Full)) s->Delete();
    }
}

TEST(SimServices, WithoutManagerNothingIsReached) {
    sim::ServiceControl scm;
    scm.Add("PCANDIS4", plat::kServiceRunning);
    scm.SetAvailable(false);
    RemovePass(scm);
    EXPECT_EQ(scm.Calls(), (std::vector<sim::ServiceControl::Call>{
                               {Kind::OpenManager, "", ServiceAccess::Full, false}}));
    EXPECT_EQ(scm.StateOf("PCANDIS4"), plat::kServiceRunning);

    scm.SetAvailable(true);
    scm.SetManagerRefused(true);
    EXPECT_EQ(scm.OpenManager(), nullptr);
}

TEST(SimServices, RecordsEveryCallOfARemovalPass) {
    sim::ServiceControl scm;
    scm.Add("pcandis4", plat::kServiceRunning);  // the manager ignores case
    RemovePass(scm);
    using C = sim::ServiceControl::Call;
    const std::vector<C> expected = {
        {Kind::OpenManager, "", ServiceAccess::Full, true},
        {Kind::OpenService, "PCANDIS4", ServiceAccess::Full, true},
        {Kind::Stop, "PCANDIS4", ServiceAccess::Full, true},
        {Kind::OpenService, "PCANDIS4", ServiceAccess::Full, true},
        {Kind::Delete, "PCANDIS4", ServiceAccess::Full, true},
        {Kind::OpenService, "PCANDIS5", ServiceAccess::Full, false},
        {Kind::OpenService, "PCANDIS5", ServiceAccess::Full, false},
    };
    EXPECT_EQ(scm.Calls(), expected);
    EXPECT_FALSE(scm.Exists("PCANDIS4"));  // the last handle closed with the pass

    scm.ClearCalls();
    RemovePass(scm);  // nothing left: only failed opens
    for (const auto& c : scm.Calls()) EXPECT_TRUE(c.kind == Kind::OpenManager || !c.succeeded);
}

TEST(SimServices, RefusedAccessLeavesTheServiceAlone) {
    sim::ServiceControl scm;
    scm.Add("PCANDIS5", plat::kServiceRunning);
    scm.SetAccessRefused("PCANDIS5", true);
    RemovePass(scm);
    EXPECT_TRUE(scm.Exists("PCANDIS5"));
    EXPECT_FALSE(scm.MarkedForDeletion("PCANDIS5"));
    EXPECT_EQ(scm.StateOf("PCANDIS5"), plat::kServiceRunning);
}

TEST(SimServices, StopAcceptsRunningOrPausedOnly) {
    struct Case {
        std::uint32_t from;
        bool stops;
    };
    for (auto c : {Case{plat::kServiceRunning, true}, Case{plat::kServicePaused, true},
                   Case{plat::kServiceStopped, false}, Case{plat::kServiceStartPending, false},
                   Case{plat::kServiceStopPending, false}}) {
        SCOPED_TRACE(c.from);
        sim::ServiceControl scm;
        scm.Add("S", c.from);
        auto s = scm.OpenManager()->Open("S", ServiceAccess::Full);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->Stop(), c.stops);
        EXPECT_EQ(scm.StateOf("S"), c.stops ? plat::kServiceStopped : c.from);
    }
}

TEST(SimServices, HandleOutlivingTheManagerObjectIsHarmless) {
    std::unique_ptr<plat::Service> s;
    {
        sim::ServiceControl scm;
        scm.Add("S", plat::kServiceRunning);
        s = scm.OpenManager()->Open("S", ServiceAccess::Full);
    }
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->Delete());
    s.reset();
}

}  // namespace
