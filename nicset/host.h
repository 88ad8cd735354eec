// What the library uses of the Windows it runs in: the registry, the setup interface, message
// boxes, the system and UUIDs. A small struct of references, copied freely.
#pragma once
#include "platform/platform.h"

namespace nicset {

struct Host {
    plat::Registry& registry;
    plat::SetupApi& setup;
    plat::Dialogs& dialogs;
    plat::System& system;
    plat::Uuids& uuids;

    Host(plat::Registry& r, plat::SetupApi& s, plat::Dialogs& d, plat::System& sys, plat::Uuids& u)
        : registry(r), setup(s), dialogs(d), system(sys), uuids(u) {}
    // The library needs none of the rest of a program's platform.
    Host(const plat::Platform& p)  // NOLINT(google-explicit-constructor)
        : Host(p.registry, p.setup, p.dialogs, p.system, p.uuids) {}
};

}  // namespace nicset
