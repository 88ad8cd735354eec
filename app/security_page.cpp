// The Security page: WEP on or off, the four keys and their sizes, the passphrase.
#include "app/form.h"

namespace app {

void TForm1::BuildSecurityPage() {
    chWEPEncryption.SetParent(&TabSheet3);
    chWEPEncryption.SetBounds(16, 8, 150, 17);
    chWEPEncryption.SetCaption("WEP Encryption");
}

void TForm1::WireSecurityPage() {}

}  // namespace app
