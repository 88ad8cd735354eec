#include "nicset/card_id.h"

#include "adapter/device_control.h"

namespace nicset {

bool EnsureCardCfgId(RegKey& driverKey, plat::Uuids& uuids) {
    return driverKey.IsOpen() && adapter::EnsureCardCfgId(*driverKey.Handle(), uuids);
}

std::string ReadCardCfgId(RegKey& driverKey, plat::Uuids& uuids) {
    if (!driverKey.IsOpen()) return {};
    return adapter::ReadCardCfgId(*driverKey.Handle(), uuids);
}

}  // namespace nicset
