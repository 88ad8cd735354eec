// Buttons, labels, check boxes, radio buttons, edits and progress bars.
//
// Event rules: a change made by the program runs a handler only where the toolkit does so
// (Edit text, CheckBox and RadioButton checking). User* methods stand for what a user does;
// they return false, and do nothing, when the control cannot take input (hidden, on an
// inactive page, or disabled with a parent).
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "ui/control.h"

namespace ui {

class Button : public Captioned {
  public:
    explicit Button(std::string name = {}) : Captioned(Kind::Button, std::move(name)) {}
    std::function<void()> OnClick;
    bool UserClick();
};

class GroupBox : public Captioned {
  public:
    explicit GroupBox(std::string name = {}) : Captioned(Kind::GroupBox, std::move(name)) {}
};

enum class Alignment { Left, Center, Right };
enum class Layout { Top, Center };  // vertical placement of a one-line caption

class Label : public Captioned {
  public:
    explicit Label(std::string name = {}) : Label(Kind::Label, std::move(name)) {}
    Alignment GetAlignment() const { return alignment_; }
    void SetAlignment(Alignment a);
    Layout GetLayout() const { return layout_; }
    void SetLayout(Layout l);
    // Drawn without a background of its own (over a picture).
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool t);

  protected:
    Label(Kind kind, std::string name) : Captioned(kind, std::move(name)) {}

  private:
    Alignment alignment_ = Alignment::Left;
    Layout layout_ = Layout::Top;
    bool transparent_ = false;
};

enum class Border { None, Single, Sunken };

// A label in a window of its own, with an optional border; a caption too long for one line wraps.
class StaticText : public Label {
  public:
    explicit StaticText(std::string name = {}) : Label(Kind::StaticText, std::move(name)) {}
    Border GetBorder() const { return border_; }
    void SetBorder(Border b);

  private:
    Border border_ = Border::None;
};

class CheckBox : public Captioned {
  public:
    explicit CheckBox(std::string name = {}) : Captioned(Kind::CheckBox, std::move(name)) {}
    bool Checked() const { return checked_; }
    // Runs OnClick when the state changes.
    void SetChecked(bool checked);
    std::function<void()> OnClick;
    // Toggles and runs OnClick.
    bool UserClick();
    // The state a window shows after the user clicked it (a self-checking window).
    bool UserSetChecked(bool checked);

  private:
    bool checked_ = false;
};

// Checking one unchecks the radio buttons of the same parent.
class RadioButton : public Captioned {
  public:
    explicit RadioButton(std::string name = {}) : Captioned(Kind::RadioButton, std::move(name)) {}
    bool Checked() const { return checked_; }
    // Checking runs OnClick when the button was not checked; unchecking runs nothing.
    void SetChecked(bool checked);
    std::function<void()> OnClick;
    // Checks the button (OnClick when it was not checked before).
    bool UserClick();

  private:
    bool checked_ = false;
};

// The keys that move an edit's caret without changing its text.
enum class CursorKey { Home, End, Left, Right };

class Edit : public Control {
  public:
    explicit Edit(std::string name = {});

    const std::string& Text() const { return text_; }
    // Runs OnChange when the text differs. The program may set text longer than MaxLength.
    void SetText(std::string_view text);
    // Longest text the user may type; 0: no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool r);
    // Character shown in place of each one of the text (0: the text itself).
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char c);
    // Typed letters are turned to upper case (after OnKeyPress has seen them).
    bool UpperCase() const { return upperCase_; }
    void SetUpperCase(bool u);

    std::function<void()> OnChange;
    // Sees every typed character first; setting it to 0 discards the key.
    std::function<void(char& key)> OnKeyPress;

    // One typed character: OnKeyPress, then #8 deletes the last character, a printable one is
    // appended (refused at MaxLength); other control characters change nothing.
    bool UserKey(char key);
    bool UserType(std::string_view text);
    // Select all and Delete.
    bool UserClearText();
    // Pasted text goes in without OnKeyPress, cut at MaxLength.
    bool UserPaste(std::string_view text);

    // The focus as the user moves it; one edit of a form holds it at a time.
    bool Focused() const { return focused_; }
    std::function<void()> OnFocusGained;
    std::function<void()> OnFocusLost;
    // Takes the focus (the form's edit that held it loses it first).
    bool UserFocus();
    bool UserLeave();

    // Character position of the caret (0: before the first character).
    int CaretPosition() const;
    // Typing and pasting leave the caret at the end; the program's SetText puts it at 0.
    bool UserCursorKey(CursorKey key);
    // A mouse click at a character position: takes the focus and puts the caret there.
    bool UserClick(int position);

    // For a binding to a real edit window: the key after OnKeyPress (0: discard it) ...
    virtual char FilterKey(char key);
    // ... and the window's text after the user's edit.
    void UserEditText(std::string_view text);
    // The window gained or lost the focus.
    void WindowFocus(bool gained);
    // Where the window's caret is now; moved: by a cursor key or a click.
    void WindowCaret(int position, bool moved);
    // Text is about to be pasted into the window.
    void WindowPaste() { BeforePaste(); }

  protected:
    // Runs before pasted text goes in.
    virtual void BeforePaste() {}
    // Runs after a cursor key or a click placed the caret.
    virtual void CaretMoved() {}
    // Runs when the user's edit has reached the text, before OnChange.
    virtual void UserEdited() {}
    // The text as the user's input leaves it (UserEdited and OnChange run).
    void EditText(std::string text) { ChangeText(std::move(text), true); }

  private:
    void ChangeText(std::string text, bool byUser);
    void SetFocused(bool focused);

    std::string text_;
    int maxLength_ = 0;
    bool readOnly_ = false;
    char passwordChar_ = 0;
    bool upperCase_ = false;
    bool focused_ = false;
    int caret_ = 0;
};

class ProgressBar : public Control {
  public:
    explicit ProgressBar(std::string name = {}) : Control(Kind::ProgressBar, std::move(name)) {}
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetRange(int min, int max);
    int Position() const { return position_; }
    // Clamped to the range.
    void SetPosition(int position);
    Color BarColor() const { return barColor_; }
    void SetBarColor(Color c);

  private:
    int min_ = 0, max_ = 100, position_ = 0;
    Color barColor_ = kClDefault;
};

}  // namespace ui
