#include "faxpick/dialogs/book_lists.h"

#include <algorithm>
#include <numeric>

#include "faxpick/res/resource.h"
#include "platform/text/char_value_key.h"

namespace picker {
namespace {

constexpr int kAddressImage = 0;
constexpr int kGroupImage = 1;

}  // namespace

std::string BookLists::Rows::CellText(int row, int column) const {
  const BookEntry* entry = EntryAt(row);
  return entry ? owner_.columns_.CellText(*entry, column) : std::string();
}

int BookLists::Rows::RowImage(int row) const {
  const BookEntry* entry = EntryAt(row);
  if (!entry) return -1;
  return entry->IsGroup() ? kGroupImage : kAddressImage;
}

const BookEntry* BookLists::Rows::EntryAt(int row) const {
  if (!owner_.book_ || row < 0 || static_cast<std::size_t>(row) >= ids.size()) return nullptr;
  return owner_.book_->Find(ids[static_cast<std::size_t>(row)]);
}

void BookLists::Rows::Show() {
  if (list) list->SetRowCount(static_cast<int>(ids.size()));
}

BookLists::BookLists(const ListColumns& columns, const text::LocaleEquality& equality,
                     int codePage)
    : columns_(columns),
      equality_(equality),
      codePage_(codePage),
      full_(*this),
      resultA_(*this),
      resultB_(*this) {}

void BookLists::Detach() {
  for (Rows* rows : {&full_, &resultA_, &resultB_}) {
    if (rows->list) rows->list->SetRowSource(nullptr);
    rows->list = nullptr;
  }
}

void BookLists::Attach(ui::ListControl* full, ui::ListControl* resultA, ui::ListControl* resultB) {
  full_.list = full;
  resultA_.list = resultA;
  resultB_.list = resultB;
  for (Rows* rows : {&full_, &resultA_, &resultB_}) {
    if (!rows->list) continue;
    columns_.AddAddressColumns(*rows->list);
    rows->list->SetFullRowSelect(true);
    rows->list->SetSmallBitmaps({IDB_ADDRESS, IDB_GROUP});
    rows->list->SetRowSource(rows);
  }
}

void BookLists::Clear() {
  for (Rows* rows : {&full_, &resultA_, &resultB_}) {
    rows->ids.clear();
    rows->Show();
  }
  book_ = nullptr;
  mode_ = ListMode::kFull;
}

void BookLists::Fill(const PickerBook& book) {
  Clear();
  book_ = &book;
  full_.ids.reserve(book.Entries().size());
  for (const BookEntry* entry : book.Entries()) full_.ids.push_back(entry->id);
  full_.Show();
  // The result lists show rows of the full one: its columns' widths.
  if (full_.list) {
    columns_.FitAddressColumns(*full_.list, book.Entries());
    for (Rows* rows : {&resultA_, &resultB_}) {
      if (!rows->list) continue;
      for (int c = 0; c < full_.list->ColumnCount(); ++c) {
        rows->list->SetColumnWidth(c, full_.list->ColumnWidth(c));
      }
    }
  }
  fullArrowColumn_ = columns_.ReadingColumn();
  fullArrowAscending_ = true;
  if (full_.list) full_.list->SetSortIndicator(fullArrowColumn_, fullArrowAscending_);
}

ui::ListControl* BookLists::Visible() const {
  switch (mode_) {
    case ListMode::kResultA: return resultA_.list;
    case ListMode::kResultB: return resultB_.list;
    case ListMode::kFull:
    default: return full_.list;
  }
}

BookLists::Rows* BookLists::RowsOf(const ui::ListControl* list) {
  return const_cast<Rows*>(static_cast<const BookLists*>(this)->RowsOf(list));
}

const BookLists::Rows* BookLists::RowsOf(const ui::ListControl* list) const {
  if (!list) return nullptr;
  for (const Rows* rows : {&full_, &resultA_, &resultB_}) {
    if (rows->list == list) return rows;
  }
  return nullptr;
}

const BookEntry* BookLists::EntryAt(const ui::ListControl* list, int row) const {
  const Rows* rows = RowsOf(list);
  return rows ? rows->EntryAt(row) : nullptr;
}

const std::vector<int>* BookLists::IdsOf(const ui::ListControl* list) const {
  const Rows* rows = RowsOf(list);
  return rows ? &rows->ids : nullptr;
}

void BookLists::Search(const std::string& typed, int column) {
  Rows& target = mode_ == ListMode::kResultA ? resultB_ : resultA_;
  if (!target.list || !full_.list) return;
  target.ids.clear();
  const std::size_t n = typed.size();
  for (int row = 0; row < static_cast<int>(full_.ids.size()); ++row) {
    const BookEntry* entry = full_.EntryAt(row);
    std::string_view cell;
    if (!entry || !columns_.CellView(*entry, column, &cell)) continue;
    if (equality_.Equal(cell.substr(0, n), typed)) target.ids.push_back(entry->id);
  }
  target.Show();
  target.list->SetSortIndicator(fullArrowColumn_, fullArrowAscending_);
  mode_ = &target == &resultB_ ? ListMode::kResultB : ListMode::kResultA;
}

void BookLists::SortByClick(ui::ListControl* list, int column) {
  if (column == sortColumn_ && !descending_) {
    descending_ = true;
  } else {
    sortColumn_ = column;
    descending_ = false;
  }
  Rows* rows = RowsOf(list);
  if (!rows) return;
  // One key a row, whose byte order is the comparison's.
  const std::size_t count = rows->ids.size();
  std::vector<std::string> keys(count);
  for (std::size_t row = 0; row < count; ++row) {
    const BookEntry* entry = rows->EntryAt(static_cast<int>(row));
    std::string_view view;
    std::string made;
    if (entry && !columns_.CellView(*entry, sortColumn_, &view)) {
      made = columns_.CellText(*entry, sortColumn_);
      view = made;
    }
    text::AppendNoCaseKey(codePage_, view, &keys[row]);
  }
  std::vector<std::size_t> order(count);
  std::iota(order.begin(), order.end(), std::size_t{0});
  const bool descending = descending_;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return descending ? keys[b] < keys[a] : keys[a] < keys[b];
  });

  // The selection and the focus follow their rows.
  std::vector<char> selected(count, 0);
  std::vector<int> wasSelected;
  for (int row = list->NextSelected(-1); row >= 0; row = list->NextSelected(row)) {
    if (static_cast<std::size_t>(row) < count) selected[static_cast<std::size_t>(row)] = 1;
    wasSelected.push_back(row);
  }
  const int focused = list->FocusedRow();
  std::vector<int> ids(count);
  for (std::size_t i = 0; i < count; ++i) ids[i] = rows->ids[order[i]];
  rows->ids.swap(ids);
  rearranging_ = true;
  for (int row : wasSelected) list->SetSelected(row, false);
  for (std::size_t i = 0; i < count; ++i) {
    if (selected[order[i]]) list->SetSelected(static_cast<int>(i), true);
    if (focused >= 0 && order[i] == static_cast<std::size_t>(focused)) {
      list->SetFocusedRow(static_cast<int>(i));
    }
  }
  rearranging_ = false;
  list->RedrawRows();
  list->SetSortIndicator(sortColumn_, !descending_);
  if (list == full_.list) {
    fullArrowColumn_ = sortColumn_;
    fullArrowAscending_ = !descending_;
  }
}

}  // namespace picker
