#include "booklib/csv/book_target.h"

namespace csv {

void BookTarget::ForEachEntry(const std::function<void(const store::AddressRecord&)>& visit) const {
  for (int i = 0; i < book_.Size(); ++i) visit(book_.RecordAt(i));
}

bool BookNameLookup::IsNameUsed(const std::string& text, int kind) const {
  for (int i = 0; i < book_.Size(); ++i) {
    const store::AddressRecord& record = book_.RecordAt(i);
    if ((kind == 0 ? record.dispName : record.dispNameJP) == text) return true;
  }
  return false;
}

}  // namespace csv
