// The configurator's key and address edit: may empty itself on the first input, may take hex
// digits only, and tells its page when the user moves the caret.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/dialogs.h"
#include "ui/controls.h"

namespace nicset {

class HexEdit : public ui::Edit {
  public:
    HexEdit(std::string name, plat::Dialogs& dialogs);

    // The first typed character or paste empties the edit first (then the switch is off).
    bool ClearOnInput() const { return clearOnInput_; }
    void SetClearOnInput(bool on) { clearOnInput_ = on; }
    // A typed character other than 0-9, a-f, A-F or a control character (below 27) is
    // refused with the error beep. Pasted text is not filtered: the page checks it.
    bool HexOnly() const { return hexOnly_; }
    void SetHexOnly(bool on) { hexOnly_ = on; }

    // The window's private notice 32778: after End, Home, Left, Right or a mouse click.
    std::function<void()> OnCursorNotice;
    // The user's edit has reached the text (EN_UPDATE); runs before OnChange.
    std::function<void()> OnUpdate;

    // The error beep, as the edit gives it.
    void ErrorBeep() { dialogs_.Beep(plat::kMbIconError); }

    char FilterKey(char key) override;

  protected:
    void BeforePaste() override;
    void CaretMoved() override;
    void UserEdited() override;

  private:
    void ClearForInput();

    plat::Dialogs& dialogs_;
    bool clearOnInput_ = false;
    bool hexOnly_ = false;
};

// 0-9, a-f, A-F.
bool IsHexDigit(char c);
// Every character a hex digit (an empty text too).
bool IsHexText(std::string_view text);

}  // namespace nicset
