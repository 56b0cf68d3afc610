// fdtool normalize: what the editor does to a book from load to apply.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sys/file_system.h"
#include "platform/text/collation.h"
#include "store/entry_table.h"
#include "store/group_table.h"
#include "store/store_alerts.h"

namespace fdtool {

// The entries of these tables (in file order) that the editor's list shows
// after the load, in the order apply writes them: a record whose reading
// repeats the one before it is dropped, each row goes in at the top, and
// the rows are sorted ascending by reading with the list's comparison
// (rows of equal readings keep their order). Indexes into the table.
std::vector<std::uint32_t> ShownInApplyOrder(const store::EntryTable& entries, int langId,
                                             const text::Collation& collation);

// Writes the book that apply would write after loading these tables (the
// entries in file order) under the interface language langId: a record whose
// reading repeats the one before it is dropped, the rows are shown in the
// list (each inserted at the top), sorted ascending by reading with the
// list's comparison, and written with groups as kind 3 and every other row
// as kind 1. False once the sink refuses bytes.
bool WriteNormalized(sys::ByteSink& sink, const store::EntryTable& entries,
                     const store::GroupTable& groups, int langId,
                     const text::Collation& collation);

// The same for a book's bytes in memory: the file apply would write.
std::string NormalizeBook(std::string_view bytes, int langId, const text::Collation& collation,
                          store::StoreAlerts* alerts);

}  // namespace fdtool
