// Popup menus.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
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
    // How often it was shown, and where the last time: a tray menu opened for days keeps no
    // list of every place.
    std::size_t PopupCount() const { return popupCount_; }
    const std::optional<PopupRecord>& LastPopup() const { return lastPopup_; }

  private:
    std::vector<MenuItem*> items_;
    std::size_t popupCount_ = 0;
    std::optional<PopupRecord> lastPopup_;
};

}  // namespace ui
