#include "ui/control.h"

#include <algorithm>

#include "ui/form.h"

namespace ui {

Component::Component(std::string name) : name_(std::move(name)) {}

Component::~Component() {
    Notify(Change::Destroyed);
}

void Component::Notify(Change what) {
    if (observer_) observer_->Changed(*this, what);
}

Control::Control(Kind kind, std::string name) : Component(std::move(name)), kind_(kind) {}

Control::~Control() {
    for (Control* child : children_) child->parent_ = nullptr;
    children_.clear();
    if (parent_) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        parent_->ChildRemoved(*this);
    }
}

void Control::SetParent(Control* parent) {
    if (parent == parent_) return;
    for (Control* p = parent; p; p = p->parent_) {
        if (p == this) return;  // would make a cycle
    }
    if (parent_) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        Control* old = parent_;
        parent_ = nullptr;
        old->ChildRemoved(*this);
        old->Notify(Change::Children);
    }
    parent_ = parent;
    if (parent_) {
        parent_->children_.push_back(this);
        parent_->ChildAdded(*this);
        parent_->Notify(Change::Children);
    }
}

void Control::ChildAdded(Control&) {}
void Control::ChildRemoved(Control&) {}
void Control::BoundsChanged() {}

Form* Control::ParentForm() {
    Control* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<Form*>(c);
}

void Control::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Notify(Change::Bounds);
    BoundsChanged();
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Notify(Change::Visible);
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Notify(Change::Enabled);
}

bool Control::ShowsChild(const Control&) const {
    return true;
}

bool Control::Showing() const {
    if (!visible_) return false;
    if (!parent_) return true;
    return parent_->ShowsChild(*this) && parent_->Showing();
}

bool Control::EnabledInTree() const {
    for (const Control* c = this; c; c = c->parent_) {
        if (!c->enabled_) return false;
    }
    return true;
}

const Font& Control::GetFont() const {
    static const Font kDefault{};
    for (const Control* c = this; c; c = c->parent_) {
        if (c->font_) return *c->font_;
    }
    return kDefault;
}

void Control::SetFont(const Font& font) {
    if (font_ && *font_ == font) return;
    font_ = font;
    NotifyFontTree();
}

void Control::SetFontColor(Color color) {
    Font f = GetFont();
    f.color = color;
    SetFont(f);
}

void Control::NotifyFontTree() {
    Notify(Change::TextFont);
    for (Control* child : children_) {
        if (!child->font_) child->NotifyFontTree();
    }
}

void Control::SetColor(Color color) {
    if (color == color_) return;
    color_ = color;
    Notify(Change::BackColor);
}

Control* Control::Find(std::string_view name) {
    if (Name() == name) return this;
    for (Control* child : children_) {
        if (Control* found = child->Find(name)) return found;
    }
    return nullptr;
}

Control* Control::FindById(int id) {
    if (id_ == id && id != 0) return this;
    for (Control* child : children_) {
        if (Control* found = child->FindById(id)) return found;
    }
    return nullptr;
}

void Captioned::SetCaption(std::string_view caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Notify(Change::Text);
}

}  // namespace ui
