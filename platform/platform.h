// Every platform service the system reaches, bundled for construction.
#pragma once
#include "platform/devices.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/loop.h"
#include "platform/packet.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/uuids.h"

namespace plat {

struct Platform {
    Registry& registry;
    SetupApi& setup;
    ServiceControl& services;
    PacketAccess& packet;
    Shell& shell;
    Dialogs& dialogs;
    Files& files;
    Uuids& uuids;
    System& system;
    MessageLoop& loop;
};

}  // namespace plat
