// The three address lists of the destination dialog, which share one
// place: the full list of the book, and two result lists that successive
// searches fill in turn (so that the list on show is never the one being
// filled). The lists hold no rows of their own: each shows the entries
// whose ids it is given here, in that order, and asks for the texts of the
// rows it draws (their templates make them virtual lists).
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
  BookLists(const ListColumns& columns, const text::LocaleEquality& equality, int codePage);
  BookLists(const BookLists&) = delete;
  BookLists& operator=(const BookLists&) = delete;

  // The full list and the result lists A and B; gives them their columns,
  // their images (single address 0, group 1) and their rows.
  void Attach(ui::ListControl* full, ui::ListControl* resultA, ui::ListControl* resultB);
  // The lists no longer ask for rows here (their window is going).
  void Detach();

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
  ui::ListControl* Full() const { return full_.list; }

  // Fills the result list not on show with the rows of the full list, in
  // its order, whose text in `column` starts with `typed` (the system's
  // comparison of the text cut to the typed length, with no flags), and
  // makes it the one on show.
  void Search(const std::string& typed, int column);

  // A header click: descending when the last sort was ascending on this
  // column, else ascending on it. The state is shared by the three lists
  // and starts as an ascending sort on column 0 (also where the book's
  // order is that of another column). Texts compare without case, as the
  // runtime's _mbsicmp compares them; rows of equal texts keep their
  // order. The selected rows and the focused one stay so, wherever they
  // move; while they are put back, Rearranging() is true.
  void SortByClick(ui::ListControl* list, int column);
  bool Rearranging() const { return rearranging_; }

  // The entry shown in a row of one of the three lists; null when none.
  const BookEntry* EntryAt(const ui::ListControl* list, int row) const;
  // The ids of the entries one of the lists shows, top to bottom.
  const std::vector<int>* IdsOf(const ui::ListControl* list) const;

 private:
  // One list and the ids of the entries it shows.
  class Rows : public ui::ListRows {
   public:
    explicit Rows(const BookLists& owner) : owner_(owner) {}
    std::string CellText(int row, int column) const override;
    int RowImage(int row) const override;
    bool FindsTypedText() const override { return true; }
    const BookEntry* EntryAt(int row) const;
    // Shows ids again: the control learns the new count.
    void Show();

    ui::ListControl* list = nullptr;
    std::vector<int> ids;

   private:
    const BookLists& owner_;
  };

  Rows* RowsOf(const ui::ListControl* list);
  const Rows* RowsOf(const ui::ListControl* list) const;

  const ListColumns& columns_;
  const text::LocaleEquality& equality_;
  int codePage_;
  const PickerBook* book_ = nullptr;
  Rows full_;
  Rows resultA_;
  Rows resultB_;
  ListMode mode_ = ListMode::kFull;
  int sortColumn_ = 0;
  bool descending_ = false;
  bool rearranging_ = false;
  // What the full list's header shows, for the result lists filled from it.
  int fullArrowColumn_ = -1;
  bool fullArrowAscending_ = true;
};

}  // namespace picker
