#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nicset/restart.h"
#include "nicset/strings.h"
#include "sim/pc.h"
#include "sim/zn6200_install.h"
#include "tests/contract/devices_contract.h"

namespace {

using nicset::RestartOutcome;

constexpr plat::OsVersion kXp{plat::OsFamily::NT, 5, 1};
constexpr plat::OsVersion kWin98{plat::OsFamily::Win95, 4, 10};

TEST(NicsetRestart, RestartComputer) {
    struct Case {
        const char* what;
        plat::OsVersion os;
        int answer;
        bool privilegeFails, restartFails;
        RestartOutcome outcome;
        std::vector<bool> restarts;  // force of each restart call
        bool failureBox;
    };
    const Case cases[] = {
        {"No", kXp, plat::kIdNo, false, false, RestartOutcome::Declined, {}, false},
        {"NT", kXp, plat::kIdYes, false, false, RestartOutcome::Restarting, {true}, false},
        {"95 family",
         kWin98,
         plat::kIdYes,
         false,
         false,
         RestartOutcome::Restarting,
         {false},
         false},
        {"privilege refused", kXp, plat::kIdYes, true, false, RestartOutcome::Failed, {}, true},
        {"NT restart refused",
         kXp,
         plat::kIdYes,
         false,
         true,
         RestartOutcome::Failed,
         {true},
         true},
        // The user said Yes and nothing happens: say so rather than stay silent.
        {"95 restart refused",
         kWin98,
         plat::kIdYes,
         false,
         true,
         RestartOutcome::Failed,
         {false},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sim::Pc pc;
        pc.system().SetVersion(c.os);
        pc.system().SetPrivilegeFails(c.privilegeFails);
        pc.system().SetRestartFails(c.restartFails);
        pc.dialogs().QueueAnswer(c.answer);
        EXPECT_EQ(nicset::RestartComputer(pc.dialogs(), pc.system()), c.outcome);

        std::vector<bool> forces;
        for (const auto& r : pc.system().Restarts()) forces.push_back(r.force);
        EXPECT_EQ(forces, c.restarts);
        const auto& boxes = pc.dialogs().Boxes();
        ASSERT_EQ(boxes.size(), c.failureBox ? 2u : 1u);
        EXPECT_EQ(boxes[0].text, nicset::StringText(nicset::kIdsRestartQuestion));
        EXPECT_EQ(boxes[0].type, plat::kMbYesNo);
        if (c.failureBox) {
            EXPECT_EQ(boxes[1].text,
                      "An error occured while preparing to shut down Windows.\n\n"
                      "Close all applications and restart the computer.");
            EXPECT_EQ(boxes[1].type, plat::kMbOk);
        }
    }
}

TEST(NicsetRestart, RequestDeviceRestartMarksThePropertyChangePending) {
    sim::Pc pc;
    ASSERT_TRUE(sim::InstallZn6200File(pc, FixturePath("zn6200-installed.reg")));
    const std::string id = "PCI\\VEN_1D5A&DEV_0620&SUBSYS_06201D5A&REV_01\\4&1F7DBC9F&0&40F0";
    pc.setup().SetInstallParams(id, {plat::kDiNeedReboot, 0x8});
    auto set = pc.setup().DeviceById(id);
    ASSERT_TRUE(set);
    EXPECT_TRUE(nicset::RequestDeviceRestart(*set, 0));
    EXPECT_EQ(pc.setup().InstallParamsOf(id),
              (plat::InstallParams{plat::kDiNeedReboot, 0x8 | plat::kDiFlagsExPropChangePending}));

    pc.setup().SetInstallParams(id, {});
    pc.setup().SetInstallParamsFail(id, true);
    EXPECT_FALSE(nicset::RequestDeviceRestart(*set, 0));
    EXPECT_EQ(pc.setup().InstallParamsOf(id), plat::InstallParams{});
}

}  // namespace
