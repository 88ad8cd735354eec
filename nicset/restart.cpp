#include "nicset/restart.h"

namespace nicset {

RestartOutcome RestartComputer(plat::Dialogs& dialogs, plat::System& system, std::uintptr_t owner,
                               std::string_view caption) {
    if (dialogs.ShowMessageBox(owner, StringText(kIdsRestartQuestion), caption, plat::kMbYesNo) !=
        plat::kIdYes)
        return RestartOutcome::Declined;
    const bool nt = system.Version().family == plat::OsFamily::NT;
    const bool restarted =
        nt ? system.EnableShutdownPrivilege() && system.Restart(true) : system.Restart(false);
    if (restarted) return RestartOutcome::Restarting;
    dialogs.ShowMessageBox(owner, StringText(kIdsShutdownFailed), caption, plat::kMbOk);
    return RestartOutcome::Failed;
}

bool RequestDeviceRestart(plat::DeviceSet& set, std::size_t device) {
    auto params = set.ReadInstallParams(device);
    if (!params) return false;
    params->flagsEx |= plat::kDiFlagsExPropChangePending;
    return set.WriteInstallParams(device, *params);
}

}  // namespace nicset
