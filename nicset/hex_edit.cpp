#include "nicset/hex_edit.h"

#include <algorithm>

namespace nicset {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsHexText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsHexDigit);
}

HexEdit::HexEdit(std::string name, plat::Dialogs& dialogs)
    : Edit(std::move(name)), dialogs_(dialogs) {}

char HexEdit::FilterKey(char key) {
    const bool control = static_cast<unsigned char>(key) < 27;
    if (hexOnly_ && !control && !IsHexDigit(key)) {
        ErrorBeep();
        return 0;
    }
    // A refused key leaves the text alone; any accepted one (Backspace too) starts afresh.
    ClearForInput();
    return Edit::FilterKey(key);
}

void HexEdit::BeforePaste() {
    ClearForInput();
}

void HexEdit::ClearForInput() {
    if (!clearOnInput_) return;
    clearOnInput_ = false;
    EditText({});
}

void HexEdit::CaretMoved() {
    if (OnCursorNotice) OnCursorNotice();
}

void HexEdit::UserEdited() {
    if (OnUpdate) OnUpdate();
}

}  // namespace nicset
