// How a page of the profile sheet reads the General page: through its parent sheet, whose first
// page it is.
#pragma once
#include "platform/dialogs.h"
#include "ui/dialogs.h"

namespace nicset {

// Stands in for the connection type when the sheet cannot be reached: neither ad hoc nor
// infrastructure.
inline constexpr int kConnectionUnknown = -1;

// The General page's connection type. Without a sheet or a General page in it, string 65 is
// shown and kConnectionUnknown returned.
int SheetConnectionType(const ui::PropertyPage& page, plat::Dialogs& dialogs);

}  // namespace nicset
