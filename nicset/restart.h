// Getting new driver parameters taken up: restarting the computer (control-panel dialog) or
// asking the device manager to restart the device (device property page).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "nicset/strings.h"
#include "platform/devices.h"
#include "platform/dialogs.h"
#include "platform/system.h"

namespace nicset {

enum class RestartOutcome {
    Declined,    // the user answered No
    Restarting,  // the restart call succeeded
    Failed,      // privilege or restart refused; the failure box was shown
};

// Asks string 44 (Yes/No). Yes: the 95 family restarts at once; the NT family first enables the
// shutdown privilege and then restarts with force. A failure shows string 45 with OK.
RestartOutcome RestartComputer(plat::Dialogs& dialogs, plat::System& system,
                               std::uintptr_t owner = 0, std::string_view caption = kAppletName);

// Sets DI_FLAGSEX_PROPCHANGE_PENDING in the device's install parameters, so the device manager
// restarts it when its property sheet closes. False when they cannot be read or written back.
bool RequestDeviceRestart(plat::DeviceSet& set, std::size_t device);

}  // namespace nicset
