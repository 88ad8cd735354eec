// The taskbar notification area.
#pragma once
#include <map>

#include "platform/shell.h"

namespace win32 {

class Shell final : public plat::Shell {
  public:
    bool NotifyIcon(std::uint32_t action, const plat::NotifyIconRecord& record) override;

    // Names an HICON for the record's icon id. The icon stays the caller's: it must live as
    // long as it is in use. Unknown ids give no picture.
    void RegisterIcon(int id, void* hicon) { icons_[id] = hicon; }

  private:
    std::map<int, void*> icons_;
};

}  // namespace win32
