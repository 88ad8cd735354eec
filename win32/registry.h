// The Windows registry under HKEY_LOCAL_MACHINE, through the ANSI calls of Windows 2000/XP.
#pragma once
#include <memory>
#include <string_view>

#include "platform/registry.h"

namespace win32 {

// Keys open for reading and writing where the user may write, else for reading only, so a user
// without rights still reads and his writes fail. Paths that SplitKeyPath rejects are refused
// before Windows sees them.
class Registry final : public plat::Registry {
  public:
    std::unique_ptr<plat::RegKey> Open(std::string_view path) override;
    std::unique_ptr<plat::RegKey> Create(std::string_view path) override;
    bool DeleteTree(std::string_view path) override;
    bool MoveKey(std::string_view from, std::string_view to) override;
};

// Takes ownership of a key some other Windows call opened (the setup interface's device keys).
std::unique_ptr<plat::RegKey> AdoptKey(struct HKEY__* key);

}  // namespace win32
