// What the multi-address edit and the replace do to each selected entry.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "booklib/rules/field_rules.h"
#include "booklib/rules/name_index.h"
#include "store/address_record.h"

namespace rules {

// One selected entry.
struct BulkEntry {
  const store::AddressRecord* record;
  bool group;
};

// The fields the user ticked in the multi-address edit and their values.
struct MultiEdit {
  std::array<bool, rules::kFieldCount> ticked{};
  bool respectTicked = false;
  // The values of the ticked fields; respect is the chosen honorific.
  store::EntryTexts values;
};

// The values the multi-address edit proposes: the first entry's, with every
// text that another entry holds differently (ignoring case) left empty. The
// names are compared over all entries, the other texts over the addresses;
// the honorific is the first address's when all addresses share it, else 0.
store::EntryTexts MultiEditProposals(const std::vector<BulkEntry>& entries, int codePage);

// Applies a confirmed multi-address edit to one entry. A ticked name
// becomes unique in the book as it stands (the entry's own name counts as
// taken); names records every change. A group takes only the names; an
// address takes every ticked field, and its honorific follows the
// recipient: an empty ticked recipient clears it, a ticked honorific is set
// only where the recipient is not empty.
void ApplyMultiEdit(const MultiEdit& edit, bool group, const rules::TextRules& rules,
                    NameIndex* names, store::AddressRecord* record);

// The fields the user ticked in the replace dialog with their search and
// replacement texts.
struct Replacement {
  std::array<bool, rules::kFieldCount> ticked{};
  std::array<std::string, rules::kFieldCount> search;
  std::array<std::string, rules::kFieldCount> replacement;
};

// Applies a confirmed replace to one entry. A name in which something was
// replaced is cut to 16 bytes, its blanks normalised as the book's reader
// will, and made unique (an empty result keeps the name); the fax number
// changes only at its start; the other texts get every occurrence replaced
// and are cut to their limits (the company, department and recipient
// normalised too), an empty recipient clearing the honorific. A group takes
// only the names.
void ApplyReplacement(const Replacement& replace, bool group, const rules::TextRules& rules,
                      NameIndex* names, store::AddressRecord* record);

}  // namespace rules
