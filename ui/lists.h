// Combo boxes, list boxes and string grids.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace ui {

// Items with one selected index, as both list controls keep them. Insertions and deletions
// keep the selected item selected; deleting it leaves no selection.
class ItemList {
  public:
    const std::vector<std::string>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // Empty for an index out of range.
    const std::string& Item(int index) const;
    // First item equal to the text (case-sensitive); -1 when none.
    int IndexOf(std::string_view text) const;
    int Selected() const { return selected_; }

    // Sorted lists place new items by case-insensitive order, after equal ones.
    int Add(std::string_view text, bool sorted);
    // False when the index is out of range (Count() appends).
    bool Insert(int index, std::string_view text);
    bool Remove(int index);
    void Clear();
    void Assign(std::vector<std::string> items, bool sorted);
    // -1, or any index out of range, leaves no selection. Returns whether it changed.
    bool Select(int index);

  private:
    std::vector<std::string> items_;
    int selected_ = -1;
};

enum class ComboStyle {
    DropDown,      // editable text with a list
    DropDownList,  // choice from the list only
};

// What a combo box and a list box share: the items, kept sorted or not, and the selection.
class ListControl : public Control {
  public:
    bool Sorted() const { return sorted_; }
    void SetSorted(bool s);

    const std::vector<std::string>& Items() const { return list_.Items(); }
    int Count() const { return list_.Count(); }
    const std::string& Item(int index) const { return list_.Item(index); }
    int IndexOf(std::string_view text) const { return list_.IndexOf(text); }
    int AddItem(std::string_view text);
    void InsertItem(int index, std::string_view text);
    // Deleting the selected item leaves no selection.
    void DeleteItem(int index);
    void SetItems(std::vector<std::string> items);

    int ItemIndex() const { return list_.Selected(); }

  protected:
    using Control::Control;
    ItemList list_;

  private:
    bool sorted_ = false;
};

class ComboBox : public ListControl {
  public:
    explicit ComboBox(std::string name = {}, ComboStyle style = ComboStyle::DropDownList);

    ComboStyle Style() const { return style_; }
    void SetStyle(ComboStyle s);
    // Longest text the user may type (editable style); 0: no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);

    // Empties the list and the text, as the native control does. (Deleting the selected item
    // leaves the editable style's text as it was.)
    void Clear();

    // Runs no handler. Selecting puts the item's text in the box; -1 (or an index out of range)
    // leaves no selection and, in the editable style, empties the text.
    void SetItemIndex(int index);
    // Editable: the selected item's text, or what was typed or set. List: the selected item's.
    const std::string& Text() const;
    // Runs no handler. Editable: the text changes and the list keeps no selection (as the native
    // box does while its list is closed). List: selects the item of that text, ignoring case
    // (-1 when none).
    void SetText(std::string_view text);

    // The user picked an item: OnClick, then OnChange.
    std::function<void()> OnClick;
    // The text changed by the user's typing or pick.
    std::function<void()> OnChange;
    // The user opened the list (it may refill the items).
    std::function<void()> OnDropDown;

    bool UserSelect(int index);
    // Picks the first item equal to the text; false when there is none.
    bool UserSelectText(std::string_view text);
    bool UserDropDown();
    // Editable style only: types the characters at the end of the text, one change each, refused
    // at MaxLength.
    bool UserType(std::string_view text);
    bool UserClearText();
    // For a binding: the text the window's edit holds after the user typed.
    void UserEditText(std::string_view text);

  private:
    void ChangeTyped(std::string text);

    ComboStyle style_;
    int maxLength_ = 0;
    std::string text_;  // editable style
};

class ListBox : public ListControl {
  public:
    explicit ListBox(std::string name = {});
    void Clear();

    // Runs no handler.
    void SetItemIndex(int index);

    // The user selected an item.
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    bool UserSelect(int index);
    bool UserDoubleClick();
};

struct GridRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // cells, inclusive
    bool operator==(const GridRect&) const = default;
};

class StringGrid : public Control {
  public:
    explicit StringGrid(std::string name = {});

    int ColCount() const { return static_cast<int>(colWidths_.size()); }
    int RowCount() const { return static_cast<int>(cells_.size()); }
    // Shrinking drops the cells outside; growing adds empty ones. At least one of each; fewer
    // rows than fixed rows lowers the fixed rows.
    void SetColCount(int n);
    void SetRowCount(int n);
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    // Clamped below the row (column) count.
    void SetFixedRows(int n);
    void SetFixedCols(int n);
    int DefaultColWidth() const { return defaultColWidth_; }
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int h);
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int w);
    bool ColumnsResizable() const { return columnsResizable_; }
    void SetColumnsResizable(bool r) { columnsResizable_ = r; }
    bool RangeSelect() const { return rangeSelect_; }
    void SetRangeSelect(bool r) { rangeSelect_ = r; }

    // Empty outside the grid; writes outside it are ignored.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, std::string_view text);
    // Every cell of a row; missing columns stay empty, extra ones are ignored.
    void SetRow(int row, const std::vector<std::string>& texts);

    const GridRect& Selection() const { return selection_; }
    int Col() const { return selection_.left; }
    int Row() const { return selection_.top; }
    // Runs no handler; clamped to the non-fixed cells.
    void SetSelection(GridRect r);

    std::function<void()> OnClick;
    // The user selected a cell (a fixed one is refused).
    bool UserSelectCell(int col, int row);

  private:
    GridRect Clamp(GridRect r) const;

    std::vector<std::vector<std::string>> cells_;  // [row][col]
    std::vector<int> colWidths_;
    int fixedRows_ = 1, fixedCols_ = 1;
    int defaultColWidth_ = 64, defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    bool columnsResizable_ = false;
    bool rangeSelect_ = false;
    GridRect selection_{1, 1, 1, 1};
};

}  // namespace ui
