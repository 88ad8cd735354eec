// A top-level window, and the screen cursor.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

enum class CloseAction { None, Hide, Free };
enum class BorderStyle { Dialog, Single, Sizeable, None };
enum class FormPosition { Designed, ScreenCenter };

// A form's bounds are its screen position and its client size; its children are placed in the
// client area.
class Form : public Captioned {
  public:
    explicit Form(std::string name = {});

    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }
    void SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height); }
    BorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(BorderStyle b);
    FormPosition Position() const { return position_; }
    void SetPosition(FormPosition p) { position_ = p; }
    // Closing the main form with any action but None frees it, which ends the program.
    bool MainForm() const { return mainForm_; }
    void SetMainForm(bool m) { mainForm_ = m; }

    // Non-visual parts (timers, menus, the screen) listed so they can be found by name.
    void AddComponent(Component& c) { components_.push_back(&c); }
    const std::vector<Component*>& Components() const { return components_; }
    // A control of the tree or a listed component.
    Component* FindComponent(std::string_view name);
    template <class T>
    T* FindComponentAs(std::string_view name) {
        return dynamic_cast<T*>(FindComponent(name));
    }

    // Asks to become the foreground window; counted for tests.
    void BringToFront();
    int ForegroundRequests() const { return foregroundRequests_; }

    // OnCloseQuery may refuse; OnClose may change the action (Hide to start with).
    void Close();
    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void(CloseAction& action)> OnClose;
    // Runs once when the form is freed.
    std::function<void()> OnDestroy;
    bool Freed() const { return freed_; }

    // The window's close message (title-bar button, Alt+F4, or sent from outside with a
    // parameter). Without a handler it closes the form.
    std::function<void(std::intptr_t lParam)> OnCloseMessage;
    void DeliverCloseMessage(std::intptr_t lParam = 0);
    // Messages of the program's own (the WM_USER and WM_APP ranges), such as a tray callback.
    std::function<void(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)> OnMessage;
    void DeliverMessage(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
    // The user pressed the title-bar close button.
    bool UserCloseButton();

    // The native window handle, as an owner for message boxes and the tray icon (0: none).
    std::uintptr_t Handle() const { return handle_; }
    void SetHandle(std::uintptr_t h) { handle_ = h; }

    bool ShowsChild(const Control& child) const override;

  private:
    BorderStyle borderStyle_ = BorderStyle::Dialog;
    FormPosition position_ = FormPosition::ScreenCenter;
    bool mainForm_ = false;
    bool freed_ = false;
    int foregroundRequests_ = 0;
    std::uintptr_t handle_ = 0;
    std::vector<Component*> components_;
};

enum class Cursor { Default, Arrow, HourGlass };

class Screen : public Component {
  public:
    explicit Screen(std::string name = "Screen") : Component(std::move(name)) {}
    Cursor GetCursor() const { return cursor_; }
    void SetCursor(Cursor c);

  private:
    Cursor cursor_ = Cursor::Default;
};

}  // namespace ui
