#include "tools/fdtool/normalize.h"

#include "tools/fdtool/editor_book.h"

namespace fdtool {

std::string NormalizeBook(std::string_view bytes, int langId, const text::Collation& collation,
                          store::StoreAlerts* alerts) {
  return ApplyAsEditor(LoadAsEditor(bytes, langId, collation, alerts), langId, collation);
}

}  // namespace fdtool
