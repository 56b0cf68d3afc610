// A book as the editor holds it between a load and an apply.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/text/collation.h"
#include "store/book.h"
#include "store/book_bytes.h"
#include "store/store_alerts.h"

namespace fdtool {

// Reads the book's bytes as the editor's load does (interface language
// langId), in the list order the editor shows them after the load.
std::unique_ptr<store::Book> LoadAsEditor(std::string_view bytes, int langId,
                                          const text::Collation& collation,
                                          store::StoreAlerts* alerts);
// The same for bytes the book may keep: its groups' members stay where
// their lines lie in them, as the editor's load keeps them.
std::unique_ptr<store::Book> LoadAsEditor(store::SharedBytes bytes, int langId,
                                          const text::Collation& collation,
                                          store::StoreAlerts* alerts);

// The file apply writes for the book.
std::string ApplyAsEditor(const store::Book& book, int langId, const text::Collation& collation);

}  // namespace fdtool
