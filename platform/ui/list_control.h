// A list control in report view: rows of column texts with an icon and a
// number (the item data) that the owner uses to find the row's record.
//
// Like the system control it wraps, it keeps no state of its own beyond
// what it shows: rows are addressed by their current index, which changes
// when rows are inserted, deleted or sorted; the item data stays with the
// row. Indexes out of range are ignored by setters and give empty texts,
// -1 or 0 from getters.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/colour.h"
#include "platform/ui/font.h"

namespace ui {

using ItemData = std::intptr_t;

// Notifications a list sends to the dialog or view that holds it.
enum class ListEventKind {
  kClick,             // a click in the list (row or empty area)
  kDoubleClick,       // a double-click; row is the one under the mouse or -1
  kFocus,             // the list got the keyboard focus
  kSelectionChanged,  // a row's selection state changed
  kColumnClick,       // a click on a column header
};

struct ListEvent {
  ListEventKind kind = ListEventKind::kClick;
  int row = -1;     // kClick, kDoubleClick, kSelectionChanged
  int column = -1;  // kColumnClick
};

// The rows of a list that its owner keeps (see ListControl::SetRowSource).
class ListRows {
 public:
  virtual ~ListRows() = default;
  virtual std::string CellText(int row, int column) const = 0;
  // The row's image index; -1 shows none.
  virtual int RowImage(int /*row*/) const { return -1; }
  // The colour of a cell's text when the row is drawn highlighted (selected)
  // or not; false keeps the system's colours.
  virtual bool CellColour(int /*row*/, int /*column*/, bool /*highlighted*/,
                          Colour* /*colour*/) const {
    return false;
  }
  // Whether typing in the list moves to the next row whose first column
  // starts with the typed text, as in a list that holds its own rows
  // (false: typing finds nothing).
  virtual bool FindsTypedText() const { return false; }
};

class ListControl {
 public:
  virtual ~ListControl() = default;

  // --- look ---------------------------------------------------------------
  // Width of the list's client area in pixels (without a vertical scroll
  // bar's width when one is shown).
  virtual int ClientWidth() const = 0;
  // Rows select as a whole (LVS_EX_FULLROWSELECT).
  virtual void SetFullRowSelect(bool on) = 0;
  // One selected row at most (LVS_SINGLESEL) or several.
  virtual void SetSingleSelection(bool on) = 0;
  // The small image list: the icons with these resource ids, 16x16, in
  // this order (image index 0, 1, ...), from the current resource source.
  virtual void SetSmallIcons(const std::vector<int>& iconIds) = 0;
  // The same from bitmap resources: 16x16 images of 16 colours in which
  // black is transparent.
  virtual void SetSmallBitmaps(const std::vector<int>& bitmapIds) = 0;
  // 0 restores the font the list had from its dialog template.
  virtual void SetFont(FontHandle font) = 0;
  virtual bool HasVerticalScrollBar() const = 0;
  // Off while many rows go in or out (nothing is drawn or laid out); on
  // again shows the rows as they are.
  virtual void SetRedraw(bool on) = 0;

  // --- columns ------------------------------------------------------------
  // Appends a left-aligned column.
  virtual void AddColumn(const std::string& header, int width) = 0;
  virtual int ColumnCount() const = 0;
  virtual int ColumnWidth(int column) const = 0;
  virtual void SetColumnWidth(int column, int width) = 0;

  // --- measuring ----------------------------------------------------------
  // The width of a text in the list's font, as the list measures the texts
  // of its cells (LVM_GETSTRINGWIDTH): without a cell's margins. The width
  // of a text is the sum of its characters' widths.
  virtual int TextWidth(const std::string& text) const = 0;
  // What a cell of the column takes beside its text for the text to show
  // whole, as the list sizes a column to its content: its margins, and in
  // column 0 the row's small image when the list has images.
  virtual int CellMargins(int column) const = 0;
  // The width the column's header needs to show its text whole beside the
  // sort arrow the header may show.
  virtual int HeaderWidth(int column) const = 0;

  // --- rows ---------------------------------------------------------------
  virtual int ItemCount() const = 0;
  // Inserts a row at index (clamped to 0..ItemCount()) with the text of
  // column 0, the image index, state image 1 and the item data. Returns the
  // row's index, -1 when it could not be inserted.
  virtual int InsertItem(int index, const std::string& text, int image, ItemData data) = 0;
  virtual void SetItemText(int row, int column, const std::string& text) = 0;
  virtual std::string ItemText(int row, int column) const = 0;
  virtual ItemData GetItemData(int row) const = 0;
  virtual int ItemImage(int row) const = 0;
  virtual bool DeleteItem(int row) = 0;
  virtual void DeleteAllItems() = 0;

  // --- selection and focus ------------------------------------------------
  virtual int SelectedCount() const = 0;
  // The first selected row after `after` (-1 starts at the top); -1 when
  // there is none.
  virtual int NextSelected(int after) const = 0;
  virtual bool IsSelected(int row) const = 0;
  virtual void SetSelected(int row, bool selected) = 0;
  // Marks the row as the focused row (the one the keyboard moves from).
  virtual void SetFocusedRow(int row) = 0;
  virtual int FocusedRow() const = 0;
  // Gives the list the keyboard focus.
  virtual void TakeFocus() = 0;
  virtual void EnsureVisible(int row) = 0;

  // --- sorting ------------------------------------------------------------
  // Sorts the rows with a comparison of two rows' item data (negative:
  // the first sorts before the second).
  using Compare = std::function<int(ItemData, ItemData)>;
  virtual void SortItems(const Compare& compare) = 0;
  // Shows in the column headers which column the rows are sorted by and
  // which way (the header's sort-up or sort-down arrow); every other
  // column shows none. column -1 shows none at all.
  virtual void SetSortIndicator(int column, bool ascending) = 0;

  // --- rows kept by the owner ---------------------------------------------
  // A list whose template makes it virtual (LVS_OWNERDATA) holds no texts:
  // only the number of rows and which of them are selected. It asks `rows`
  // for each cell it shows (ItemText too), and, when the template makes it
  // owner-drawn, draws each cell itself: left-aligned in the cell's colour,
  // cut with "..." when it does not fit. The row setters above (InsertItem,
  // SetItemText, DeleteItem, SortItems) do not apply to such a list; the
  // owner changes its rows and tells the list with SetRowCount or
  // RedrawRows. Null detaches the rows.
  virtual void SetRowSource(const ListRows* rows) = 0;
  // The number of rows; the selection and the focused row are cleared.
  virtual void SetRowCount(int count) = 0;
  // Draws every row again from the source.
  virtual void RedrawRows() = 0;
};

}  // namespace ui
