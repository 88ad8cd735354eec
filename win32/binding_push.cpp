// Pushing model state to the windows: text, list items, tabs, grid cells, styles, progress
// and checks. Never runs handlers: what the windows send back meanwhile is ignored.
#include <string>
#include <vector>

#include "win32/binding_internal.h"

namespace win32 {

using binding_detail::Pushing;
using binding_detail::Resolve;
using binding_detail::StaticStyle;
using binding_detail::Style;
using binding_detail::WindowText;

namespace {

constexpr UINT kSetBarColor = 0x0409;  // PBM_SETBARCOLOR

void SetStyleBits(HWND h, LONG_PTR mask, LONG_PTR bits) {
    LONG_PTR old = Style(h);
    LONG_PTR now = (old & ~mask) | bits;
    if (now == old) return;
    SetWindowLongPtrA(h, GWL_STYLE, now);
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(h, nullptr, TRUE);
}

const ui::Captioned* AsCaptioned(const ui::Control& c) {
    return dynamic_cast<const ui::Captioned*>(&c);
}

}  // namespace

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

}  // namespace win32
