#include "ui/controls.h"

#include <algorithm>
#include <cctype>

namespace ui {

bool Button::UserClick() {
    if (!AcceptsInput()) return false;
    if (OnClick) OnClick();
    return true;
}

void Label::SetAlignment(Alignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    Notify(Change::Style);
}

void Label::SetLayout(Layout l) {
    if (l == layout_) return;
    layout_ = l;
    Notify(Change::Style);
}

void Label::SetTransparent(bool t) {
    if (t == transparent_) return;
    transparent_ = t;
    Notify(Change::Style);
}

void StaticText::SetBorder(Border b) {
    if (b == border_) return;
    border_ = b;
    Notify(Change::Style);
}

void CheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Notify(Change::Checked);
    if (OnClick) OnClick();
}

bool CheckBox::UserClick() {
    if (!AcceptsInput()) return false;
    SetChecked(!checked_);
    return true;
}

bool CheckBox::UserSetChecked(bool checked) {
    if (!AcceptsInput()) return false;
    SetChecked(checked);
    return true;
}

void RadioButton::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Notify(Change::Checked);
    if (!checked) return;
    if (Parent()) {
        for (Control* sibling : Parent()->Children()) {
            auto* radio = dynamic_cast<RadioButton*>(sibling);
            if (radio && radio != this && radio->checked_) {
                radio->checked_ = false;
                radio->Notify(Change::Checked);
            }
        }
    }
    if (OnClick) OnClick();
}

bool RadioButton::UserClick() {
    if (!AcceptsInput()) return false;
    SetChecked(true);
    return true;
}

Edit::Edit(std::string name) : Control(Kind::Edit, std::move(name)) {
    SetColor(kClWindow);
}

void Edit::ChangeText(std::string text, bool byUser) {
    if (text == text_) return;
    text_ = std::move(text);
    Notify(Change::Text);
    if (byUser) UserEdited();
    if (OnChange) OnChange();
}

namespace {
std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
}  // namespace

// An upper-case edit converts whatever goes in, as the native one does.
void Edit::SetText(std::string_view text) {
    caret_ = 0;
    ChangeText(upperCase_ ? Upper(std::string(text)) : std::string(text), false);
}

void Edit::SetMaxLength(int n) {
    n = std::max(n, 0);
    if (n == maxLength_) return;
    maxLength_ = n;
    Notify(Change::Style);
}

void Edit::SetReadOnly(bool r) {
    if (r == readOnly_) return;
    readOnly_ = r;
    Notify(Change::Style);
}

void Edit::SetPasswordChar(char c) {
    if (c == passwordChar_) return;
    passwordChar_ = c;
    Notify(Change::Style);
}

void Edit::SetUpperCase(bool u) {
    if (u == upperCase_) return;
    upperCase_ = u;
    Notify(Change::Style);
}

char Edit::FilterKey(char key) {
    if (OnKeyPress) OnKeyPress(key);
    return key;
}

void Edit::UserEditText(std::string_view text) {
    ChangeText(std::string(text), true);
}

bool Edit::UserKey(char key) {
    if (!AcceptsInput()) return false;
    key = FilterKey(key);
    if (key == 0 || readOnly_) return true;
    if (key == '\b') {
        if (!text_.empty()) {
            caret_ = static_cast<int>(text_.size()) - 1;
            ChangeText(text_.substr(0, text_.size() - 1), true);
        }
        return true;
    }
    if (static_cast<unsigned char>(key) < 32) return true;
    if (maxLength_ > 0 && text_.size() >= static_cast<std::size_t>(maxLength_)) return true;
    if (upperCase_) key = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    caret_ = static_cast<int>(text_.size()) + 1;
    ChangeText(text_ + key, true);
    return true;
}

bool Edit::UserType(std::string_view text) {
    for (char c : text) {
        if (!UserKey(c)) return false;
    }
    return true;
}

bool Edit::UserClearText() {
    if (!AcceptsInput()) return false;
    if (!readOnly_) {
        caret_ = 0;
        ChangeText({}, true);
    }
    return true;
}

bool Edit::UserPaste(std::string_view text) {
    if (!AcceptsInput()) return false;
    if (readOnly_) return true;
    BeforePaste();
    std::string s = text_ + (upperCase_ ? Upper(std::string(text)) : std::string(text));
    if (maxLength_ > 0 && s.size() > static_cast<std::size_t>(maxLength_)) {
        s.resize(std::max(text_.size(), static_cast<std::size_t>(maxLength_)));
    }
    caret_ = static_cast<int>(s.size());
    ChangeText(std::move(s), true);
    return true;
}

int Edit::CaretPosition() const {
    return std::clamp(caret_, 0, static_cast<int>(text_.size()));
}

void Edit::SetFocused(bool focused) {
    if (focused == focused_) return;
    focused_ = focused;
    if (focused ? OnFocusGained : OnFocusLost) (focused ? OnFocusGained : OnFocusLost)();
}

namespace {
Edit* FocusedEditIn(Control& c) {
    if (auto* e = dynamic_cast<Edit*>(&c); e && e->Focused()) return e;
    for (Control* child : c.Children())
        if (Edit* e = FocusedEditIn(*child)) return e;
    return nullptr;
}
}  // namespace

bool Edit::UserFocus() {
    if (!AcceptsInput()) return false;
    if (focused_) return true;
    Control* root = this;
    while (root->Parent()) root = root->Parent();
    if (Edit* other = FocusedEditIn(*root)) other->SetFocused(false);
    SetFocused(true);
    return true;
}

bool Edit::UserLeave() {
    if (!focused_) return false;
    SetFocused(false);
    return true;
}

bool Edit::UserCursorKey(CursorKey key) {
    if (!AcceptsInput()) return false;
    const int end = static_cast<int>(text_.size());
    int at = CaretPosition();
    switch (key) {
        case CursorKey::Home:
            at = 0;
            break;
        case CursorKey::End:
            at = end;
            break;
        case CursorKey::Left:
            at = std::max(at - 1, 0);
            break;
        case CursorKey::Right:
            at = std::min(at + 1, end);
            break;
    }
    caret_ = at;
    CaretMoved();
    return true;
}

bool Edit::UserClick(int position) {
    if (!UserFocus()) return false;
    caret_ = std::clamp(position, 0, static_cast<int>(text_.size()));
    CaretMoved();
    return true;
}

void Edit::WindowFocus(bool gained) {
    SetFocused(gained);
}

void Edit::WindowCaret(int position, bool moved) {
    caret_ = std::max(position, 0);
    if (moved) CaretMoved();
}

void ProgressBar::SetRange(int min, int max) {
    if (max < min) max = min;
    if (min == min_ && max == max_) return;
    min_ = min;
    max_ = max;
    Notify(Change::Range);
    SetPosition(position_);
}

void ProgressBar::SetPosition(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    Notify(Change::Position);
}

void ProgressBar::SetBarColor(Color c) {
    if (c == barColor_) return;
    barColor_ = c;
    Notify(Change::BarColor);
}

}  // namespace ui
