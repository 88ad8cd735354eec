// Popup menus.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"

namespace ui {

class MenuItem : public Component {
  public:
    explicit MenuItem(std::string name = {}, std::string caption = {});
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view c);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);

    std::function<void()> OnClick;
    // The user chose the item; refused when disabled or hidden.
    bool UserClick();

  private:
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
};

struct PopupRecord {
    int x = 0, y = 0;
};

class PopupMenu : public Component {
  public:
    explicit PopupMenu(std::string name = {}) : Component(std::move(name)) {}
    void Add(MenuItem& item) { items_.push_back(&item); }
    const std::vector<MenuItem*>& Items() const { return items_; }
    MenuItem* Find(std::string_view name) const;

    // Shows the menu at a screen position; the choice comes back as the item's UserClick.
    void Popup(int x, int y);
    std::function<void()> OnPopup;
    const std::vector<PopupRecord>& Popups() const { return popups_; }

  private:
    std::vector<MenuItem*> items_;
    std::vector<PopupRecord> popups_;
};

}  // namespace ui
