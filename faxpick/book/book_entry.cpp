#include "faxpick/book/book_entry.h"

#include "faxpick/book/picker_book.h"

namespace picker {

std::string_view BookEntry::MemberText(int i, Field field) const {
  if (i < 0 || i >= memberCount_) return std::string_view();
  return book_->TextsOf(members_[i])[static_cast<std::size_t>(field)];
}

Destination BookEntry::Member(int i) const {
  Destination d;
  if (i < 0 || i >= memberCount_) return d;
  const MemberTexts& texts = book_->TextsOf(members_[i]);
  std::string* fields[kFieldCount] = {&d.dispName,    &d.dispNameJP,  &d.faxNumber,
                                      &d.subAddress,  &d.password,    &d.companyName,
                                      &d.departmentName, &d.clientName, &d.respect};
  for (std::size_t f = 0; f < kFieldCount; ++f) fields[f]->assign(texts[f]);
  return d;
}

}  // namespace picker
