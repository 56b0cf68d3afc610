// Adding the chosen rows of the import confirmation to the book.
#pragma once

#include <functional>
#include <vector>

#include "booklib/rules/field_rules.h"
#include "booklib/csv/import_book.h"
#include "booklib/csv/import_list.h"

namespace csv {

// Whether adding `selected` rows to a book of `entries` entries would pass
// the book's limit (the refused rows count too).
bool WouldOverfillBook(int selected, int entries);

struct AddOutcome {
  // Positions (in the list, ascending) of the rows that became addresses,
  // and of the refused ("!") rows that were passed over.
  std::vector<int> added;
  std::vector<int> refused;
  // No free registration number was left part way (the rows after it were
  // not visited).
  bool ranOut = false;
};

// Visits the rows at `positions` (ascending: top to bottom) and adds each
// one that is not refused as a single address: Japanese names made unique
// (FitJapaneseName), other languages' names unique ignoring case
// (FitOtherLanguageName) with no registration name, every other value cut
// to its field's limit, the next free registration number, no honorific.
// Each address goes to the top of the book's list and takes part in the
// in-use tests of the rows after it. progress hears the count after each.
AddOutcome AddRows(const ImportList& list, const std::vector<int>& positions, ImportBook& book,
                   const rules::TextRules& rules,
                   const std::function<void(int added)>& progress = nullptr);

}  // namespace csv
