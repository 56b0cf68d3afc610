#include "faxbook/import/view_import_book.h"

namespace importing {

void ViewImportBook::ForEachEntry(
    const std::function<void(const store::AddressRecord&)>& visit) const {
  const int rows = view_.List()->ItemCount();
  for (int row = 0; row < rows; ++row) {
    int rowId = 0;
    const store::AddressRecord* record = view_.RowId(row, &rowId) ? view_.FindRecord(rowId) : nullptr;
    if (record) visit(*record);
  }
}

void ViewImportBook::AddAddress(const store::AddressRecord& record) {
  const int rowId = view_.InsertRow(0, record.regNo, "", view_.RowTextsFor(record, false));
  view_.AddRecord(rowId, record);
}

bool ViewNames::IsNameUsed(const std::string& text, int kind) const {
  bool used = false;
  ViewImportBook(view_).ForEachEntry([&](const store::AddressRecord& record) {
    if ((kind == 0 ? record.dispName : record.dispNameJP) == text) used = true;
  });
  return used;
}

}  // namespace importing
