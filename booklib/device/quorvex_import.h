// The address entries the device import makes of a machine's destinations.
#pragma once

#include <vector>

#include "booklib/rules/field_rules.h"
#include "booklib/device/quorvex_file_reader.h"
#include "store/address_record.h"

namespace device {

struct QuorvexEntries {
  // One address per destination in the destinations' order, with the
  // registration numbers 1, 2, ... of a book emptied for the import.
  std::vector<store::AddressRecord> records;
  // The book's limit stopped the import: records holds the first 3000.
  bool full = false;
};

// Each destination becomes an address: the registration name is its name;
// the reading is its key in Japanese and its name in other languages. The
// texts are taken as a book holds them (ideographic spaces and trimmed
// blanks as the reader leaves them); both names are cut to 16 bytes without
// splitting a double-byte character; a reading outside the reading class,
// and an empty name or reading, becomes "0"; then the reading and the name
// are made unique among the entries made before, with a "(n)" suffix.
QuorvexEntries MakeQuorvexEntries(const std::vector<QuorvexDestination>& destinations,
                                  const rules::TextRules& rules);

}  // namespace device
