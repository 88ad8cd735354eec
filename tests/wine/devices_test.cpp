#include "win32/devices.h"

#include <utility>

#include "tests/contract/devices_contract.h"
#include "win32/registry.h"

namespace {

class WinDevicesHost : public DevicesHost {
  public:
    plat::Registry& Reg() override { return reg_; }
    plat::SetupApi& Setup() override { return setup_; }
    std::string NoStateChangeReason() const override {
        return "Wine's class installer has no DIF_PROPERTYCHANGE: SetupDiSetClassInstallParams "
               "fails, and CM_Get_DevNode_Status reports status 0, problem 0";
    }

  private:
    win32::Registry reg_;
    win32::SetupApi setup_;
};

INSTANTIATE_TEST_SUITE_P(Win32, DevicesContract,
                         ::testing::Values(DevicesTarget{
                             "win32", [] { return std::make_unique<WinDevicesHost>(); }}),
                         DevicesTargetName);

TEST(Win32SetupLibraries, EitherLibraryMissingGivesNoSet) {
    const std::pair<const char*, const char*> missing[] = {
        {"nosuch-setup.dll", win32::kConfigLibrary},
        {win32::kSetupLibrary, "nosuch-config.dll"},
    };
    for (auto [setup, config] : missing) {
        SCOPED_TRACE(testing::Message() << setup << " " << config);
        win32::SetupApi api(setup, config);
        EXPECT_EQ(api.PresentDevices(plat::kNetClassGuid), nullptr);
        EXPECT_EQ(api.PresentDevices(""), nullptr);
    }
    win32::SetupApi present;
    EXPECT_NE(present.PresentDevices(""), nullptr);
}

}  // namespace
