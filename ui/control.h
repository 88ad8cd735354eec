// A visual control: position in its parent, visibility, enabled state, font, children.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/component.h"

namespace ui {

enum class Kind {
    Form,
    Button,
    Label,
    StaticText,
    GroupBox,
    CheckBox,
    RadioButton,
    Edit,
    ComboBox,
    ListBox,
    ProgressBar,
    PageControl,
    TabSheet,
    StringGrid,
    Image,
    PerformanceGraph,
};

class Form;

class Control : public Component {
  public:
    Control(Kind kind, std::string name);
    ~Control() override;

    Kind GetKind() const { return kind_; }
    // Control id in a dialog template (0: none).
    int Id() const { return id_; }
    void SetId(int id) { id_ = id; }

    Control* Parent() const { return parent_; }
    // Moves the control to the end of the new parent's children (nullptr: no parent).
    void SetParent(Control* parent);
    const std::vector<Control*>& Children() const { return children_; }
    Form* ParentForm();

    // Pixels, relative to the parent's client area (a form: its screen position and client size).
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // On screen: visible, and so is every parent (a tab sheet only while it is the active page).
    bool Showing() const;
    bool EnabledInTree() const;
    // Whether a user can reach it: showing and enabled with all its parents.
    bool AcceptsInput() const { return Showing() && EnabledInTree(); }

    const std::string& Hint() const { return hint_; }
    void SetHint(std::string_view hint) { hint_ = hint; }

    // The control's own font, or its parent's when it has none.
    const Font& GetFont() const;
    bool HasOwnFont() const { return font_.has_value(); }
    void SetFont(const Font& font);
    void SetFontColor(Color color);

    // Background colour.
    Color GetColor() const { return color_; }
    void SetColor(Color color);

    void Repaint() { Notify(Change::Repaint); }

    // This control or the first descendant of that name (depth first); nullptr when none.
    Control* Find(std::string_view name);
    Control* FindById(int id);
    template <class T>
    T* FindAs(std::string_view name) {
        return dynamic_cast<T*>(Find(name));
    }

    // Whether the child shows while this control shows (a page control shows its active page).
    virtual bool ShowsChild(const Control& child) const;

  protected:
    // Tells this control and its descendants that inherit it that the font changed.
    void NotifyFontTree();
    virtual void ChildAdded(Control& child);
    virtual void ChildRemoved(Control& child);
    virtual void BoundsChanged();

  private:
    Kind kind_;
    int id_ = 0;
    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string hint_;
    std::optional<Font> font_;
    Color color_ = kClBtnFace;
};

// A control whose text is a caption (buttons, labels, group boxes, tab sheets, forms).
class Captioned : public Control {
  public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);

  private:
    std::string caption_;
};

}  // namespace ui
