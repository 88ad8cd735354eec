// The per-card identifier CardCfgId in the driver key: the cipher key of the stored WEP keys.
// The same text as velmora reads, so both programs encipher alike.
#pragma once
#include <string>

#include "nicset/reg_key.h"
#include "platform/uuids.h"

namespace nicset {

// Writes a new identifier when the key holds none (or an empty one); never changes one that has
// text. True when the key holds a non-empty identifier afterwards.
bool EnsureCardCfgId(RegKey& driverKey, plat::Uuids& uuids);
// The identifier, created first when missing; "" when there is still none (its length is the
// text's size). Cut to what velmora's readers hold.
std::string ReadCardCfgId(RegKey& driverKey, plat::Uuids& uuids);

}  // namespace nicset
