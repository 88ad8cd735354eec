// The service control manager behind plat::ServiceControl.
#pragma once
#include <memory>

#include "platform/services.h"

namespace win32 {

class ServiceControl final : public plat::ServiceControl {
  public:
    std::unique_ptr<plat::ServiceManager> OpenManager() override;
};

}  // namespace win32
