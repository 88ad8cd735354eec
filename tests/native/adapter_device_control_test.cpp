#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapter/context.h"
#include "adapter/device_control.h"
#include "adapter/oids.h"
#include "sim/pc.h"
#include "sim/zn6200_install.h"
#include "tests/contract/devices_contract.h"

namespace {

using plat::DevNodeStatus;
using Status = std::optional<DevNodeStatus>;

constexpr DevNodeStatus kStarted{sim::kStatusStarted, 0};
constexpr DevNodeStatus kDisabled{sim::kStatusDisabled, plat::kProblemDisabled};

TEST(DeviceControl, StatusTests) {
    struct Case {
        const char* what;
        Status status;
        bool canDisable, disabled;
    };
    const Case cases[] = {
        {"status fails", std::nullopt, false, false},
        {"started", kStarted, true, false},
        {"disabled", kDisabled, true, true},
        {"disabled in hardware", DevNodeStatus{sim::kStatusDisabled, 29}, false, false},
        {"disabled, not disableable", DevNodeStatus{plat::kDnHasProblem, 22}, false, true},
        {"problem 22 without the problem flag", DevNodeStatus{plat::kDnDisableable, 22}, true,
         false},
        {"another problem", DevNodeStatus{sim::kStatusDisabled, 10}, true, false},
        {"nothing set", DevNodeStatus{0, 0}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(adapter::CanDisableDevice(c.status), c.canDisable);
        EXPECT_EQ(adapter::IsDeviceDisabled(c.status), c.disabled);
    }
}

// A set of scripted devices; state changes are counted and change nothing.
class ScriptedSetup final : public plat::SetupApi {
  public:
    struct Device {
        std::optional<std::string> service;
        Status status = kStarted;
    };
    std::vector<Device> devices;
    std::vector<std::uint32_t> changes;
    std::string askedClass = "(none)";

    std::unique_ptr<plat::DeviceSet> PresentDevices(std::string_view classGuid) override {
        askedClass = classGuid;
        return std::make_unique<Set>(*this);
    }

  private:
    class Set final : public plat::DeviceSet {
      public:
        explicit Set(ScriptedSetup& s) : s_(s) {}
        std::size_t Count() const override { return s_.devices.size(); }
        std::string InstanceId(std::size_t) const override { return {}; }
        std::optional<std::string> Property(std::size_t i, plat::DeviceProperty p) const override {
            if (p != plat::DeviceProperty::Service) return std::nullopt;
            return s_.devices.at(i).service;
        }
        std::optional<DevNodeStatus> Status(std::size_t i) const override {
            return s_.devices.at(i).status;
        }
        bool ChangeState(std::size_t, std::uint32_t change, std::uint32_t, std::uint32_t) override {
            s_.changes.push_back(change);
            return true;
        }
        std::unique_ptr<plat::RegKey> OpenDriverKey(std::size_t, plat::DevKeyAccess) override {
            return nullptr;
        }
        std::optional<plat::InstallParams> ReadInstallParams(std::size_t) const override {
            return std::nullopt;
        }
        bool WriteInstallParams(std::size_t, const plat::InstallParams&) override { return false; }

      private:
        ScriptedSetup& s_;
    };
};

TEST(DeviceControl, FindsTheFirstUsableDeviceWithTheExactServiceName) {
    using D = ScriptedSetup::Device;
    struct Case {
        const char* what;
        std::vector<D> devices;
        std::optional<std::size_t> found;
    };
    const Case cases[] = {
        {"first of two", {D{"CV7720"}, D{"CV7720"}}, 0},
        {"case-sensitive", {D{"cv7720"}, D{"CV7720"}}, 1},
        {"status fails: skipped", {D{"CV7720", std::nullopt}, D{"CV7720"}}, 1},
        {"empty or unreadable: unusable", {D{""}, D{std::nullopt}, D{"CV7720"}}, 2},
        {"prefix and longer name", {D{"CV772"}, D{"CV77201"}, D{"CV7720 "}}, std::nullopt},
        {"no devices", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedSetup setup;
        setup.devices = c.devices;
        EXPECT_EQ(adapter::FindDeviceByService(*setup.PresentDevices({}), "CV7720"), c.found);
        // Not found: no request.
        if (!c.found) {
            EXPECT_FALSE(adapter::SetAdapterDeviceEnabled(setup, "CV7720", false));
            EXPECT_TRUE(setup.changes.empty());
        }
    }
}

TEST(DeviceControl, AcceptedRequestThatLeavesTheStateAsItWasIsAFailure) {
    for (bool enable : {false, true}) {
        SCOPED_TRACE(enable);
        ScriptedSetup setup;
        setup.devices = {{"CV7720", enable ? kDisabled : kStarted}};
        EXPECT_FALSE(adapter::SetAdapterDeviceEnabled(setup, "CV7720", enable));
        EXPECT_EQ(setup.changes,
                  std::vector<std::uint32_t>{enable ? plat::kDicsEnable : plat::kDicsDisable});
        EXPECT_EQ(setup.askedClass, "");  // all classes
    }
}

// A Windows XP PC with the card installed.
struct XpPc {
    XpPc() { card = sim::InstallZn6200File(pc, FixturePath("zn6200-installed.reg")); }
    sim::Pc pc;
    sim::Zn6200* card = nullptr;
};

TEST(DeviceControl, ChangesOnlyADisableableDeviceThatIsNotInTheRequestedState) {
    struct Case {
        const char* what;
        Status status;  // nullopt: the status call fails
        bool changeFails;
        bool enable;
        bool result;
        std::vector<std::uint32_t> requests;
    };
    const Case cases[] = {
        {"enable, not disabled", kStarted, false, true, false, {}},
        {"disable, started", kStarted, false, false, true, {plat::kDicsDisable}},
        {"enable, disabled", kDisabled, false, true, true, {plat::kDicsEnable}},
        {"disable, disabled", kDisabled, false, false, false, {}},
        {"not disableable",
         DevNodeStatus{sim::kStatusStarted & ~plat::kDnDisableable, 0},
         false,
         false,
         false,
         {}},
        {"disabled in hardware", DevNodeStatus{sim::kStatusDisabled, 29}, false, true, false, {}},
        {"class installer refuses", kStarted, true, false, false, {plat::kDicsDisable}},
        {"status fails: not found", std::nullopt, false, false, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        XpPc x;
        ASSERT_TRUE(x.card);
        auto& setup = x.pc.setup();
        const std::string id = x.card->EnumInstanceId();
        if (c.status) setup.SetStatus(id, *c.status);
        setup.SetStatusFails(id, !c.status);
        setup.SetChangeFails(id, c.changeFails);

        EXPECT_EQ(adapter::SetAdapterDeviceEnabled(setup, adapter::kDriverServiceName, c.enable),
                  c.result);
        std::vector<std::uint32_t> changes;
        for (const auto& r : setup.Requests()) {
            EXPECT_TRUE(plat::SameName(r.instanceId, id));
            EXPECT_EQ(r.scope, plat::kDicsFlagConfigSpecific);
            EXPECT_EQ(r.hwProfile, 0u);
            changes.push_back(r.stateChange);
        }
        EXPECT_EQ(changes, c.requests);
    }
}

TEST(DeviceControl, DisableThenEnableRestartsTheDriverWhichRereadsItsParameters) {
    XpPc x;
    ASSERT_TRUE(x.card);
    auto& card = *x.card;
    adapter::AdapterContext context(x.pc.platform());
    ASSERT_TRUE(context.FindAdapter());
    {
        auto key = x.pc.registry().Open(card.DriverKeyPath());
        ASSERT_TRUE(key);
        ASSERT_TRUE(plat::WriteString(*key, "ssid", "Quay"));
    }
    EXPECT_EQ(card.Starts(), 1u);
    EXPECT_NE(card.TakenParameters().ssid, "Quay");

    ASSERT_TRUE(adapter::SetAdapterDeviceEnabled(x.pc.setup(), "CV7720", false));
    EXPECT_FALSE(card.Started());
    std::uint8_t mode[4];
    EXPECT_NE(context.QueryOid(adapter::OID_PRIV_NETWORK_MODE, mode, sizeof mode), 0);
    EXPECT_FALSE(context.FindAdapter());  // a disabled device does not open
    // Already disabled: false at once, as the retry loop of Apply expects.
    EXPECT_FALSE(adapter::SetAdapterDeviceEnabled(x.pc.setup(), "CV7720", false));
    // A disabled card put back into its slot stays stopped.
    card.Pull();
    card.Insert();
    EXPECT_FALSE(card.Started());
    EXPECT_EQ(card.Starts(), 1u);

    ASSERT_TRUE(adapter::SetAdapterDeviceEnabled(x.pc.setup(), "CV7720", true));
    EXPECT_TRUE(card.Started());
    EXPECT_EQ(card.Starts(), 2u);
    EXPECT_EQ(card.TakenParameters().ssid, "Quay");
    EXPECT_TRUE(context.FindAdapter());
    EXPECT_EQ(x.pc.setup().Requests().size(), 2u);
}

// Counts what is opened and created, to show that nothing is.
class CountingRegistry final : public plat::Registry {
  public:
    explicit CountingRegistry(plat::Registry& inner) : inner_(inner) {}
    int opens = 0, creates = 0;

    std::unique_ptr<plat::RegKey> Open(std::string_view path) override {
        ++opens;
        return inner_.Open(path);
    }
    std::unique_ptr<plat::RegKey> Create(std::string_view path) override {
        ++creates;
        return inner_.Create(path);
    }
    bool DeleteTree(std::string_view path) override { return inner_.DeleteTree(path); }
    bool MoveKey(std::string_view from, std::string_view to) override {
        return inner_.MoveKey(from, to);
    }

  private:
    plat::Registry& inner_;
};

constexpr const char* kDriverKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001";

class CardCfgId : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(reg_.Create(kDriverKey)); }
    void Store(const plat::RegValue& v) {
        ASSERT_TRUE(reg_.Open(kDriverKey)->Set("CardCfgId", v.type, v.data));
    }
    std::optional<plat::RegValue> Stored() { return reg_.Open(kDriverKey)->Get("CardCfgId"); }
    std::string Read(std::string_view path = kDriverKey) {
        return adapter::ReadCardCfgId(counted_, uuids_, path);
    }

    sim::Registry reg_;
    CountingRegistry counted_{reg_};
    sim::Uuids uuids_;
};

TEST_F(CardCfgId, TextIsKeptForEverAndOnlyAMissingOrEmptyOneIsCreated) {
    const std::string sentinel = "keep-me-{0000}";
    const std::string longText(300, 'L');
    struct Case {
        const char* what;
        std::optional<plat::RegValue> stored;
        bool created;
        std::string kept;  // when not created: what reads
    };
    const Case cases[] = {
        {"non-empty kept", plat::StringValue(sentinel), false, sentinel},
        {"over 255 kept, read cut", plat::StringValue(longText), false, longText.substr(0, 255)},
        {"empty replaced", plat::StringValue(""), true, ""},
        {"missing created", std::nullopt, true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reg_.Open(kDriverKey)->DeleteValue("CardCfgId");
        if (c.stored) Store(*c.stored);
        const auto createdBefore = uuids_.Created().size();

        const std::string first = Read();
        EXPECT_EQ(Read(), first);  // stable
        EXPECT_TRUE(adapter::EnsureCardCfgId(counted_, uuids_, kDriverKey));
        EXPECT_EQ(uuids_.Created().size() - createdBefore, c.created ? 1u : 0u);
        if (c.created) {
            EXPECT_EQ(first, plat::FormatUuid(uuids_.Created().back()));
            EXPECT_EQ(first.size(), 36u);
            EXPECT_EQ(Stored(), plat::StringValue(first));
        } else {
            EXPECT_EQ(first, c.kept);
            EXPECT_EQ(Stored(), c.stored);  // never rewritten
        }
        EXPECT_LE(first.size(), adapter::kMaxCardCfgIdLength);
        EXPECT_EQ(counted_.creates, 0);
    }
}

TEST_F(CardCfgId, FallbackTextWhenTheUuidCannotBeRendered) {
    uuids_.SetRenderFails(true);
    EXPECT_EQ(Read(), adapter::kFallbackCardCfgId);
    EXPECT_EQ(uuids_.Rendered().size(), 1u);  // the refusal was met
    EXPECT_EQ(Stored(), plat::StringValue(adapter::kFallbackCardCfgId));
}

TEST_F(CardCfgId, NoKeyGivesNothingAndWritesNothing) {
    // Empty: never opened at all (it would address the hive's root).
    EXPECT_EQ(Read(""), "");
    EXPECT_FALSE(adapter::EnsureCardCfgId(counted_, uuids_, ""));
    EXPECT_EQ(counted_.opens, 0);

    const std::string missing = std::string(kDriverKey) + "9";
    EXPECT_EQ(Read(missing), "");
    EXPECT_FALSE(plat::KeyExists(reg_, missing));

    reg_.Refuse(kDriverKey);
    EXPECT_EQ(Read(), "");
    EXPECT_FALSE(adapter::EnsureCardCfgId(counted_, uuids_, kDriverKey));
    EXPECT_EQ(Stored(), std::nullopt);
    EXPECT_EQ(counted_.creates, 0);
}

}  // namespace
