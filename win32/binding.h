// Real windows for control models: pushes the program's changes to the windows without running
// handlers, and turns the user's notifications into the models' user events.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/boundary.h"
#include "ui/ui.h"

namespace win32 {

// An icon made from a picture; destroyed with the object.
class Icon {
  public:
    Icon() = default;
    explicit Icon(HICON h) : h_(h) {}
    ~Icon();
    Icon(Icon&& other) noexcept : h_(other.h_) { other.h_ = nullptr; }
    Icon& operator=(Icon&& other) noexcept;
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;
    HICON get() const { return h_; }

  private:
    HICON h_ = nullptr;
};

// The colour of the bottom-left pixel is transparent. An empty picture gives no icon.
Icon MakeIcon(const ui::Bitmap& picture);

// Registers the common-control classes the binding creates. False when the system lacks
// InitCommonControlsEx (or it fails) and the older call registered them.
bool InitCommonControlClasses();

class Module;

class Binding final : public ui::Observer {
  public:
    // A shown menu's items get command ids from here on, in the order shown.
    static constexpr UINT kFirstMenuCommand = 0xE000;

    Binding();
    ~Binding() override;
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    // The boundary the window procedures run the models' handlers through; without one an
    // error is shown in a plain error box.
    void SetBoundary(plat::ErrorBoundary* boundary) { boundary_ = boundary; }
    template <class F>
    void Guard(F&& entry) {
        (boundary_ ? *boundary_ : fallback_).Run(std::forward<F>(entry));
    }

    // The form's top-level window with a child window for every control of its tree, and its
    // listed popup menus and screen. Shown when the model is. nullptr on failure.
    HWND CreateFormWindow(ui::Form& form);
    // Binds the controls of root's tree that carry an id to a dialog's children of those ids.
    // Their bounds (and an empty caption) are taken from the template; the rest of their state
    // is pushed to the windows. Returns what the template does not have as the models declare
    // it (a missing control, another class or style), one line each; nothing is copied over.
    std::vector<std::string> AttachDialog(HWND dialog, ui::Control& root);
    // A menu shown from the owner window; its choice comes back through that window.
    void BindMenu(ui::PopupMenu& menu, HWND owner);
    void BindScreen(ui::Screen& screen);

    // For a dialog procedure of an attached dialog: handles what its bound controls send
    // (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM) and menu choices. True when handled,
    // with the value to return in result.
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    HWND WindowOf(const ui::Component& c) const;
    ui::Control* ControlOf(HWND hwnd) const;

    void Changed(ui::Component& c, ui::Change what) override;

    // Internal: the window procedures dispatch here.
    LRESULT FormMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT SubclassMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT GraphMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  private:
    struct Bound {
        ui::Control* model = nullptr;
        HWND hwnd = nullptr;
        HWND container = nullptr;           // form window or dialog
        const ui::Control* root = nullptr;  // the tree's root model
        bool created = false;               // made here (else the dialog's)
        WNDPROC oldProc = nullptr;          // when subclassed
        std::vector<std::string> items;     // list contents as pushed
        std::vector<std::string> tabs;      // tab captions as pushed
        RECT placed{};                      // where it was last put
        HFONT font = nullptr;               // as last set
    };
    struct Menu {
        ui::PopupMenu* menu = nullptr;
        HWND owner = nullptr;
    };

    // Creation.
    void CreateTree(ui::Control& c, HWND container, const ui::Control* root);
    void AttachTree(ui::Control& c, HWND dialog, const ui::Control* root,
                    std::vector<std::string>& mismatches);
    HWND CreateControlWindow(ui::Control& c, HWND container);
    Bound& Register(ui::Control& c, HWND hwnd, HWND container, const ui::Control* root,
                    bool created);
    void Subclass(Bound& b);
    void Unbind(ui::Component& c);
    void Release(Bound& b);  // gives the window back to the model-less world

    // Pushing model state to windows (never runs handlers).
    void PushAll(Bound& b);
    void PushText(Bound& b);
    void PushList(Bound& b);
    void PushTabs(Bound& b);
    void PushGrid(Bound& b);
    void PushStyle(Bound& b);
    void PushProgress(Bound& b);
    void PushChecked(Bound& b);
    void Command(ui::Control& c, HWND ctl, UINT code);
    void Notification(ui::Control& c, const NMHDR& n);
    void UpdateTree(const ui::Control& c);  // visibility, enabled state, place, font
    void UpdateOne(Bound& b);

    POINT Position(const ui::Control& c) const;     // top left in container coordinates
    POINT ChildOrigin(const ui::Control& c) const;  // where its children's coordinates start
    RECT WantedRect(const Bound& b) const;
    bool ShownInContainer(const Bound& b) const;
    bool EnabledInContainer(const Bound& b) const;

    HFONT FontFor(const ui::Font& f);
    HBRUSH BrushFor(COLORREF c);
    LRESULT ControlColor(HDC dc, HWND child, UINT msg, HWND container, bool& handled);
    void DrawImage(const DRAWITEMSTRUCT& di);
    // A graph draws its picture and then the see-through labels and pictures that lie over it,
    // which get no window of their own, off screen and in one copy.
    void DrawGraph(HDC dc, ui::Control& graph);
    static const ui::Control* GraphUnder(const ui::Control& c);
    void ShowPopup(ui::PopupMenu& menu);
    void FreeForm(ui::Form& form);

    Bound* Find(const ui::Component& c);
    const Bound* Find(const ui::Component& c) const;

    std::map<const ui::Component*, Bound> bound_;
    std::map<HWND, ui::Control*> byWindow_;
    std::set<const ui::Control*> roots_;
    std::map<const ui::Component*, Menu> menus_;
    // The items of the menu shown last, by command id; checked against the menu when chosen.
    std::map<UINT, std::pair<ui::PopupMenu*, ui::MenuItem*>> commands_;
    ui::Screen* screen_ = nullptr;
    std::map<std::string, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
    // Where the system themes controls, the tab control is kept classic like the rest.
    std::unique_ptr<Module> uxtheme_;
    HRESULT(WINAPI* setWindowTheme_)(HWND, LPCWSTR, LPCWSTR) = nullptr;
    plat::ErrorBoundary* boundary_ = nullptr;
    plat::ErrorBoundary fallback_;
    int suppress_ = 0;  // pushing: notifications the windows send back are ours
    int nextId_ = 0x1000;
};

}  // namespace win32
