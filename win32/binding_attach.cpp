// Attaching models to the controls of an existing dialog by id.
#include "win32/binding_internal.h"

namespace win32 {

using binding_detail::Pushing;
using binding_detail::Style;
using binding_detail::WindowText;

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

}  // namespace win32
