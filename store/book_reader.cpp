#include "store/book_reader.h"

#include "store/book_file.h"

namespace store {

BookReader::BookReader(const BookContext& context, int capacity, EntryTable* entries,
                       GroupTable* groups, BookLineObserver* observer)
    : context_(context), capacity_(capacity), entries_(entries), groups_(groups), observer_(observer) {
  // Observers see every text, so members are read whole for them.
  parser_.ReadMembersLazily(observer == nullptr);
  keep_ = observer == nullptr && groups->KeptBytes() != nullptr;
  parser_.KeepMemberFields(keep_);
}

bool BookReader::KeptMemberLine(std::string_view line) {
  // "[FAX_ADDR_GM]=4,", plain digits and a comma, no NUL among them: the
  // line parser's answer is then known, and what follows is the fields.
  constexpr std::string_view start = "[FAX_ADDR_GM]=4,";
  if (line.size() <= start.size() || line.compare(0, start.size(), start) != 0) return false;
  std::size_t i = start.size();
  long key = 0;
  while (i < line.size() && i < start.size() + 9 && line[i] >= '0' && line[i] <= '9') {
    key = key * 10 + (line[i++] - '0');
  }
  if (i == start.size() || i >= line.size() || line[i] != ',') return false;
  groups_->AddKeptMember(static_cast<int>(key), line, line.substr(i + 1));
  return true;
}

void BookReader::Line(std::string_view line) {
  if (++lineNumber_ == 1) return;
  if (keep_ && KeptMemberLine(line)) return;
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
      if (keep_) {
        stored = groups_->AddKeptMember(parsed_.memberKey, line, parsed_.fields);
        break;
      }
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
