// fdtool normalize: what the editor does to a book from load to apply.
#pragma once

#include <string>
#include <string_view>

#include "platform/text/collation.h"
#include "store/store_alerts.h"

namespace fdtool {

// Reads the book's bytes as the editor's loader does (interface language
// langId), drops a record whose reading repeats the one before it, shows the
// rows in the list (each inserted at the top), sorts them ascending by
// reading with the list's comparison, and returns the file that apply would
// write.
std::string NormalizeBook(std::string_view bytes, int langId, const text::Collation& collation,
                          store::StoreAlerts* alerts);

}  // namespace fdtool
