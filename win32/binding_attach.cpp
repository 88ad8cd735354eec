// Attaching models to the controls of an existing dialog by id.
#include "win32/binding_internal.h"

namespace win32 {

using binding_detail::Pushing;
using binding_detail::Style;
using binding_detail::WindowText;

namespace {

std::string ClassName(HWND h) {
    char buf[64] = {};
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

// The window class a model needs, or "" for kinds without a fixed one.
const char* WantedClass(ui::Kind kind) {
    switch (kind) {
        case ui::Kind::Button:
        case ui::Kind::CheckBox:
        case ui::Kind::RadioButton:
        case ui::Kind::GroupBox:
            return "Button";
        case ui::Kind::Edit:
            return "Edit";
        case ui::Kind::ComboBox:
            return "ComboBox";
        case ui::Kind::ListBox:
            return "ListBox";
        case ui::Kind::Label:
        case ui::Kind::StaticText:
        case ui::Kind::Image:
            return "Static";
        default:
            return "";
    }
}

// What differs between a model and the template's control of its id.
std::string Mismatch(const ui::Control& c, HWND h) {
    const std::string name = c.Name() + " (" + std::to_string(c.Id()) + "): ";
    if (!h) return name + "not in the template";
    const char* cls = WantedClass(c.GetKind());
    if (*cls && _stricmp(ClassName(h).c_str(), cls) != 0)
        return name + "class " + ClassName(h) + ", not " + cls;
    const LONG_PTR s = Style(h);
    if (auto* combo = dynamic_cast<const ui::ComboBox*>(&c)) {
        const bool list = (s & 3) == CBS_DROPDOWNLIST;
        if (list != (combo->Style() == ui::ComboStyle::DropDownList))
            return name + "drop-down style";
        if (((s & CBS_SORT) != 0) != combo->Sorted()) return name + "sorting";
    }
    if (auto* box = dynamic_cast<const ui::ListBox*>(&c);
        box && ((s & LBS_SORT) != 0) != box->Sorted())
        return name + "sorting";
    if (auto* edit = dynamic_cast<const ui::Edit*>(&c)) {
        if (((s & ES_READONLY) != 0) != edit->ReadOnly()) return name + "read-only style";
        if (((s & ES_PASSWORD) != 0) != (edit->PasswordChar() != 0)) return name + "password style";
        if (((s & ES_UPPERCASE) != 0) != edit->UpperCase()) return name + "upper-case style";
    }
    return {};
}

}  // namespace

std::vector<std::string> Binding::AttachDialog(HWND dialog, ui::Control& root) {
    roots_.insert(&root);
    Pushing p(suppress_);
    std::vector<std::string> mismatches;
    for (ui::Control* child : root.Children()) AttachTree(*child, dialog, &root, mismatches);
    return mismatches;
}

void Binding::AttachTree(ui::Control& c, HWND dialog, const ui::Control* root,
                         std::vector<std::string>& mismatches) {
    HWND h = c.Id() != 0 ? GetDlgItem(dialog, c.Id()) : nullptr;
    if (c.Id() != 0) {
        if (std::string m = Mismatch(c, h); !m.empty()) mismatches.push_back(std::move(m));
    }
    // A window of another class is never driven as this model.
    const char* cls = WantedClass(c.GetKind());
    if (h && *cls && _stricmp(ClassName(h).c_str(), cls) != 0) h = nullptr;
    if (h && !Find(c) && !ControlOf(h)) {
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
        Bound& b = Register(c, h, dialog, root, false);
        b.placed = WantedRect(b);
        if (c.GetKind() == ui::Kind::Edit) Subclass(b);
        PushAll(b);
    }
    for (ui::Control* child : c.Children()) AttachTree(*child, dialog, root, mismatches);
}

}  // namespace win32
