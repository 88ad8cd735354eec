#include "win32/devices.h"

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

}  // namespace
