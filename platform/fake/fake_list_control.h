// An in-memory report list for tests: holds rows, selection and columns,
// and lets a test act as the user (click headers, select, double-click).
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/list_control.h"

namespace ui {

class FakeListControl : public ListControl {
 public:
  // Look.
  int ClientWidth() const override { return HasVerticalScrollBar() ? width_ - 16 : width_; }
  void SetFullRowSelect(bool on) override { fullRowSelect_ = on; }
  void SetSingleSelection(bool on) override;
  void SetSmallIcons(const std::vector<int>& iconIds) override { icons_ = iconIds; bitmaps_.clear(); }
  void SetSmallBitmaps(const std::vector<int>& bitmapIds) override { bitmaps_ = bitmapIds; icons_.clear(); }
  void SetFont(FontHandle font) override { font_ = font; }
  bool HasVerticalScrollBar() const override { return ItemCount() > visibleRows_; }
  void SetRedraw(bool on) override { redraw_ = on; }
  bool Redraws() const { return redraw_; }

  void AddColumn(const std::string& header, int width) override;
  int ColumnCount() const override { return static_cast<int>(columns_.size()); }
  int ColumnWidth(int column) const override;
  void SetColumnWidth(int column, int width) override;

  // Measured as a font would measure them that has every byte kFakeByteWidth
  // wide (a double-byte character twice that), margins of kFakeCellMargin
  // (and the image's width in column 0 of a list with images), and headers
  // kFakeHeaderRoom wider than their text.
  static constexpr int kFakeByteWidth = 6;
  static constexpr int kFakeCellMargin = 12;
  static constexpr int kFakeImageWidth = 16;
  static constexpr int kFakeHeaderRoom = 31;
  int TextWidth(const std::string& text) const override;
  int CellMargins(int column) const override;
  int HeaderWidth(int column) const override;
  // How many texts were measured.
  int Measured() const { return measured_; }

  int ItemCount() const override {
    return rowSource_ ? virtualCount_ : static_cast<int>(rows_.size());
  }
  int InsertItem(int index, const std::string& text, int image, ItemData data) override;
  void SetItemText(int row, int column, const std::string& text) override;
  std::string ItemText(int row, int column) const override;
  ItemData GetItemData(int row) const override;
  int ItemImage(int row) const override;
  bool DeleteItem(int row) override;
  void DeleteAllItems() override { rows_.clear(); }

  int SelectedCount() const override;
  int NextSelected(int after) const override;
  bool IsSelected(int row) const override;
  void SetSelected(int row, bool selected) override;
  void SetFocusedRow(int row) override;
  int FocusedRow() const override;
  void TakeFocus() override { ++focusTaken_; }
  void EnsureVisible(int row) override { lastMadeVisible_ = row; }
  void SortItems(const Compare& compare) override;
  void SetSortIndicator(int column, bool ascending) override {
    sortColumn_ = column;
    sortAscending_ = ascending;
  }

  void SetRowSource(const ListRows* rows) override { rowSource_ = rows; }
  void SetRowCount(int count) override;
  void RedrawRows() override { ++redraws_; }

  // --- the user -------------------------------------------------------------
  // Where the list reports what the user did (set by the dialog or view that
  // holds it).
  std::function<void(const ListEvent&)> onEvent;
  void ClickHeader(int column);
  // Selects exactly these rows (a click, with Ctrl for more than one).
  void SelectOnly(const std::vector<int>& rows);
  // Ctrl+A: every row selected (one notification).
  void SelectAll();
  void DoubleClick(int row);

  // --- inspection and set-up ---------------------------------------------
  const std::string& Header(int column) const { return columns_.at(static_cast<std::size_t>(column)).header; }
  // All texts of a row.
  std::vector<std::string> Row(int row) const;
  // Column `column` of every row, top to bottom.
  std::vector<std::string> ColumnTexts(int column) const;
  int StateImage(int row) const;
  bool FullRowSelect() const { return fullRowSelect_; }
  bool SingleSelection() const { return singleSelection_; }
  const std::vector<int>& SmallIcons() const { return icons_; }
  const std::vector<int>& SmallBitmaps() const { return bitmaps_; }
  FontHandle Font() const { return font_; }
  int FocusTaken() const { return focusTaken_; }
  int LastMadeVisible() const { return lastMadeVisible_; }
  int SortCount() const { return sorts_; }
  // The header arrows: per column "up", "down" or "-".
  std::vector<std::string> SortArrows() const {
    std::vector<std::string> arrows;
    for (int c = 0; c < ColumnCount(); ++c) {
      arrows.push_back(c != sortColumn_ ? "-" : sortAscending_ ? "up" : "down");
    }
    return arrows;
  }
  // Rows kept by the owner: the colour a cell is drawn in (0 when the
  // source keeps the system's), and how often the rows were redrawn.
  bool CellColour(int row, int column, bool highlighted, Colour* colour) const;
  int RedrawCount() const { return redraws_; }
  // The list's size: its width in pixels and how many rows fit without a
  // vertical scroll bar.
  void SetSize(int width, int visibleRows) { width_ = width; visibleRows_ = visibleRows; }

 private:
  struct Column {
    std::string header;
    int width;
  };
  struct Item {
    std::vector<std::string> texts;
    int image = 0;
    int stateImage = 0;
    ItemData data = 0;
    bool selected = false;
    bool focused = false;
  };
  bool Valid(int row) const { return row >= 0 && row < ItemCount(); }
  bool SelectedAt(int row) const;
  void MarkSelected(int row, bool selected);
  void ClearSelection();
  void Notify(ListEvent event) { if (onEvent) onEvent(event); }

  std::vector<Column> columns_;
  // A deque: rows inserted at the top (as a load inserts them) cost no moves.
  std::deque<Item> rows_;
  std::vector<int> icons_;
  std::vector<int> bitmaps_;
  FontHandle font_ = 0;
  bool fullRowSelect_ = false;
  bool singleSelection_ = false;
  int width_ = 600;
  int visibleRows_ = 20;
  int focusTaken_ = 0;
  int lastMadeVisible_ = -1;
  int sorts_ = 0;
  int sortColumn_ = -1;
  bool sortAscending_ = true;
  bool redraw_ = true;
  // Rows kept by the owner: their number, selection and focus.
  const ListRows* rowSource_ = nullptr;
  int virtualCount_ = 0;
  std::vector<char> virtualSelected_;
  int virtualSelectedCount_ = 0;
  int virtualFocus_ = -1;
  int redraws_ = 0;
  mutable int measured_ = 0;
};

}  // namespace ui
