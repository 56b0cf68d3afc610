#include "platform/fake/fake_list_control.h"

#include <algorithm>

namespace ui {

bool FakeListControl::SelectedAt(int row) const {
  if (!Valid(row)) return false;
  return rowSource_ ? virtualSelected_[static_cast<std::size_t>(row)] != 0
                    : rows_[static_cast<std::size_t>(row)].selected;
}

void FakeListControl::MarkSelected(int row, bool selected) {
  if (!Valid(row)) return;
  if (!rowSource_) {
    rows_[static_cast<std::size_t>(row)].selected = selected;
    return;
  }
  char& flag = virtualSelected_[static_cast<std::size_t>(row)];
  if ((flag != 0) == selected) return;
  flag = selected ? 1 : 0;
  virtualSelectedCount_ += selected ? 1 : -1;
}

void FakeListControl::ClearSelection() {
  if (rowSource_) {
    std::fill(virtualSelected_.begin(), virtualSelected_.end(), 0);
    virtualSelectedCount_ = 0;
    return;
  }
  for (Item& item : rows_) item.selected = false;
}

void FakeListControl::SetRowCount(int count) {
  virtualCount_ = count > 0 ? count : 0;
  virtualSelected_.assign(static_cast<std::size_t>(virtualCount_), 0);
  virtualSelectedCount_ = 0;
  virtualFocus_ = -1;
  ++redraws_;
}

bool FakeListControl::CellColour(int row, int column, bool highlighted, Colour* colour) const {
  return rowSource_ && Valid(row) && rowSource_->CellColour(row, column, highlighted, colour);
}

void FakeListControl::SetSingleSelection(bool on) {
  singleSelection_ = on;
  if (!on) return;
  if (rowSource_) {
    const int first = NextSelected(-1);
    ClearSelection();
    MarkSelected(first, true);
    return;
  }
  // The system keeps the first selected row when a list becomes single-select.
  bool seen = false;
  for (Item& item : rows_) {
    if (item.selected && seen) item.selected = false;
    if (item.selected) seen = true;
  }
}

void FakeListControl::AddColumn(const std::string& header, int width) {
  columns_.push_back({header, width});
}

int FakeListControl::ColumnWidth(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return columns_[static_cast<std::size_t>(column)].width;
}

void FakeListControl::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount()) return;
  columns_[static_cast<std::size_t>(column)].width = width;
}

int FakeListControl::TextWidth(const std::string& text) const {
  ++measured_;
  return kFakeByteWidth * static_cast<int>(text.size());
}

int FakeListControl::CellMargins(int column) const {
  const bool images = !icons_.empty() || !bitmaps_.empty();
  return kFakeCellMargin + (column == 0 && images ? kFakeImageWidth : 0);
}

int FakeListControl::HeaderWidth(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return kFakeByteWidth * static_cast<int>(Header(column).size()) + kFakeHeaderRoom;
}

int FakeListControl::InsertItem(int index, const std::string& text, int image, ItemData data) {
  if (rowSource_) return -1;
  index = std::clamp(index, 0, ItemCount());
  Item item;
  // Room for a text in every column, as the real control keeps them.
  item.texts.reserve(std::max<std::size_t>(1, columns_.size()));
  item.texts.push_back(text);
  item.image = image;
  item.stateImage = 1;
  item.data = data;
  rows_.insert(rows_.begin() + index, std::move(item));
  return index;
}

void FakeListControl::SetItemText(int row, int column, const std::string& text) {
  if (rowSource_ || !Valid(row) || column < 0) return;
  std::vector<std::string>& texts = rows_[static_cast<std::size_t>(row)].texts;
  if (texts.size() <= static_cast<std::size_t>(column)) texts.resize(static_cast<std::size_t>(column) + 1);
  texts[static_cast<std::size_t>(column)] = text;
}

std::string FakeListControl::ItemText(int row, int column) const {
  if (!Valid(row) || column < 0) return std::string();
  if (rowSource_) return rowSource_->CellText(row, column);
  const std::vector<std::string>& texts = rows_[static_cast<std::size_t>(row)].texts;
  return static_cast<std::size_t>(column) < texts.size() ? texts[static_cast<std::size_t>(column)]
                                                          : std::string();
}

ItemData FakeListControl::GetItemData(int row) const {
  return !rowSource_ && Valid(row) ? rows_[static_cast<std::size_t>(row)].data : 0;
}

int FakeListControl::ItemImage(int row) const {
  if (!Valid(row)) return -1;
  return rowSource_ ? rowSource_->RowImage(row) : rows_[static_cast<std::size_t>(row)].image;
}

int FakeListControl::StateImage(int row) const {
  return !rowSource_ && Valid(row) ? rows_[static_cast<std::size_t>(row)].stateImage : 0;
}

bool FakeListControl::DeleteItem(int row) {
  if (rowSource_ || !Valid(row)) return false;
  rows_.erase(rows_.begin() + row);
  return true;
}

int FakeListControl::SelectedCount() const {
  if (rowSource_) return virtualSelectedCount_;
  return static_cast<int>(std::count_if(rows_.begin(), rows_.end(),
                                        [](const Item& i) { return i.selected; }));
}

int FakeListControl::NextSelected(int after) const {
  for (int row = std::max(after + 1, 0); row < ItemCount(); ++row) {
    if (SelectedAt(row)) return row;
  }
  return -1;
}

bool FakeListControl::IsSelected(int row) const { return SelectedAt(row); }

void FakeListControl::SetSelected(int row, bool selected) {
  if (!Valid(row)) return;
  if (selected && singleSelection_) ClearSelection();
  MarkSelected(row, selected);
}

void FakeListControl::SetFocusedRow(int row) {
  if (!Valid(row)) return;
  if (rowSource_) {
    virtualFocus_ = row;
    return;
  }
  for (Item& item : rows_) item.focused = false;
  rows_[static_cast<std::size_t>(row)].focused = true;
}

int FakeListControl::FocusedRow() const {
  if (rowSource_) return virtualFocus_;
  for (int row = 0; row < ItemCount(); ++row) {
    if (rows_[static_cast<std::size_t>(row)].focused) return row;
  }
  return -1;
}

void FakeListControl::SortItems(const Compare& compare) {
  if (rowSource_) return;
  ++sorts_;
  std::stable_sort(rows_.begin(), rows_.end(), [&](const Item& a, const Item& b) {
    return compare(a.data, b.data) < 0;
  });
}

void FakeListControl::ClickHeader(int column) {
  ListEvent e;
  e.kind = ListEventKind::kColumnClick;
  e.column = column;
  Notify(e);
}

void FakeListControl::SelectOnly(const std::vector<int>& selectedRows) {
  ClearSelection();
  for (int row : selectedRows) {
    if (!Valid(row)) continue;
    if (singleSelection_) ClearSelection();
    MarkSelected(row, true);
  }
  if (!selectedRows.empty()) SetFocusedRow(selectedRows.back());
  ListEvent e;
  e.kind = ListEventKind::kSelectionChanged;
  e.row = selectedRows.empty() ? -1 : selectedRows.back();
  Notify(e);
}

void FakeListControl::SelectAll() {
  if (singleSelection_) return;
  for (int row = 0; row < ItemCount(); ++row) MarkSelected(row, true);
  ListEvent e;
  e.kind = ListEventKind::kSelectionChanged;
  e.row = -1;
  Notify(e);
}

void FakeListControl::DoubleClick(int row) {
  if (Valid(row)) SelectOnly({row});
  ListEvent e;
  e.kind = ListEventKind::kDoubleClick;
  e.row = Valid(row) ? row : -1;
  Notify(e);
}

std::vector<std::string> FakeListControl::Row(int row) const {
  std::vector<std::string> texts;
  for (int c = 0; c < ColumnCount(); ++c) texts.push_back(ItemText(row, c));
  return texts;
}

std::vector<std::string> FakeListControl::ColumnTexts(int column) const {
  std::vector<std::string> texts;
  for (int r = 0; r < ItemCount(); ++r) texts.push_back(ItemText(r, column));
  return texts;
}

}  // namespace ui
