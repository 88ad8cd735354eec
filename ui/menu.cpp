#include "ui/menu.h"

namespace ui {

MenuItem::MenuItem(std::string name, std::string caption)
    : Component(std::move(name)), caption_(std::move(caption)) {}

void MenuItem::SetCaption(std::string_view c) {
    if (c == caption_) return;
    caption_ = c;
    Notify(Change::Text);
}

void MenuItem::SetEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    Notify(Change::Enabled);
}

void MenuItem::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    Notify(Change::Visible);
}

bool MenuItem::UserClick() {
    if (!enabled_ || !visible_) return false;
    if (OnClick) OnClick();
    return true;
}

MenuItem* PopupMenu::Find(std::string_view name) const {
    for (MenuItem* item : items_) {
        if (item->Name() == name) return item;
    }
    return nullptr;
}

void PopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup();
    ++popupCount_;
    lastPopup_ = PopupRecord{x, y};
    Notify(Change::Popup);
}

}  // namespace ui
