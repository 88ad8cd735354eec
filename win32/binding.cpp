#include "win32/binding.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace win32 {

namespace {

constexpr char kFormClass[] = "VelmoraForm";
constexpr char kGraphClass[] = "VelmoraGraph";
constexpr char kBindingProp[] = "VelmoraBinding";
// Height of a combo box's drop-down list, added to the edit part's height.
constexpr int kComboListHeight = 200;
constexpr UINT kSetBarColor = 0x0409;  // PBM_SETBARCOLOR

COLORREF Resolve(ui::Color c, int fallbackIndex) {
    if (c == ui::kClDefault) return GetSysColor(fallbackIndex);
    if (ui::IsSystemColor(c)) return GetSysColor(ui::SystemColorIndex(c));
    return static_cast<COLORREF>(c & 0xFFFFFFu);
}

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

void SetStyleBits(HWND h, LONG_PTR mask, LONG_PTR bits) {
    LONG_PTR old = Style(h);
    LONG_PTR now = (old & ~mask) | bits;
    if (now == old) return;
    SetWindowLongPtrA(h, GWL_STYLE, now);
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(h, nullptr, TRUE);
}

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

DWORD EditStyle(const ui::Edit& e) {
    DWORD s = ES_AUTOHSCROLL;
    if (e.ReadOnly()) s |= ES_READONLY;
    if (e.UpperCase()) s |= ES_UPPERCASE;
    return s;
}

const ui::Captioned* AsCaptioned(const ui::Control& c) {
    return dynamic_cast<const ui::Captioned*>(&c);
}

// The binding rides in the window's user data from creation on (lpCreateParams).
template <LRESULT (Binding::*Handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK BoundProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    if (auto* b = reinterpret_cast<Binding*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
        LRESULT result = 0;
        b->Guard([&] { result = (b->*Handler)(hwnd, msg, wp, lp); });
        return result;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
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

bool IsSeeThrough(const ui::Control& c) {
    if (auto* l = dynamic_cast<const ui::Label*>(&c)) {
        return c.GetKind() == ui::Kind::Label && l->Transparent();
    }
    if (auto* i = dynamic_cast<const ui::Image*>(&c)) return i->Transparent();
    return false;
}

bool Overlaps(const ui::Control& a, const ui::Control& b) {
    return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() &&
           a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
}

// A 32-bit picture with its rows from the top.
BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// 0x00BBGGRR to a DIB's 0x00RRGGBB.
std::uint32_t ToDib(ui::Color c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (auto* b = static_cast<Binding*>(GetPropA(hwnd, kBindingProp))) {
        LRESULT result = 0;
        b->Guard([&] { result = b->SubclassMessage(hwnd, msg, wp, lp); });
        return result;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Counts a push in progress for as long as it lives.
class Pushing {
  public:
    explicit Pushing(int& n) : n_(n) { ++n_; }
    ~Pushing() { --n_; }
    Pushing(const Pushing&) = delete;
    Pushing& operator=(const Pushing&) = delete;

  private:
    int& n_;
};

}  // namespace

// Icon

Icon::~Icon() {
    if (h_) DestroyIcon(h_);
}

Icon& Icon::operator=(Icon&& other) noexcept {
    if (this != &other) {
        if (h_) DestroyIcon(h_);
        h_ = other.h_;
        other.h_ = nullptr;
    }
    return *this;
}

Icon MakeIcon(const ui::Bitmap& picture) {
    if (picture.Empty()) return Icon();
    const int w = picture.Width(), h = picture.Height();
    const ui::Color key = picture.Pixel(0, h - 1);

    const BITMAPINFO bi = TopDown32(w, h);
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    // Monochrome rows are padded to 16 bits; a set bit is transparent.
    const int stride = ((w + 15) / 16) * 2;
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(stride) * h, 0);
    if (!color || !bits) {
        if (color) DeleteObject(color);
        return Icon();
    }
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            ui::Color c = picture.Pixel(x, y);
            std::uint32_t& px = out[static_cast<std::size_t>(y) * w + x];
            if (c == key) {
                px = 0;
                mask[static_cast<std::size_t>(y) * stride + x / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
            } else {
                px = 0xFF000000u | ToDib(c);
            }
        }
    }
    HBITMAP monochrome = CreateBitmap(w, h, 1, 1, mask.data());
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = monochrome;
    info.hbmColor = color;
    HICON icon = monochrome ? CreateIconIndirect(&info) : nullptr;
    if (monochrome) DeleteObject(monochrome);
    DeleteObject(color);
    return Icon(icon);
}

// Binding

Binding::Binding()
    : fallback_([](std::string_view text) {
          MessageBoxA(nullptr, std::string(text).c_str(), "Error", MB_OK | MB_ICONERROR);
      }) {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&icc);
    // Absent before XP.
    uxtheme_ = LoadLibraryA("uxtheme.dll");
    if (uxtheme_) {
        setWindowTheme_ = reinterpret_cast<decltype(setWindowTheme_)>(
            reinterpret_cast<void*>(GetProcAddress(uxtheme_, "SetWindowTheme")));
    }
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
    if (uxtheme_) FreeLibrary(uxtheme_);
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

HWND Binding::CreateFormWindow(ui::Form& form) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!EnsureClass(kFormClass, BoundProc<&Binding::FormMessage>, CS_DBLCLKS,
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

void Binding::AttachDialog(HWND dialog, ui::Control& root) {
    roots_.insert(&root);
    Pushing p(suppress_);
    for (ui::Control* child : root.Children()) AttachTree(*child, dialog, &root);
}

void Binding::AttachTree(ui::Control& c, HWND dialog, const ui::Control* root) {
    HWND h = c.Id() != 0 ? GetDlgItem(dialog, c.Id()) : nullptr;
    if (h && !Find(c)) {
        // Adopt what the template says before watching the model, so nothing is pushed back.
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
        POINT o = c.Parent() ? ChildOrigin(*c.Parent()) : POINT{0, 0};
        c.SetBounds(r.left - o.x, r.top - o.y, r.right - r.left, r.bottom - r.top);
        if (auto* captioned = dynamic_cast<ui::Captioned*>(&c);
            captioned && captioned->Caption().empty()) {
            captioned->SetCaption(WindowText(h));
        }
        if (auto* combo = dynamic_cast<ui::ComboBox*>(&c)) {
            LONG_PTR s = Style(h);
            combo->SetStyle((s & 3) == CBS_DROPDOWNLIST ? ui::ComboStyle::DropDownList
                                                        : ui::ComboStyle::DropDown);
            if (s & CBS_SORT) combo->SetSorted(true);
        }
        if (auto* list = dynamic_cast<ui::ListBox*>(&c); list && (Style(h) & LBS_SORT)) {
            list->SetSorted(true);
        }
        Bound& b = Register(c, h, dialog, root, false);
        b.placed = WantedRect(b);
        if (c.GetKind() == ui::Kind::Edit) Subclass(b);
        PushAll(b);
    }
    for (ui::Control* child : c.Children()) AttachTree(*child, dialog, root);
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

void Binding::Subclass(Bound& b) {
    if (!b.hwnd || b.oldProc) return;
    SetPropA(b.hwnd, kBindingProp, this);
    b.oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(b.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
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
            if (!EnsureClass(kGraphClass, BoundProc<&Binding::GraphMessage>, 0, nullptr))
                return nullptr;
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

// Pushing state

void Binding::PushAll(Bound& b) {
    Pushing p(suppress_);
    UpdateOne(b);
    if (!b.hwnd) return;
    PushStyle(b);
    PushText(b);
    switch (b.model->GetKind()) {
        case ui::Kind::ComboBox:
        case ui::Kind::ListBox:
            PushList(b);
            break;
        case ui::Kind::PageControl:
            PushTabs(b);
            break;
        case ui::Kind::StringGrid:
            PushGrid(b);
            break;
        case ui::Kind::ProgressBar:
            PushProgress(b);
            break;
        case ui::Kind::CheckBox:
        case ui::Kind::RadioButton:
            PushChecked(b);
            break;
        default:
            break;
    }
}

void Binding::PushText(Bound& b) {
    if (!b.hwnd) return;
    Pushing p(suppress_);
    std::string text;
    switch (b.model->GetKind()) {
        case ui::Kind::Edit:
            text = static_cast<ui::Edit&>(*b.model).Text();
            break;
        case ui::Kind::ComboBox: {
            auto& cb = static_cast<ui::ComboBox&>(*b.model);
            if (cb.Style() != ui::ComboStyle::DropDown) return;
            text = cb.Text();
            break;
        }
        case ui::Kind::ListBox:
        case ui::Kind::ProgressBar:
        case ui::Kind::PageControl:
        case ui::Kind::StringGrid:
        case ui::Kind::Image:
            return;
        default:
            if (const ui::Captioned* c = AsCaptioned(*b.model)) text = c->Caption();
            break;
    }
    if (WindowText(b.hwnd) != text) SetWindowTextA(b.hwnd, text.c_str());
}

void Binding::PushList(Bound& b) {
    if (!b.hwnd) return;
    Pushing p(suppress_);
    const bool combo = b.model->GetKind() == ui::Kind::ComboBox;
    const auto& items = combo ? static_cast<ui::ComboBox&>(*b.model).Items()
                              : static_cast<ui::ListBox&>(*b.model).Items();
    const int selected = combo ? static_cast<ui::ComboBox&>(*b.model).ItemIndex()
                               : static_cast<ui::ListBox&>(*b.model).ItemIndex();
    if (items != b.items) {
        SendMessageA(b.hwnd, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
        // Inserting by index keeps the model's order even where the window sorts.
        for (std::size_t i = 0; i < items.size(); ++i) {
            SendMessageA(b.hwnd, combo ? CB_INSERTSTRING : LB_INSERTSTRING, i,
                         reinterpret_cast<LPARAM>(items[i].c_str()));
        }
        b.items = items;
    }
    const UINT get = combo ? CB_GETCURSEL : LB_GETCURSEL, set = combo ? CB_SETCURSEL : LB_SETCURSEL;
    if (static_cast<int>(SendMessageA(b.hwnd, get, 0, 0)) != selected) {
        SendMessageA(b.hwnd, set, static_cast<WPARAM>(selected), 0);
    }
    if (combo) PushText(b);
}

void Binding::PushTabs(Bound& b) {
    if (!b.hwnd) return;
    Pushing p(suppress_);
    auto& pc = static_cast<ui::PageControl&>(*b.model);
    std::vector<std::string> captions;
    for (ui::TabSheet* t : pc.VisibleTabs()) captions.push_back(t->Caption());
    if (captions != b.tabs) {
        SendMessageA(b.hwnd, TCM_DELETEALLITEMS, 0, 0);
        for (std::size_t i = 0; i < captions.size(); ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = captions[i].data();
            SendMessageA(b.hwnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
        b.tabs = captions;
    }
    int current = pc.ActivePage() ? pc.TabIndexOf(*pc.ActivePage()) : -1;
    if (static_cast<int>(SendMessageA(b.hwnd, TCM_GETCURSEL, 0, 0)) != current) {
        SendMessageA(b.hwnd, TCM_SETCURSEL, static_cast<WPARAM>(current), 0);
    }
    for (const ui::Control* page : pc.Children()) UpdateTree(*page);
}

void Binding::PushGrid(Bound& b) {
    if (!b.hwnd) return;
    Pushing p(suppress_);
    auto& g = static_cast<ui::StringGrid&>(*b.model);
    SendMessageA(b.hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageA(b.hwnd, LVM_DELETEALLITEMS, 0, 0);
    while (SendMessageA(b.hwnd, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (int col = 0; col < g.ColCount(); ++col) {
        std::string header = g.FixedRows() > 0 ? g.Cell(col, 0) : std::string();
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        c.fmt = LVCFMT_LEFT;
        c.cx = g.ColWidth(col);
        c.pszText = header.data();
        SendMessageA(b.hwnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(col),
                     reinterpret_cast<LPARAM>(&c));
    }
    for (int row = g.FixedRows(); row < g.RowCount(); ++row) {
        for (int col = 0; col < g.ColCount(); ++col) {
            std::string text = g.Cell(col, row);
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = row - g.FixedRows();
            item.iSubItem = col;
            item.pszText = text.data();
            SendMessageA(b.hwnd, col == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA,
                         col == 0 ? 0 : static_cast<WPARAM>(item.iItem),
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageA(b.hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(b.hwnd, nullptr, TRUE);
}

void Binding::PushStyle(Bound& b) {
    if (!b.hwnd) return;
    Pushing p(suppress_);
    switch (b.model->GetKind()) {
        case ui::Kind::Label:
        case ui::Kind::StaticText:
            if (b.created) {
                SetStyleBits(b.hwnd, SS_TYPEMASK | SS_CENTERIMAGE | SS_SUNKEN | WS_BORDER,
                             StaticStyle(static_cast<ui::Label&>(*b.model)) & ~SS_NOPREFIX);
            }
            break;
        case ui::Kind::Edit: {
            auto& e = static_cast<ui::Edit&>(*b.model);
            SendMessageA(b.hwnd, EM_LIMITTEXT, static_cast<WPARAM>(e.MaxLength()), 0);
            SendMessageA(b.hwnd, EM_SETREADONLY, e.ReadOnly(), 0);
            if (SendMessageA(b.hwnd, EM_GETPASSWORDCHAR, 0, 0) !=
                static_cast<unsigned char>(e.PasswordChar())) {
                SendMessageA(b.hwnd, EM_SETPASSWORDCHAR,
                             static_cast<unsigned char>(e.PasswordChar()), 0);
                InvalidateRect(b.hwnd, nullptr, TRUE);
            }
            SetStyleBits(b.hwnd, ES_UPPERCASE, e.UpperCase() ? ES_UPPERCASE : 0);
            break;
        }
        case ui::Kind::ComboBox:
            SendMessageA(b.hwnd, CB_LIMITTEXT,
                         static_cast<WPARAM>(static_cast<ui::ComboBox&>(*b.model).MaxLength()), 0);
            break;
        case ui::Kind::StringGrid: {
            DWORD ex = LVS_EX_FULLROWSELECT;
            if (static_cast<ui::StringGrid&>(*b.model).GridLineWidth() > 0) ex |= LVS_EX_GRIDLINES;
            SendMessageA(b.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE,
                         LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, ex);
            break;
        }
        default:
            break;
    }
}

void Binding::PushProgress(Bound& b) {
    if (!b.hwnd) return;
    Pushing p(suppress_);
    auto& pb = static_cast<ui::ProgressBar&>(*b.model);
    SendMessageA(b.hwnd, PBM_SETRANGE32, static_cast<WPARAM>(pb.Min()), pb.Max());
    SendMessageA(b.hwnd, PBM_SETPOS, static_cast<WPARAM>(pb.Position()), 0);
    COLORREF bar =
        pb.BarColor() == ui::kClDefault ? CLR_DEFAULT : Resolve(pb.BarColor(), COLOR_HIGHLIGHT);
    SendMessageA(b.hwnd, kSetBarColor, 0, static_cast<LPARAM>(bar));
}

void Binding::PushChecked(Bound& b) {
    if (!b.hwnd) return;
    Pushing p(suppress_);
    bool checked = b.model->GetKind() == ui::Kind::CheckBox
                       ? static_cast<ui::CheckBox&>(*b.model).Checked()
                       : static_cast<ui::RadioButton&>(*b.model).Checked();
    WPARAM want = checked ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageA(b.hwnd, BM_GETCHECK, 0, 0)) != want) {
        SendMessageA(b.hwnd, BM_SETCHECK, want, 0);
    }
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
    if (it == menus_.end() || menu.Popups().empty()) return;
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
    const ui::PopupRecord& at = menu.Popups().back();
    // The choice comes back as WM_COMMAND once the menu has closed.
    TrackPopupMenu(h, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    // Lets a menu opened from the tray close when the user clicks elsewhere.
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(h);
}

// What the windows send

bool Binding::HandleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_COMMAND: {
            HWND ctl = reinterpret_cast<HWND>(lp);
            UINT code = HIWORD(wp);
            if (!ctl) {
                auto it = commands_.find(LOWORD(wp));
                if (code != 0 || it == commands_.end()) return false;
                auto [menu, item] = it->second;
                result = 0;
                if (menus_.count(menu)) {
                    const auto& items = menu->Items();
                    if (std::find(items.begin(), items.end(), item) != items.end()) {
                        item->UserClick();
                    }
                }
                return true;
            }
            ui::Control* c = ControlOf(ctl);
            if (!c) return false;
            result = 0;
            if (suppress_ == 0) Command(*c, ctl, code);
            return true;
        }
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMHDR*>(lp);
            ui::Control* c = n ? ControlOf(n->hwndFrom) : nullptr;
            if (!c) return false;
            result = 0;
            if (suppress_ == 0) Notification(*c, *n);
            return true;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: {
            bool handled = false;
            LRESULT r = ControlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg,
                                     hwnd, handled);
            if (handled) result = r;
            return handled;
        }
        case WM_DRAWITEM: {
            const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            ui::Control* c = di ? ControlOf(di->hwndItem) : nullptr;
            if (!c || c->GetKind() != ui::Kind::Image) return false;
            DrawImage(*di);
            result = TRUE;
            return true;
        }
        default:
            return false;
    }
}

void Binding::Command(ui::Control& c, HWND ctl, UINT code) {
    switch (c.GetKind()) {
        case ui::Kind::Button:
            if (code == BN_CLICKED) static_cast<ui::Button&>(c).UserClick();
            break;
        case ui::Kind::CheckBox:
            if (code == BN_CLICKED) {
                auto& box = static_cast<ui::CheckBox&>(c);
                LONG_PTR type = Style(ctl) & BS_TYPEMASK;
                if (type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE) {
                    box.UserSetChecked(SendMessageA(ctl, BM_GETCHECK, 0, 0) == BST_CHECKED);
                } else {
                    box.UserClick();
                }
                if (Bound* b = Find(c)) PushChecked(*b);  // a refused click leaves it as it was
            }
            break;
        case ui::Kind::RadioButton:
            if (code == BN_CLICKED) {
                static_cast<ui::RadioButton&>(c).UserClick();
                if (Bound* b = Find(c)) PushChecked(*b);
            }
            break;
        case ui::Kind::Edit:
            if (code == EN_CHANGE) static_cast<ui::Edit&>(c).UserEditText(WindowText(ctl));
            break;
        case ui::Kind::ComboBox: {
            auto& cb = static_cast<ui::ComboBox&>(c);
            if (code == CBN_SELCHANGE) {
                int i = static_cast<int>(SendMessageA(ctl, CB_GETCURSEL, 0, 0));
                if (i >= 0) cb.UserSelect(i);
            } else if (code == CBN_EDITCHANGE) {
                cb.UserEditText(WindowText(ctl));
            } else if (code == CBN_DROPDOWN) {
                cb.UserDropDown();
            }
            break;
        }
        case ui::Kind::ListBox: {
            auto& lb = static_cast<ui::ListBox&>(c);
            if (code == LBN_SELCHANGE) {
                int i = static_cast<int>(SendMessageA(ctl, LB_GETCURSEL, 0, 0));
                if (i >= 0) lb.UserSelect(i);
            } else if (code == LBN_DBLCLK) {
                lb.UserDoubleClick();
            }
            break;
        }
        default:
            break;
    }
}

void Binding::Notification(ui::Control& c, const NMHDR& n) {
    if (c.GetKind() == ui::Kind::PageControl && n.code == static_cast<UINT>(TCN_SELCHANGE)) {
        auto& pc = static_cast<ui::PageControl&>(c);
        int tab = static_cast<int>(SendMessageA(n.hwndFrom, TCM_GETCURSEL, 0, 0));
        auto tabs = pc.VisibleTabs();
        if (tab >= 0 && tab < static_cast<int>(tabs.size())) pc.UserChangePage(*tabs[tab]);
        if (Bound* b = Find(c)) PushTabs(*b);  // puts the tab back where a refusal left it
    } else if (c.GetKind() == ui::Kind::StringGrid &&
               n.code == static_cast<UINT>(LVN_ITEMCHANGED)) {
        const auto& lv = reinterpret_cast<const NMLISTVIEW&>(n);
        if ((lv.uChanged & LVIF_STATE) && (lv.uNewState & LVIS_SELECTED) &&
            !(lv.uOldState & LVIS_SELECTED) && lv.iItem >= 0) {
            auto& g = static_cast<ui::StringGrid&>(c);
            g.UserSelectCell(g.FixedCols(), lv.iItem + g.FixedRows());
        }
    }
}

LRESULT Binding::ControlColor(HDC dc, HWND child, UINT msg, HWND, bool& handled) {
    ui::Control* c = ControlOf(child);
    if (!c) c = ControlOf(GetParent(child));  // the edit or list of a combo box
    if (!c) return 0;
    handled = true;
    const bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    SetTextColor(dc, Resolve(c->GetFont().color, field ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    auto* label = dynamic_cast<ui::Label*>(c);
    if (label && label->Transparent()) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    COLORREF back = Resolve(c->GetColor(), field ? COLOR_WINDOW : COLOR_BTNFACE);
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(BrushFor(back));
}

void Binding::DrawImage(const DRAWITEMSTRUCT& di) {
    auto& image = static_cast<ui::Image&>(*ControlOf(di.hwndItem));
    RECT rc = di.rcItem;
    FillRect(di.hDC, &rc, BrushFor(Resolve(image.GetColor(), COLOR_BTNFACE)));
    const ui::Bitmap& picture = image.Picture();
    if (picture.Empty()) return;
    std::vector<std::uint32_t> pixels;
    pixels.reserve(picture.Pixels().size());
    for (ui::Color c : picture.Pixels()) pixels.push_back(ToDib(c));
    const BITMAPINFO bi = TopDown32(picture.Width(), picture.Height());
    int w = image.Stretch() ? rc.right - rc.left : picture.Width();
    int h = image.Stretch() ? rc.bottom - rc.top : picture.Height();
    StretchDIBits(di.hDC, rc.left, rc.top, w, h, 0, 0, picture.Width(), picture.Height(),
                  pixels.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
}

const ui::Control* Binding::GraphUnder(const ui::Control& c) {
    if (!c.Parent() || !IsSeeThrough(c)) return nullptr;
    const ui::Control* under = nullptr;
    for (const ui::Control* sibling : c.Parent()->Children()) {
        if (sibling == &c) return under;
        if (sibling->GetKind() == ui::Kind::PerformanceGraph && Overlaps(*sibling, c))
            under = sibling;
    }
    return nullptr;
}

void Binding::DrawGraph(HDC dc, ui::Control& graphModel) {
    auto& graph = static_cast<ui::TPerformanceGraph&>(graphModel);
    const ui::Bitmap& picture = graph.Paint();
    const int w = picture.Width(), h = picture.Height();
    if (w == 0 || h == 0) return;
    std::vector<std::uint32_t> pixels;
    pixels.reserve(picture.Pixels().size());
    for (ui::Color c : picture.Pixels()) pixels.push_back(ToDib(c));
    std::vector<const ui::Control*> overlays;
    for (const ui::Control* sibling : graph.Parent()->Children()) {
        if (GraphUnder(*sibling) != &graph) continue;
        const Bound* ob = Find(*sibling);
        if (!ob || !ShownInContainer(*ob)) continue;
        overlays.push_back(sibling);
        const auto* image = dynamic_cast<const ui::Image*>(sibling);
        if (!image || image->Picture().Empty()) continue;
        const ui::Bitmap& over = image->Picture();
        const ui::Color key = over.Pixel(0, over.Height() - 1);
        const int dx = sibling->Left() - graph.Left(), dy = sibling->Top() - graph.Top();
        for (int y = 0; y < over.Height(); ++y) {
            for (int x = 0; x < over.Width(); ++x) {
                const ui::Color c = over.Pixel(x, y);
                const int gx = x + dx, gy = y + dy;
                if (c == key || gx < 0 || gy < 0 || gx >= w || gy >= h) continue;
                pixels[static_cast<std::size_t>(gy) * w + gx] = ToDib(c);
            }
        }
    }
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bitmap = mem ? CreateCompatibleBitmap(dc, w, h) : nullptr;
    if (!bitmap) {
        if (mem) DeleteDC(mem);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(mem, bitmap);
    const BITMAPINFO bi = TopDown32(w, h);
    SetDIBitsToDevice(mem, 0, 0, w, h, 0, 0, 0, h, pixels.data(), &bi, DIB_RGB_COLORS);
    SetBkMode(mem, TRANSPARENT);
    for (const ui::Control* o : overlays) {
        const auto* label = dynamic_cast<const ui::Label*>(o);
        if (!label) continue;
        HGDIOBJ oldFont = SelectObject(mem, FontFor(label->GetFont()));
        SetTextColor(mem, Resolve(label->GetFont().color, COLOR_BTNTEXT));
        RECT r{o->Left() - graph.Left(), o->Top() - graph.Top(), 0, 0};
        r.right = r.left + o->Width();
        r.bottom = r.top + o->Height();
        UINT format = DT_NOPREFIX | DT_SINGLELINE;
        if (label->GetAlignment() == ui::Alignment::Center) format |= DT_CENTER;
        if (label->GetAlignment() == ui::Alignment::Right) format |= DT_RIGHT;
        if (label->GetLayout() == ui::Layout::Center) format |= DT_VCENTER;
        DrawTextA(mem, label->Caption().c_str(), -1, &r, format);
        SelectObject(mem, oldFont);
    }
    BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(mem);
}

LRESULT Binding::GraphMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    ui::Control* c = ControlOf(hwnd);
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers it all
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc && c) DrawGraph(dc, *c);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            if (c) DrawGraph(reinterpret_cast<HDC>(wp), *c);
            return 0;
        case WM_NCHITTEST:
            return HTTRANSPARENT;  // a picture on its parent: clicks go through
        default:
            return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

HFONT Binding::FontFor(const ui::Font& f) {
    std::string key = f.name + "|" + std::to_string(f.size) + (f.bold ? "|b" : "|");
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    HDC dc = GetDC(nullptr);
    int height = -MulDiv(f.size, dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96, 72);
    if (dc) ReleaseDC(nullptr, dc);
    HFONT font = CreateFontA(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, f.name.c_str());
    if (!font)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    else
        fonts_[key] = font;
    return font;
}

HBRUSH Binding::BrushFor(COLORREF c) {
    auto it = brushes_.find(c);
    if (it != brushes_.end()) return it->second;
    HBRUSH brush = CreateSolidBrush(c);
    brushes_[c] = brush;
    return brush;
}

// Window procedures

LRESULT Binding::FormMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (HandleMessage(hwnd, msg, wp, lp, result)) return result;
    auto* form = dynamic_cast<ui::Form*>(ControlOf(hwnd));
    switch (msg) {
        case WM_CLOSE:
            // The program decides; closing never destroys the window by itself.
            if (form) form->DeliverCloseMessage(lp);
            return 0;
        case WM_SETCURSOR:
            if (screen_ && screen_->GetCursor() == ui::Cursor::HourGlass) {
                ::SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
                return TRUE;
            }
            break;
        default:
            if (form && msg >= WM_USER && msg < 0xC000) {
                form->DeliverMessage(msg, wp, static_cast<std::intptr_t>(lp));
            }
            break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT Binding::SubclassMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    ui::Control* c = ControlOf(hwnd);
    Bound* b = c ? Find(*c) : nullptr;
    if (!b || !b->oldProc) return DefWindowProcA(hwnd, msg, wp, lp);
    WNDPROC old = b->oldProc;
    if (c->GetKind() == ui::Kind::Edit && msg == WM_CHAR && suppress_ == 0) {
        char key = static_cast<ui::Edit*>(c)->FilterKey(static_cast<char>(wp));
        if (key == 0 || !IsWindow(hwnd)) return 0;
        wp = static_cast<unsigned char>(key);
    } else if ((c->GetKind() == ui::Kind::GroupBox || c->GetKind() == ui::Kind::PageControl) &&
               msg == WM_ERASEBKGND) {
        // Nothing else paints under a frame (the form clips its children out, and the frame
        // clips out the controls above it), and neither frame fills itself.
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(reinterpret_cast<HDC>(wp), &rc, BrushFor(Resolve(c->GetColor(), COLOR_BTNFACE)));
        return 1;
    }
    return CallWindowProcA(old, hwnd, msg, wp, lp);
}

}  // namespace win32
