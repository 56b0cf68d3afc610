#include "store/book_reader.h"

#include "store/book_file.h"

namespace store {

BookReader::BookReader(const BookContext& context, int capacity,
                       std::vector<AddressRecord>* records, GroupTable* groups,
                       BookLineObserver* observer)
    : context_(context), capacity_(capacity), records_(records), groups_(groups), observer_(observer) {}

void BookReader::Line(std::string_view line) {
  if (++lineNumber_ == 1) return;
  ParseBookLine(line, context_.read, &parsed_);
  bool stored = false;
  switch (parsed_.kind) {
    case BookLineKind::kEntry:
      if (read_ >= capacity_) break;
      if (parsed_.entry.kind == kKindGroup) {
        groups_->AddMember(parsed_.entry.regNo, kKindGroup, MemberEntry());
      }
      if (observer_) observer_->OnLine(lineNumber_, line, parsed_, true);
      records_->push_back(std::move(parsed_.entry));
      ++read_;
      return;
    case BookLineKind::kMember:
      if (observer_) {
        stored = groups_->AddMember(parsed_.memberKey, kKindMember, parsed_.member);
      } else {
        groups_->AddMember(parsed_.memberKey, kKindMember, std::move(parsed_.member));
      }
      break;
    case BookLineKind::kBadMember:
      ++badMembers_;
      break;
    default:
      break;
  }
  if (observer_) observer_->OnLine(lineNumber_, line, parsed_, stored);
}

void BookReader::ShowAlerts() const {
  if (!context_.alerts) return;
  for (int i = 0; i < badMembers_; ++i) context_.alerts->Alert(kUnsupportedAddrType);
}

}  // namespace store
