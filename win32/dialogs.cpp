#include "win32/dialogs.h"

#include <windows.h>

#include <string>

namespace win32 {

int Dialogs::ShowMessageBox(std::uintptr_t owner, std::string_view text, std::string_view caption,
                            std::uint32_t type) {
    const std::string t(text), c(caption);
    return MessageBoxA(reinterpret_cast<HWND>(owner), t.c_str(), c.c_str(), type);
}

void Dialogs::Beep(std::uint32_t type) {
    MessageBeep(type);
}

}  // namespace win32
