// The Binding object: its registry of bound controls, menus and screen, the lookups, and the
// lifetime of what it binds; model changes are routed from here to the pushes.
#include "win32/binding.h"

#include <memory>
#include <string>
#include <vector>

#include "win32/binding_internal.h"
#include "win32/module.h"

namespace win32 {

using binding_detail::kBindingProp;
using binding_detail::Pushing;

namespace binding_detail {

std::string WindowText(HWND h) {
    int n = GetWindowTextLengthA(h);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    int got = GetWindowTextA(h, s.data(), n + 1);
    s.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return s;
}

LONG_PTR Style(HWND h) {
    return GetWindowLongPtrA(h, GWL_STYLE);
}

}  // namespace binding_detail

bool InitCommonControlClasses() {
    // The first releases of Windows 95 and NT 4 lack the Ex call; the plain one registers every
    // class there, these among them.
    const Module comctl("comctl32.dll");
    BOOL(WINAPI * initEx)(const INITCOMMONCONTROLSEX*) = nullptr;
    if (comctl.Get("InitCommonControlsEx", initEx)) {
        INITCOMMONCONTROLSEX icc{};
        icc.dwSize = sizeof(icc);
        icc.dwICC = ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES;
        if (initEx(&icc)) return true;
    }
    InitCommonControls();
    return false;
}

Binding::Binding()
    : fallback_([](std::string_view text) {
          MessageBoxA(nullptr, std::string(text).c_str(), "Error", MB_OK | MB_ICONERROR);
      }) {
    InitCommonControlClasses();
    // Absent before XP.
    uxtheme_ = std::make_unique<Module>("uxtheme.dll");
    uxtheme_->Get("SetWindowTheme", setWindowTheme_);
}

Binding::~Binding() {
    for (auto& [component, menu] : menus_) menu.menu->SetObserver(nullptr);
    menus_.clear();
    if (screen_) screen_->SetObserver(nullptr);
    // Forms first: their windows take their children with them.
    std::vector<ui::Form*> forms;
    for (auto& [component, b] : bound_) {
        if (b.created && b.hwnd && b.hwnd == b.container) {
            forms.push_back(static_cast<ui::Form*>(b.model));
        }
    }
    for (ui::Form* f : forms) FreeForm(*f);
    while (!bound_.empty()) Release(bound_.begin()->second);
    for (auto& [key, font] : fonts_) DeleteObject(font);
    for (auto& [color, brush] : brushes_) DeleteObject(brush);
}

Binding::Bound* Binding::Find(const ui::Component& c) {
    auto it = bound_.find(&c);
    return it == bound_.end() ? nullptr : &it->second;
}

const Binding::Bound* Binding::Find(const ui::Component& c) const {
    auto it = bound_.find(&c);
    return it == bound_.end() ? nullptr : &it->second;
}

HWND Binding::WindowOf(const ui::Component& c) const {
    const Bound* b = Find(c);
    return b ? b->hwnd : nullptr;
}

ui::Control* Binding::ControlOf(HWND hwnd) const {
    auto it = byWindow_.find(hwnd);
    return it == byWindow_.end() ? nullptr : it->second;
}

void Binding::BindMenu(ui::PopupMenu& menu, HWND owner) {
    menus_[&menu] = Menu{&menu, owner};
    menu.SetObserver(this);
}

void Binding::BindScreen(ui::Screen& screen) {
    screen_ = &screen;
    screen.SetObserver(this);
}

Binding::Bound& Binding::Register(ui::Control& c, HWND hwnd, HWND container,
                                  const ui::Control* root, bool created) {
    Bound& b = bound_[&c];
    b.model = &c;
    b.hwnd = hwnd;
    b.container = container;
    b.root = root;
    b.created = created;
    if (hwnd) byWindow_[hwnd] = &c;
    c.SetObserver(this);
    return b;
}

void Binding::Release(Bound& b) {
    if (b.hwnd && IsWindow(b.hwnd)) {
        if (b.oldProc) {
            SetWindowLongPtrA(b.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(b.oldProc));
            RemovePropA(b.hwnd, kBindingProp);
        }
        if (b.created && b.hwnd != b.container) DestroyWindow(b.hwnd);
    }
    if (b.hwnd) byWindow_.erase(b.hwnd);
    b.model->SetObserver(nullptr);
    roots_.erase(b.model);
    bound_.erase(b.model);
}

void Binding::Unbind(ui::Component& c) {
    if (menus_.erase(&c)) commands_.clear();
    if (screen_ == &c) screen_ = nullptr;
    Bound* b = Find(c);
    if (!b) return;
    if (b->created && b->hwnd && b->hwnd == b->container) {
        // A form model going away takes its window and every control of it.
        HWND hwnd = b->hwnd;
        std::vector<Bound*> tree;
        for (auto& [component, other] : bound_) {
            if (other.container == hwnd && &other != b) tree.push_back(&other);
        }
        for (Bound* other : tree) {
            other->created = false;  // the form's window destroys them
            Release(*other);
        }
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        byWindow_.erase(hwnd);
        roots_.erase(b->model);
        bound_.erase(&c);
        DestroyWindow(hwnd);
        return;
    }
    Release(*b);
}

void Binding::FreeForm(ui::Form& form) {
    Bound* b = Find(form);
    if (!b || b->hwnd != b->container) return;
    HWND hwnd = b->hwnd;
    for (auto it = menus_.begin(); it != menus_.end();) {
        if (it->second.owner == hwnd) {
            it->second.menu->SetObserver(nullptr);
            it = menus_.erase(it);
            commands_.clear();
        } else {
            ++it;
        }
    }
    std::vector<Bound*> tree;
    for (auto& [component, other] : bound_) {
        if (other.container == hwnd && &other != b) tree.push_back(&other);
    }
    for (Bound* other : tree) {
        other->created = false;
        Release(*other);
    }
    form.SetHandle(0);
    form.SetObserver(nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    byWindow_.erase(hwnd);
    roots_.erase(&form);
    bound_.erase(&form);
    DestroyWindow(hwnd);
}

void Binding::Changed(ui::Component& c, ui::Change what) {
    if (what == ui::Change::Destroyed) {
        Unbind(c);
        return;
    }
    if (auto it = menus_.find(&c); it != menus_.end()) {
        if (what == ui::Change::Popup) ShowPopup(*it->second.menu);
        return;
    }
    if (&c == screen_) {
        if (what == ui::Change::Cursor) {
            bool busy = screen_->GetCursor() == ui::Cursor::HourGlass;
            ::SetCursor(
                LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(busy ? IDC_WAIT : IDC_ARROW)));
        }
        return;
    }
    Bound* b = Find(c);
    if (!b) return;
    Pushing p(suppress_);
    ui::Control& model = *b->model;
    if (const ui::Control* graph = b->hwnd ? nullptr : GraphUnder(model)) {
        if (const Bound* gb = Find(*graph); gb && gb->hwnd)
            InvalidateRect(gb->hwnd, nullptr, FALSE);
        return;
    }
    switch (what) {
        case ui::Change::Text:
            if (model.GetKind() == ui::Kind::TabSheet) {
                if (Bound* pc = model.Parent() ? Find(*model.Parent()) : nullptr) PushTabs(*pc);
            } else if (model.GetKind() == ui::Kind::ComboBox) {
                PushList(*b);
            } else {
                PushText(*b);
            }
            break;
        case ui::Change::Bounds:
        case ui::Change::Visible:
        case ui::Change::Enabled:
        case ui::Change::TextFont:
            UpdateTree(model);
            break;
        case ui::Change::BackColor:
        case ui::Change::Picture:
            if (b->hwnd) InvalidateRect(b->hwnd, nullptr, TRUE);
            break;
        case ui::Change::Repaint:
            if (b->hwnd) {
                InvalidateRect(b->hwnd, nullptr, TRUE);
                UpdateWindow(b->hwnd);
            }
            break;
        case ui::Change::Style:
            PushStyle(*b);
            break;
        case ui::Change::Checked:
            PushChecked(*b);
            break;
        case ui::Change::Items:
        case ui::Change::ItemIndex:
            PushList(*b);
            break;
        case ui::Change::Range:
        case ui::Change::Position:
        case ui::Change::BarColor:
            PushProgress(*b);
            break;
        case ui::Change::Pages:
            PushTabs(*b);
            break;
        case ui::Change::Cells:
            PushGrid(*b);
            break;
        case ui::Change::Selection: {
            auto& g = static_cast<ui::StringGrid&>(model);
            if (b->hwnd) {
                LVITEMA item{};
                item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
                item.state = LVIS_SELECTED | LVIS_FOCUSED;
                SendMessageA(b->hwnd, LVM_SETITEMSTATE,
                             static_cast<WPARAM>(g.Row() - g.FixedRows()),
                             reinterpret_cast<LPARAM>(&item));
            }
            break;
        }
        case ui::Change::Children:
            if (b->created) {
                for (ui::Control* child : model.Children())
                    CreateTree(*child, b->container, b->root);
            }
            break;
        case ui::Change::Foreground:
            if (b->hwnd) SetForegroundWindow(b->hwnd);
            break;
        case ui::Change::Freed:
            if (model.GetKind() == ui::Kind::Form) FreeForm(static_cast<ui::Form&>(model));
            break;
        default:
            break;
    }
}

void Binding::ShowPopup(ui::PopupMenu& menu) {
    auto it = menus_.find(&menu);
    if (it == menus_.end() || !menu.LastPopup()) return;
    HWND owner = it->second.owner;
    if (!owner || !IsWindow(owner)) return;
    HMENU h = CreatePopupMenu();
    if (!h) return;
    commands_.clear();
    UINT id = kFirstMenuCommand;
    for (ui::MenuItem* item : menu.Items()) {
        if (!item->Visible()) continue;
        AppendMenuA(h, MF_STRING | (item->Enabled() ? 0u : MF_GRAYED), id, item->Caption().c_str());
        commands_[id++] = {&menu, item};
    }
    const ui::PopupRecord& at = *menu.LastPopup();
    // The choice comes back as WM_COMMAND once the menu has closed.
    TrackPopupMenu(h, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    // Lets a menu opened from the tray close when the user clicks elsewhere.
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(h);
}

}  // namespace win32
