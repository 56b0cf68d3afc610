#include "faxpick/book/book_entry.h"

namespace picker {

std::string_view BookEntry::Text(const Span& span, Field field) const {
  std::size_t start = span.start;
  const auto f = static_cast<std::size_t>(field);
  for (std::size_t i = 0; i < f; ++i) start += span.lengths[i];
  return std::string_view(texts_).substr(start, span.lengths[f]);
}

std::string_view BookEntry::MemberText(int i, Field field) const {
  if (i < 0 || i >= MemberCount()) return std::string_view();
  return Text(members_[static_cast<std::size_t>(i)], field);
}

Destination BookEntry::Member(int i) const {
  Destination d;
  if (i < 0 || i >= MemberCount()) return d;
  const Span& span = members_[static_cast<std::size_t>(i)];
  std::string* fields[kFieldCount] = {&d.dispName,    &d.dispNameJP,  &d.faxNumber,
                                      &d.subAddress,  &d.password,    &d.companyName,
                                      &d.departmentName, &d.clientName, &d.respect};
  for (std::size_t f = 0; f < kFieldCount; ++f) fields[f]->assign(Text(span, static_cast<Field>(f)));
  return d;
}

void BookEntry::BeginMember() {
  Span span;
  span.start = texts_.size();
  members_.push_back(span);
}

void BookEntry::AppendText(std::string_view text) {
  if (members_.empty() || members_.back().filled >= kFieldCount) return;
  Span& span = members_.back();
  span.lengths[span.filled++] = static_cast<std::uint32_t>(text.size());
  texts_.append(text);
}

}  // namespace picker
