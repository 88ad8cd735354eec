// Making windows for a form and its controls: our window classes, each control's class and
// style, and where each window goes, how big, with what font, enabled and shown.
#include <cstdint>

#include "win32/binding_internal.h"

namespace win32 {

using binding_detail::Pushing;
using binding_detail::StaticStyle;
using binding_detail::Style;

namespace {

constexpr char kFormClass[] = "VelmoraForm";
constexpr char kGraphClass[] = "VelmoraGraph";
// Height of a combo box's drop-down list, added to the edit part's height.
constexpr int kComboListHeight = 200;

DWORD EditStyle(const ui::Edit& e) {
    DWORD s = ES_AUTOHSCROLL;
    if (e.ReadOnly()) s |= ES_READONLY;
    if (e.UpperCase()) s |= ES_UPPERCASE;
    return s;
}

// Registers a window class of ours once; false when it cannot be.
bool EnsureClass(const char* name, WNDPROC proc, UINT style, HBRUSH background) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, name, &existing)) return true;
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

namespace binding_detail {

DWORD StaticStyle(const ui::Label& l) {
    DWORD s = SS_NOPREFIX;
    switch (l.GetAlignment()) {
        case ui::Alignment::Left:
            s |= SS_LEFT;
            break;
        case ui::Alignment::Center:
            s |= SS_CENTER;
            break;
        case ui::Alignment::Right:
            s |= SS_RIGHT;
            break;
    }
    if (l.GetLayout() == ui::Layout::Center) s |= SS_CENTERIMAGE;
    if (l.GetKind() == ui::Kind::StaticText) {
        switch (static_cast<const ui::StaticText&>(l).GetBorder()) {
            case ui::Border::None:
                break;
            case ui::Border::Single:
                s |= WS_BORDER;
                break;
            case ui::Border::Sunken:
                s |= SS_SUNKEN;
                break;
        }
    }
    return s;
}

}  // namespace binding_detail

HWND Binding::CreateFormWindow(ui::Form& form) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!EnsureClass(kFormClass, binding_detail::FormProc, CS_DBLCLKS,
                     reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)))) {
        return nullptr;
    }
    DWORD style = WS_CLIPCHILDREN, ex = 0;
    switch (form.GetBorderStyle()) {
        case ui::BorderStyle::Dialog:
            style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
            ex |= WS_EX_DLGMODALFRAME;
            break;
        case ui::BorderStyle::Single:
            style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
            break;
        case ui::BorderStyle::Sizeable:
            style |= WS_OVERLAPPEDWINDOW;
            break;
        case ui::BorderStyle::None:
            style |= WS_POPUP;
            break;
    }
    RECT r{0, 0, form.ClientWidth(), form.ClientHeight()};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    const int width = r.right - r.left, height = r.bottom - r.top;
    int x = form.Left(), y = form.Top();
    if (form.Position() == ui::FormPosition::ScreenCenter) {
        RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        x = work.left + (work.right - work.left - width) / 2;
        y = work.top + (work.bottom - work.top - height) / 2;
    }
    HWND hwnd = CreateWindowExA(ex, kFormClass, form.Caption().c_str(), style, x, y, width, height,
                                nullptr, nullptr, instance, this);
    if (!hwnd) return nullptr;
    Bound& b = Register(form, hwnd, hwnd, &form, true);
    b.placed = RECT{0, 0, form.ClientWidth(), form.ClientHeight()};
    roots_.insert(&form);
    form.SetHandle(reinterpret_cast<std::uintptr_t>(hwnd));
    {
        Pushing p(suppress_);
        for (ui::Control* child : form.Children()) CreateTree(*child, hwnd, &form);
    }
    for (ui::Component* c : form.Components()) {
        if (auto* menu = dynamic_cast<ui::PopupMenu*>(c)) BindMenu(*menu, hwnd);
        if (auto* screen = dynamic_cast<ui::Screen*>(c)) BindScreen(*screen);
    }
    UpdateOne(b);
    return hwnd;
}

void Binding::CreateTree(ui::Control& c, HWND container, const ui::Control* root) {
    if (Find(c)) return;
    HWND h = CreateControlWindow(c, container);
    Bound& b = Register(c, h, container, root, true);
    if (h && c.GetKind() == ui::Kind::PageControl && setWindowTheme_)
        setWindowTheme_(h, L" ", L" ");
    if (c.GetKind() == ui::Kind::Edit || c.GetKind() == ui::Kind::GroupBox ||
        c.GetKind() == ui::Kind::PageControl) {
        Subclass(b);
    }
    PushAll(b);
    for (ui::Control* child : c.Children()) CreateTree(*child, container, root);
    // Frames lie under what they hold.
    if (h && (c.GetKind() == ui::Kind::PageControl || c.GetKind() == ui::Kind::GroupBox)) {
        SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

HWND Binding::CreateControlWindow(ui::Control& c, HWND container) {
    const char* cls = nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS, ex = 0;
    switch (c.GetKind()) {
        case ui::Kind::Form:
        case ui::Kind::TabSheet:
            return nullptr;  // a page is its page control's area
        case ui::Kind::Button:
            cls = "BUTTON", style |= BS_PUSHBUTTON | WS_TABSTOP;
            break;
        case ui::Kind::CheckBox:
            cls = "BUTTON", style |= BS_CHECKBOX | WS_TABSTOP;
            break;
        case ui::Kind::RadioButton:
            cls = "BUTTON", style |= BS_RADIOBUTTON | WS_TABSTOP;
            break;
        case ui::Kind::GroupBox:
            cls = "BUTTON", style |= BS_GROUPBOX;
            break;
        case ui::Kind::Label:
        case ui::Kind::StaticText:
            cls = "STATIC";
            style |= StaticStyle(static_cast<ui::Label&>(c));
            break;
        case ui::Kind::Edit:
            cls = "EDIT";
            style |= WS_TABSTOP | EditStyle(static_cast<ui::Edit&>(c));
            ex |= WS_EX_CLIENTEDGE;
            break;
        case ui::Kind::ComboBox:
            cls = "COMBOBOX";
            style |= WS_VSCROLL | WS_TABSTOP |
                     (static_cast<ui::ComboBox&>(c).Style() == ui::ComboStyle::DropDown
                          ? CBS_DROPDOWN | CBS_AUTOHSCROLL
                          : CBS_DROPDOWNLIST);
            break;
        case ui::Kind::ListBox:
            cls = "LISTBOX";
            style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
            ex |= WS_EX_CLIENTEDGE;
            break;
        case ui::Kind::ProgressBar:
            cls = PROGRESS_CLASSA;
            break;
        case ui::Kind::PageControl:
            cls = WC_TABCONTROLA, style |= WS_TABSTOP;
            break;
        case ui::Kind::StringGrid:
            cls = WC_LISTVIEWA;
            style |= LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP;
            // Ranges are of whole rows: a list view selects no single cells.
            if (!static_cast<ui::StringGrid&>(c).RangeSelect()) style |= LVS_SINGLESEL;
            if (static_cast<ui::StringGrid&>(c).FixedRows() == 0) style |= LVS_NOCOLUMNHEADER;
            ex |= WS_EX_CLIENTEDGE;
            break;
        case ui::Kind::Image:
            cls = "STATIC", style |= SS_OWNERDRAW;
            break;
        case ui::Kind::PerformanceGraph:
            if (!EnsureClass(kGraphClass, binding_detail::GraphProc, 0, nullptr)) return nullptr;
            cls = kGraphClass;
            break;
    }
    if (GraphUnder(c)) return nullptr;  // drawn by the graph
    int id = c.Id() != 0 ? c.Id() : nextId_++;
    return CreateWindowExA(ex, cls, "", style, 0, 0, 0, 0, container,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr),
                           c.GetKind() == ui::Kind::PerformanceGraph ? this : nullptr);
}

// Where things go

POINT Binding::ChildOrigin(const ui::Control& c) const {
    if (!c.Parent() || roots_.count(&c)) return POINT{0, 0};
    if (c.GetKind() == ui::Kind::TabSheet) {
        const ui::Control& pc = *c.Parent();
        POINT p = Position(pc);
        const Bound* pb = Find(pc);
        if (pb && pb->hwnd) {
            RECT rc{0, 0, pc.Width(), pc.Height()};
            SendMessageA(pb->hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
            return POINT{p.x + rc.left, p.y + rc.top};
        }
        return POINT{p.x + c.Left(), p.y + c.Top()};
    }
    return Position(c);
}

POINT Binding::Position(const ui::Control& c) const {
    if (!c.Parent() || roots_.count(&c)) return POINT{0, 0};
    POINT o = ChildOrigin(*c.Parent());
    return POINT{o.x + c.Left(), o.y + c.Top()};
}

RECT Binding::WantedRect(const Bound& b) const {
    POINT p = Position(*b.model);
    int h = b.model->Height();
    if (b.model->GetKind() == ui::Kind::ComboBox) h += kComboListHeight;
    return RECT{p.x, p.y, p.x + b.model->Width(), p.y + h};
}

bool Binding::ShownInContainer(const Bound& b) const {
    for (const ui::Control* x = b.model; x && x != b.root; x = x->Parent()) {
        if (!x->Visible()) return false;
        if (x->Parent() && !x->Parent()->ShowsChild(*x)) return false;
    }
    return true;
}

bool Binding::EnabledInContainer(const Bound& b) const {
    for (const ui::Control* x = b.model; x && x != b.root; x = x->Parent()) {
        if (!x->Enabled()) return false;
    }
    return true;
}

void Binding::UpdateOne(Bound& b) {
    if (!b.hwnd) return;
    Pushing p(suppress_);
    if (b.hwnd == b.container && b.created) {
        auto& form = static_cast<ui::Form&>(*b.model);
        RECT want{0, 0, form.ClientWidth(), form.ClientHeight()};
        if (!EqualRect(&want, &b.placed)) {
            RECT r = want;
            AdjustWindowRectEx(&r, static_cast<DWORD>(Style(b.hwnd)), FALSE,
                               static_cast<DWORD>(GetWindowLongPtrA(b.hwnd, GWL_EXSTYLE)));
            SetWindowPos(b.hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            b.placed = want;
        }
        bool enabled = form.Enabled();
        if ((IsWindowEnabled(b.hwnd) != FALSE) != enabled) EnableWindow(b.hwnd, enabled);
        bool show = form.Visible() && !form.Freed();
        if ((IsWindowVisible(b.hwnd) != FALSE) != show)
            ShowWindow(b.hwnd, show ? SW_SHOW : SW_HIDE);
        return;
    }
    RECT want = WantedRect(b);
    if (!EqualRect(&want, &b.placed)) {
        SetWindowPos(b.hwnd, nullptr, want.left, want.top, want.right - want.left,
                     want.bottom - want.top, SWP_NOZORDER | SWP_NOACTIVATE);
        b.placed = want;
    }
    if (b.created || b.model->HasOwnFont()) {
        HFONT f = FontFor(b.model->GetFont());
        if (f != b.font) {
            SendMessageA(b.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
            b.font = f;
        }
    }
    bool enabled = EnabledInContainer(b);
    if ((IsWindowEnabled(b.hwnd) != FALSE) != enabled) EnableWindow(b.hwnd, enabled);
    bool show = ShownInContainer(b);
    bool shown = (Style(b.hwnd) & WS_VISIBLE) != 0;
    if (show != shown) ShowWindow(b.hwnd, show ? SW_SHOWNA : SW_HIDE);
}

void Binding::UpdateTree(const ui::Control& c) {
    if (Bound* b = Find(c)) UpdateOne(*b);
    for (const ui::Control* child : c.Children()) UpdateTree(*child);
}

}  // namespace win32
