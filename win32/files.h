// File version resources, file times and the Windows directory.
#pragma once
#include "platform/files.h"

namespace win32 {

class Files final : public plat::Files {
  public:
    std::optional<plat::FileVersion> Version(std::string_view path) override;
    std::optional<plat::FileTime> LastWriteTime(std::string_view path) override;
    std::optional<plat::FileTime> ToLocalTime(plat::FileTime utc) override;
    // Years 1980 to 2107 only, checked here because not every implementation of
    // FileTimeToDosDateTime refuses the others.
    std::optional<plat::DosDateTime> ToDosDateTime(plat::FileTime t) override;
    std::string WindowsDirectory() override;
};

}  // namespace win32
