// The three address lists of the destination dialog, which share one
// place: the full list of the book, and two result lists that successive
// searches fill in turn (so that the list on show is never the one being
// filled). Rows carry their entry's id; their texts are kept here too, so
// that searching and sorting never read them back from the controls.
#pragma once

#include <string>
#include <vector>

#include "faxpick/book/picker_book.h"
#include "faxpick/dialogs/list_columns.h"
#include "platform/text/locale_equality.h"
#include "platform/ui/list_control.h"

namespace picker {

// Which list is on show.
enum class ListMode { kFull = 0, kResultA = 1, kResultB = 2 };

class BookLists {
 public:
  BookLists(const ListColumns& columns, const text::LocaleEquality& equality, int codePage)
      : columns_(columns), equality_(equality), codePage_(codePage) {}

  // The full list and the result lists A and B; gives them their columns
  // and their images (single address 0, group 1).
  void Attach(ui::ListControl* full, ui::ListControl* resultA, ui::ListControl* resultB);

  // Empties every list and fills the full list from the book in its order.
  // Each list's header shows the order its rows are in: the full list the
  // book's (ascending by reading) until a header click sorts it, a result
  // list the full list's until a click sorts it.
  void Fill(const PickerBook& book);
  // Empties every list; back to the full list.
  void Clear();

  ListMode Mode() const { return mode_; }
  void SetMode(ListMode mode) { mode_ = mode; }
  ui::ListControl* Visible() const;
  ui::ListControl* Full() const { return full_; }

  // Fills the result list not on show with the rows of the full list, in
  // its order, whose text in `column` starts with `typed` (the system's
  // comparison of the text cut to the typed length, with no flags), and
  // makes it the one on show.
  void Search(const std::string& typed, int column);

  // A header click: descending when the last sort was ascending on this
  // column, else ascending on it. The state is shared by the three lists
  // and starts as an ascending sort on column 0 (also where the book's
  // order is that of another column). Texts compare without case, as the
  // runtime's _mbsicmp compares them.
  void SortByClick(ui::ListControl* list, int column);

  // The entry of a row's key; null when there is none.
  const BookEntry* EntryOf(ui::ItemData key) const;

 private:
  const std::vector<std::string>* TextsOf(ui::ItemData key) const;
  void Append(ui::ListControl& list, const BookEntry& entry);

  const ListColumns& columns_;
  const text::LocaleEquality& equality_;
  int codePage_;
  const PickerBook* book_ = nullptr;
  ui::ListControl* full_ = nullptr;
  ui::ListControl* resultA_ = nullptr;
  ui::ListControl* resultB_ = nullptr;
  ListMode mode_ = ListMode::kFull;
  std::vector<std::vector<std::string>> texts_;  // by entry id
  int sortColumn_ = 0;
  bool descending_ = false;
  // What the full list's header shows, for the result lists filled from it.
  int fullArrowColumn_ = -1;
  bool fullArrowAscending_ = true;
};

}  // namespace picker
