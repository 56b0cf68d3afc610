#include "store/book_order.h"

#include <algorithm>

#include "platform/text/list_order.h"

namespace store {

std::vector<AddressRecord> DropRepeatedReadings(std::vector<AddressRecord> records) {
  std::vector<AddressRecord> kept;
  kept.reserve(records.size());
  std::string previous;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const bool repeated = i > 0 && records[i].dispNameJP == previous;
    previous = records[i].dispNameJP;
    if (!repeated) kept.push_back(std::move(records[i]));
  }
  return kept;
}

void SortByReading(const text::Collation& collation, int langId,
                   std::vector<AddressRecord>* records) {
  std::stable_sort(records->begin(), records->end(),
                   [&](const AddressRecord& a, const AddressRecord& b) {
                     return text::CompareListTexts(collation, langId, a.dispNameJP,
                                                   b.dispNameJP) < 0;
                   });
}

}  // namespace store
