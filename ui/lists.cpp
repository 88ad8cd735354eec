#include "ui/lists.h"

#include <algorithm>
#include <cctype>

namespace ui {

namespace {

const std::string kEmpty;

bool LessNoCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && !LessNoCase(a, b) && !LessNoCase(b, a);
}

}  // namespace

// ItemList

const std::string& ItemList::Item(int index) const {
    if (index < 0 || index >= Count()) return kEmpty;
    return items_[index];
}

int ItemList::IndexOf(std::string_view text) const {
    for (int i = 0; i < Count(); ++i) {
        if (items_[i] == text) return i;
    }
    return -1;
}

int ItemList::Add(std::string_view text, bool sorted) {
    int index = Count();
    if (sorted) {
        auto at = std::upper_bound(
            items_.begin(), items_.end(), text,
            [](std::string_view t, const std::string& item) { return LessNoCase(t, item); });
        index = static_cast<int>(at - items_.begin());
    }
    Insert(index, text);
    return index;
}

bool ItemList::Insert(int index, std::string_view text) {
    if (index < 0 || index > Count()) return false;
    items_.insert(items_.begin() + index, std::string(text));
    if (selected_ >= index) ++selected_;
    return true;
}

bool ItemList::Remove(int index) {
    if (index < 0 || index >= Count()) return false;
    items_.erase(items_.begin() + index);
    if (selected_ == index) {
        selected_ = -1;
    } else if (selected_ > index) {
        --selected_;
    }
    return true;
}

void ItemList::Clear() {
    items_.clear();
    selected_ = -1;
}

void ItemList::Assign(std::vector<std::string> items, bool sorted) {
    if (sorted) std::stable_sort(items.begin(), items.end(), LessNoCase);
    items_ = std::move(items);
    selected_ = -1;
}

bool ItemList::Select(int index) {
    if (index < 0 || index >= Count()) index = -1;
    if (index == selected_) return false;
    selected_ = index;
    return true;
}

// ComboBox

void ListControl::SetSorted(bool s) {
    if (s == sorted_) return;
    sorted_ = s;
    if (sorted_ && Count() > 0) {
        std::string selected = Item(ItemIndex());
        bool had = ItemIndex() >= 0;
        list_.Assign(Items(), true);
        if (had) list_.Select(IndexOf(selected));
        Notify(Change::Items);
        Notify(Change::ItemIndex);
    }
    Notify(Change::Style);
}

int ListControl::AddItem(std::string_view text) {
    int before = ItemIndex();
    int index = list_.Add(text, sorted_);
    Notify(Change::Items);
    if (ItemIndex() != before) Notify(Change::ItemIndex);
    return index;
}

void ListControl::InsertItem(int index, std::string_view text) {
    int before = ItemIndex();
    if (!list_.Insert(index, text)) return;
    Notify(Change::Items);
    if (ItemIndex() != before) Notify(Change::ItemIndex);
}

void ListControl::DeleteItem(int index) {
    int before = ItemIndex();
    if (!list_.Remove(index)) return;
    Notify(Change::Items);
    if (ItemIndex() != before) Notify(Change::ItemIndex);
}

void ListControl::SetItems(std::vector<std::string> items) {
    list_.Assign(std::move(items), sorted_);
    Notify(Change::Items);
    Notify(Change::ItemIndex);
}

ComboBox::ComboBox(std::string name, ComboStyle style)
    : ListControl(Kind::ComboBox, std::move(name)), style_(style) {
    SetColor(kClWindow);
}

void ComboBox::SetStyle(ComboStyle s) {
    if (s == style_) return;
    style_ = s;
    text_ = style_ == ComboStyle::DropDown ? Item(ItemIndex()) : std::string();
    Notify(Change::Style);
}

void ComboBox::SetMaxLength(int n) {
    n = std::max(n, 0);
    if (n == maxLength_) return;
    maxLength_ = n;
    Notify(Change::Style);
}

void ComboBox::Clear() {
    list_.Clear();
    text_.clear();
    Notify(Change::Items);
    Notify(Change::ItemIndex);
    Notify(Change::Text);
}

void ComboBox::SetItemIndex(int index) {
    bool changed = list_.Select(index);
    std::string text = style_ == ComboStyle::DropDown ? Item(ItemIndex()) : std::string();
    bool textChanged = text != text_;
    text_ = std::move(text);
    if (changed) Notify(Change::ItemIndex);
    if (textChanged) Notify(Change::Text);
}

const std::string& ComboBox::Text() const {
    return style_ == ComboStyle::DropDown ? text_ : Item(ItemIndex());
}

void ComboBox::SetText(std::string_view text) {
    if (style_ == ComboStyle::DropDownList) {
        int found = -1;
        for (int i = 0; i < Count() && found < 0; ++i) {
            if (EqualNoCase(Item(i), text)) found = i;
        }
        if (list_.Select(found)) Notify(Change::ItemIndex);
        return;
    }
    bool changed = list_.Select(-1);
    if (changed) Notify(Change::ItemIndex);
    if (text != text_) {
        text_ = text;
        Notify(Change::Text);
    }
}

bool ComboBox::UserSelect(int index) {
    if (!AcceptsInput() || index < 0 || index >= Count()) return false;
    SetItemIndex(index);
    if (OnClick) OnClick();
    if (OnChange) OnChange();
    return true;
}

bool ComboBox::UserSelectText(std::string_view text) {
    int index = IndexOf(text);
    return index >= 0 && UserSelect(index);
}

bool ComboBox::UserDropDown() {
    if (!AcceptsInput()) return false;
    if (OnDropDown) OnDropDown();
    return true;
}

void ComboBox::ChangeTyped(std::string text) {
    if (list_.Select(-1)) Notify(Change::ItemIndex);
    if (text == text_) return;
    text_ = std::move(text);
    Notify(Change::Text);
    if (OnChange) OnChange();
}

bool ComboBox::UserType(std::string_view text) {
    if (!AcceptsInput() || style_ != ComboStyle::DropDown) return false;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 32) continue;
        if (maxLength_ > 0 && text_.size() >= static_cast<std::size_t>(maxLength_)) break;
        ChangeTyped(text_ + c);
    }
    return true;
}

bool ComboBox::UserClearText() {
    if (!AcceptsInput() || style_ != ComboStyle::DropDown) return false;
    ChangeTyped({});
    return true;
}

void ComboBox::UserEditText(std::string_view text) {
    if (style_ == ComboStyle::DropDown) ChangeTyped(std::string(text));
}

// ListBox

ListBox::ListBox(std::string name) : ListControl(Kind::ListBox, std::move(name)) {
    SetColor(kClWindow);
}

void ListBox::Clear() {
    list_.Clear();
    Notify(Change::Items);
    Notify(Change::ItemIndex);
}

void ListBox::SetItemIndex(int index) {
    if (list_.Select(index)) Notify(Change::ItemIndex);
}

bool ListBox::UserSelect(int index) {
    if (!AcceptsInput() || index < 0 || index >= Count()) return false;
    SetItemIndex(index);
    if (OnClick) OnClick();
    return true;
}

bool ListBox::UserDoubleClick() {
    if (!AcceptsInput()) return false;
    if (OnDblClick) OnDblClick();
    return true;
}

// StringGrid

StringGrid::StringGrid(std::string name) : Control(Kind::StringGrid, std::move(name)) {
    SetColor(kClWindow);
    colWidths_.assign(5, defaultColWidth_);
    cells_.assign(5, std::vector<std::string>(5));
}

void StringGrid::SetColCount(int n) {
    n = std::max(n, 1);
    if (n == ColCount()) return;
    colWidths_.resize(n, defaultColWidth_);
    for (auto& row : cells_) row.resize(n);
    if (fixedCols_ >= n) fixedCols_ = n - 1;
    selection_ = Clamp(selection_);
    Notify(Change::Cells);
}

void StringGrid::SetRowCount(int n) {
    n = std::max(n, 1);
    if (n == RowCount()) return;
    cells_.resize(n, std::vector<std::string>(ColCount()));
    if (fixedRows_ >= n) fixedRows_ = n - 1;
    selection_ = Clamp(selection_);
    Notify(Change::Cells);
}

void StringGrid::SetFixedRows(int n) {
    n = std::clamp(n, 0, RowCount() - 1);
    if (n == fixedRows_) return;
    fixedRows_ = n;
    selection_ = Clamp(selection_);
    Notify(Change::Cells);
}

void StringGrid::SetFixedCols(int n) {
    n = std::clamp(n, 0, ColCount() - 1);
    if (n == fixedCols_) return;
    fixedCols_ = n;
    selection_ = Clamp(selection_);
    Notify(Change::Cells);
}

void StringGrid::SetDefaultRowHeight(int h) {
    if (h == defaultRowHeight_ || h < 0) return;
    defaultRowHeight_ = h;
    Notify(Change::Cells);
}

int StringGrid::ColWidth(int col) const {
    if (col < 0 || col >= ColCount()) return 0;
    return colWidths_[col];
}

void StringGrid::SetColWidth(int col, int width) {
    if (col < 0 || col >= ColCount() || width < 0 || colWidths_[col] == width) return;
    colWidths_[col] = width;
    Notify(Change::Cells);
}

void StringGrid::SetGridLineWidth(int w) {
    if (w == gridLineWidth_ || w < 0) return;
    gridLineWidth_ = w;
    Notify(Change::Style);
}

const std::string& StringGrid::Cell(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return kEmpty;
    return cells_[row][col];
}

void StringGrid::SetCell(int col, int row, std::string_view text) {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return;
    if (cells_[row][col] == text) return;
    cells_[row][col] = text;
    Notify(Change::Cells);
}

void StringGrid::SetRow(int row, const std::vector<std::string>& texts) {
    if (row < 0 || row >= RowCount()) return;
    bool changed = false;
    for (int col = 0; col < ColCount(); ++col) {
        const std::string& t = col < static_cast<int>(texts.size()) ? texts[col] : kEmpty;
        if (cells_[row][col] != t) {
            cells_[row][col] = t;
            changed = true;
        }
    }
    if (changed) Notify(Change::Cells);
}

GridRect StringGrid::Clamp(GridRect r) const {
    auto clampCol = [&](int c) { return std::clamp(c, fixedCols_, ColCount() - 1); };
    auto clampRow = [&](int v) { return std::clamp(v, fixedRows_, RowCount() - 1); };
    r.left = clampCol(r.left);
    r.right = clampCol(std::max(r.right, r.left));
    r.top = clampRow(r.top);
    r.bottom = clampRow(std::max(r.bottom, r.top));
    return r;
}

void StringGrid::SetSelection(GridRect r) {
    r = Clamp(r);
    if (r == selection_) return;
    selection_ = r;
    Notify(Change::Selection);
}

bool StringGrid::UserSelectCell(int col, int row) {
    if (!AcceptsInput()) return false;
    if (col < fixedCols_ || col >= ColCount() || row < fixedRows_ || row >= RowCount()) {
        return false;
    }
    SetSelection({col, row, col, row});
    if (OnClick) OnClick();
    return true;
}

}  // namespace ui
