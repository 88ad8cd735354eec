// What the windows send: the window procedures, WM_COMMAND and WM_NOTIFY turned into the
// models' user events, menu choices, and the subclass procedure's keys and frame backgrounds.
// Every entry from Windows runs the handlers through the binding's Guard.
#include <algorithm>
#include <cstdint>

#include "win32/binding_internal.h"

namespace win32 {

using binding_detail::kBindingProp;
using binding_detail::Resolve;
using binding_detail::Style;
using binding_detail::WindowText;

namespace {

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

// A subclassed control finds its binding in a property of its window.
LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (auto* b = static_cast<Binding*>(GetPropA(hwnd, kBindingProp))) {
        LRESULT result = 0;
        b->Guard([&] { result = b->SubclassMessage(hwnd, msg, wp, lp); });
        return result;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

bool IsCursorKey(WPARAM vk) {
    return vk == VK_HOME || vk == VK_END || vk == VK_LEFT || vk == VK_RIGHT;
}

// The caret of a single-line edit: the end of its selection.
int CaretOf(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end);
}

}  // namespace

namespace binding_detail {

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return BoundProc<&Binding::FormMessage>(hwnd, msg, wp, lp);
}

LRESULT CALLBACK GraphProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return BoundProc<&Binding::GraphMessage>(hwnd, msg, wp, lp);
}

}  // namespace binding_detail

void Binding::Subclass(Bound& b) {
    if (!b.hwnd || b.oldProc) return;
    SetPropA(b.hwnd, kBindingProp, this);
    b.oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(b.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
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
        case ui::Kind::Edit: {
            // EN_UPDATE comes just before EN_CHANGE with the same text; the model tells the two
            // apart itself, so only EN_CHANGE is taken.
            auto& e = static_cast<ui::Edit&>(c);
            if (code == EN_CHANGE) {
                e.WindowCaret(CaretOf(ctl), false);
                e.UserEditText(WindowText(ctl));
            } else if (code == EN_SETFOCUS) {
                e.WindowCaret(CaretOf(ctl), false);
                e.WindowFocus(true);
            } else if (code == EN_KILLFOCUS) {
                e.WindowFocus(false);
            }
            break;
        }
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
    } else if (c->GetKind() == ui::Kind::Edit && msg == WM_PASTE && suppress_ == 0) {
        static_cast<ui::Edit*>(c)->WindowPaste();
        if (!IsWindow(hwnd)) return 0;
    } else if (c->GetKind() == ui::Kind::Edit && suppress_ == 0 &&
               ((msg == WM_KEYDOWN && IsCursorKey(wp)) || msg == WM_LBUTTONUP)) {
        // The edit moves its caret first; the model hears where it went.
        const LRESULT r = CallWindowProcA(old, hwnd, msg, wp, lp);
        if (IsWindow(hwnd) && ControlOf(hwnd) == c)
            static_cast<ui::Edit*>(c)->WindowCaret(CaretOf(hwnd), true);
        return r;
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
