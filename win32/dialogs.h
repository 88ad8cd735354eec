// Message boxes and beeps of the user interface.
#pragma once
#include "platform/dialogs.h"

namespace win32 {

class Dialogs final : public plat::Dialogs {
  public:
    int ShowMessageBox(std::uintptr_t owner, std::string_view text, std::string_view caption,
                       std::uint32_t type) override;
    void Beep(std::uint32_t type) override;
};

}  // namespace win32
