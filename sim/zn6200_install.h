// Putting the simulated ZN6200 into a simulated PC.
#pragma once
#include <string>
#include <string_view>

#include "sim/pc.h"
#include "sim/zn6200.h"

namespace sim {

// Imports the .reg text into the PC's registry (nothing when empty), makes the card on the PC's
// clock and OS version, lets it follow its device's start and stop in the setup interface (and
// the setup interface follow the card's Pull and Insert), and puts it into the PC's packet
// slot. Returns the card, owned by the PC until the next SetPacket or RemovePacket; nullptr when
// the text does not import (the PC is left as it was).
Zn6200* InstallZn6200(Pc& pc, std::string_view regText = {}, Zn6200Options options = {});
Zn6200* InstallZn6200File(Pc& pc, const std::string& regFile, Zn6200Options options = {});

}  // namespace sim
