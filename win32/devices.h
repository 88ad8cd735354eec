// The setup interface and configuration manager behind plat::SetupApi.
#pragma once
// clang-format off
#include <windows.h>
#include <setupapi.h>
// clang-format on

#include <memory>

#include "platform/devices.h"

namespace win32 {

class SetupApi final : public plat::SetupApi {
  public:
    std::unique_ptr<plat::DeviceSet> PresentDevices(std::string_view classGuid) override;
};

// The one device of a property-sheet page request, as a set of one. The caller keeps the set
// and its record alive for the object's lifetime; neither is destroyed here.
std::unique_ptr<plat::DeviceSet> BorrowDevice(HDEVINFO set, const SP_DEVINFO_DATA& device);

}  // namespace win32
