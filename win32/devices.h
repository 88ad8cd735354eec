// The setup interface and configuration manager behind plat::SetupApi.
#pragma once
// clang-format off
#include <windows.h>
#include <setupapi.h>
// clang-format on

#include <memory>
#include <string>

#include "platform/devices.h"

namespace win32 {

inline constexpr const char* kSetupLibrary = "setupapi.dll";
inline constexpr const char* kConfigLibrary = "cfgmgr32.dll";

class SetupLibrary;

// Both libraries are loaded at the first PresentDevices and kept while this object or a set
// made by it lives. Without them (or one of their entries) there is no set: nullptr.
class SetupApi final : public plat::SetupApi {
  public:
    // The library names are for tests that take one away.
    explicit SetupApi(std::string setupLibrary = kSetupLibrary,
                      std::string configLibrary = kConfigLibrary);
    ~SetupApi() override;
    SetupApi(const SetupApi&) = delete;
    SetupApi& operator=(const SetupApi&) = delete;

    std::unique_ptr<plat::DeviceSet> PresentDevices(std::string_view classGuid) override;

  private:
    std::string setupName_, configName_;
    bool loadTried_ = false;
    std::shared_ptr<const SetupLibrary> lib_;
};

// The one device of a property-sheet page request, as a set of one. The caller keeps the set
// and its record alive for the object's lifetime; neither is destroyed here. nullptr when the
// libraries cannot be had.
std::unique_ptr<plat::DeviceSet> BorrowDevice(HDEVINFO set, const SP_DEVINFO_DATA& device);

}  // namespace win32
