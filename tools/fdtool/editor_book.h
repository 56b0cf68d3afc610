// A book as the editor holds it between a load and an apply.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/collation.h"
#include "store/address_record.h"
#include "store/group_table.h"
#include "store/store_alerts.h"

namespace fdtool {

struct EditorBook {
  // The list's rows, top to bottom, each with its record.
  std::vector<store::AddressRecord> rows;
  std::unique_ptr<store::GroupTable> groups;
};

// Reads the book's bytes as the editor's loader does (interface language
// langId): a record whose reading repeats the one before it is dropped, each
// row is inserted at the top, and the rows are sorted ascending by reading
// with the list's comparison.
EditorBook LoadAsEditor(std::string_view bytes, int langId, const text::Collation& collation,
                        store::StoreAlerts* alerts);

// The file apply writes for the book: its rows sorted ascending by reading,
// group rows as kind 3 and every other row as kind 1.
std::string ApplyAsEditor(const EditorBook& book, int langId, const text::Collation& collation);

}  // namespace fdtool
