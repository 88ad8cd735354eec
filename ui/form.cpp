#include "ui/form.h"

namespace ui {

Form::Form(std::string name) : Captioned(Kind::Form, std::move(name)) {
    SetVisible(false);
    SetFont(Font{});
}

void Form::SetBorderStyle(BorderStyle b) {
    if (b == borderStyle_) return;
    borderStyle_ = b;
    Notify(Change::Style);
}

Component* Form::FindComponent(std::string_view name) {
    if (Control* c = Find(name)) return c;
    for (Component* c : components_) {
        if (c->Name() == name) return c;
    }
    return nullptr;
}

void Form::BringToFront() {
    ++foregroundRequests_;
    Notify(Change::Foreground);
}

void Form::Close() {
    if (freed_) return;
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(canClose);
    if (!canClose) return;
    CloseAction action = CloseAction::Hide;
    if (OnClose) OnClose(action);
    if (action == CloseAction::None) return;
    if (action == CloseAction::Hide && !mainForm_) {
        Hide();
        return;
    }
    Hide();
    freed_ = true;
    if (OnDestroy) OnDestroy();
    Notify(Change::Freed);
}

void Form::DeliverCloseMessage(std::intptr_t lParam) {
    if (freed_) return;
    if (OnCloseMessage) {
        OnCloseMessage(lParam);
    } else {
        Close();
    }
}

void Form::DeliverMessage(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    if (!freed_ && OnMessage) OnMessage(msg, wParam, lParam);
}

bool Form::UserCloseButton() {
    if (!Showing()) return false;
    DeliverCloseMessage(0);
    return true;
}

bool Form::ShowsChild(const Control&) const {
    return !freed_;
}

void Screen::SetCursor(Cursor c) {
    if (c == cursor_) return;
    cursor_ = c;
    Notify(Change::Cursor);
}

}  // namespace ui
