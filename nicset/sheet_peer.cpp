#include "nicset/sheet_peer.h"

#include "nicset/general_page.h"
#include "nicset/strings.h"

namespace nicset {

int SheetConnectionType(const ui::PropertyPage& page, plat::Dialogs& dialogs) {
    const ui::PropertySheet* sheet = page.Sheet();
    const auto* general = sheet ? dynamic_cast<const CVCustomGenPage*>(sheet->Page(0)) : nullptr;
    if (general) return general->fields.connectionType;
    dialogs.ShowMessageBox(0, StringText(IDS_NO_SHEET), kAppletName, plat::kMbOk);
    return kConnectionUnknown;
}

}  // namespace nicset
