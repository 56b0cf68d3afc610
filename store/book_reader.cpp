#include "store/book_reader.h"

#include "store/book_file.h"

namespace store {

BookReader::BookReader(const BookContext& context, int capacity, EntryTable* entries,
                       GroupTable* groups, BookLineObserver* observer)
    : context_(context), capacity_(capacity), entries_(entries), groups_(groups), observer_(observer) {
  // Observers see every text, so members are read whole for them.
  parser_.ReadMembersLazily(observer == nullptr);
}

void BookReader::Line(std::string_view line) {
  if (++lineNumber_ == 1) return;
  parser_.Parse(line, context_.read, &parsed_);
  bool stored = false;
  switch (parsed_.kind) {
    case BookLineKind::kEntry:
      if (read_ >= capacity_) break;
      if (parsed_.entryKind == kKindGroup) groups_->AddMember(parsed_.regNo, kKindGroup, TextsView());
      entries_->Add(parsed_.entryKind, parsed_.regNo, parsed_.texts);
      ++read_;
      stored = true;
      break;
    case BookLineKind::kMember:
      stored = parsed_.fields.empty()
                   ? groups_->AddMember(parsed_.memberKey, kKindMember, parsed_.texts)
                   : groups_->AddMemberFields(parsed_.memberKey, kKindMember, parsed_.fields,
                                              parsed_.texts.Reading());
      break;
    case BookLineKind::kBadMember:
      ++badMembers_;
      break;
    default:
      break;
  }
  if (!observer_) return;
  CopyLine(parsed_, &copy_);
  observer_->OnLine(lineNumber_, line, copy_, stored);
}

void BookReader::ShowAlerts() const {
  if (!context_.alerts) return;
  for (int i = 0; i < badMembers_; ++i) context_.alerts->Alert(kUnsupportedAddrType);
}

}  // namespace store
