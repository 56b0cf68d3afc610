#include "faxpick/dialogs/book_lists.h"

#include "faxpick/res/resource.h"
#include "platform/text/codepage.h"

namespace picker {
namespace {

constexpr int kAddressImage = 0;
constexpr int kGroupImage = 1;

void Clear(ui::ListControl* list) {
  if (list) list->DeleteAllItems();
}

}  // namespace

void BookLists::Attach(ui::ListControl* full, ui::ListControl* resultA, ui::ListControl* resultB) {
  full_ = full;
  resultA_ = resultA;
  resultB_ = resultB;
  for (ui::ListControl* list : {full_, resultA_, resultB_}) {
    if (!list) continue;
    columns_.AddAddressColumns(*list);
    list->SetFullRowSelect(true);
    list->SetSmallBitmaps({IDB_ADDRESS, IDB_GROUP});
  }
}

void BookLists::Clear() {
  for (ui::ListControl* list : {full_, resultA_, resultB_}) picker::Clear(list);
  texts_.clear();
  book_ = nullptr;
  mode_ = ListMode::kFull;
}

void BookLists::Append(ui::ListControl& list, const BookEntry& entry) {
  ListColumns::AppendRow(list, texts_[static_cast<std::size_t>(entry.id)],
                         entry.IsGroup() ? kGroupImage : kAddressImage, entry.id);
}

void BookLists::Fill(const PickerBook& book) {
  Clear();
  book_ = &book;
  texts_.assign(static_cast<std::size_t>(book.Size()), {});
  for (const BookEntry* entry : book.Entries()) {
    if (entry->id >= 0 && entry->id < book.Size()) {
      texts_[static_cast<std::size_t>(entry->id)] = columns_.EntryRow(*entry);
    }
  }
  fullArrowColumn_ = columns_.ReadingColumn();
  fullArrowAscending_ = true;
  if (!full_) return;
  full_->SetRedraw(false);
  for (const BookEntry* entry : book.Entries()) Append(*full_, *entry);
  full_->SetRedraw(true);
  full_->SetSortIndicator(fullArrowColumn_, fullArrowAscending_);
}

ui::ListControl* BookLists::Visible() const {
  switch (mode_) {
    case ListMode::kResultA: return resultA_;
    case ListMode::kResultB: return resultB_;
    case ListMode::kFull:
    default: return full_;
  }
}

const std::vector<std::string>* BookLists::TextsOf(ui::ItemData key) const {
  if (key < 0 || static_cast<std::size_t>(key) >= texts_.size()) return nullptr;
  return &texts_[static_cast<std::size_t>(key)];
}

const BookEntry* BookLists::EntryOf(ui::ItemData key) const {
  if (!book_ || !TextsOf(key)) return nullptr;
  return book_->Find(static_cast<int>(key));
}

void BookLists::Search(const std::string& typed, int column) {
  ui::ListControl* target = mode_ == ListMode::kResultA ? resultB_ : resultA_;
  if (!target || !full_) return;
  target->SetRedraw(false);
  target->DeleteAllItems();
  const std::size_t n = typed.size();
  for (int row = 0; row < full_->ItemCount(); ++row) {
    const ui::ItemData key = full_->GetItemData(row);
    const std::vector<std::string>* texts = TextsOf(key);
    const BookEntry* entry = EntryOf(key);
    if (!texts || !entry || column < 0 || static_cast<std::size_t>(column) >= texts->size()) continue;
    const std::string& cell = (*texts)[static_cast<std::size_t>(column)];
    const std::string_view start = std::string_view(cell).substr(0, n);
    if (equality_.Equal(start, typed)) Append(*target, *entry);
  }
  target->SetRedraw(true);
  target->SetSortIndicator(fullArrowColumn_, fullArrowAscending_);
  mode_ = target == resultB_ ? ListMode::kResultB : ListMode::kResultA;
}

void BookLists::SortByClick(ui::ListControl* list, int column) {
  if (column == sortColumn_ && !descending_) {
    descending_ = true;
  } else {
    sortColumn_ = column;
    descending_ = false;
  }
  if (!list) return;
  const auto c = static_cast<std::size_t>(sortColumn_);
  const bool descending = descending_;
  list->SortItems([this, c, descending](ui::ItemData a, ui::ItemData b) {
    const std::vector<std::string>* ta = TextsOf(a);
    const std::vector<std::string>* tb = TextsOf(b);
    const std::string empty;
    const std::string& x = ta && c < ta->size() ? (*ta)[c] : empty;
    const std::string& y = tb && c < tb->size() ? (*tb)[c] : empty;
    const int r = text::CompareNoCase(codePage_, x, y);
    return descending ? -r : r;
  });
  list->SetSortIndicator(sortColumn_, !descending_);
  if (list == full_) {
    fullArrowColumn_ = sortColumn_;
    fullArrowAscending_ = !descending_;
  }
}

}  // namespace picker
