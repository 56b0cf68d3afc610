#include "tests/support/csv_import_harness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

CsvImportHarness::CsvImportHarness() {
  std::map<int, std::string> strings;
  for (int id : {IDS_CAPTION, IDS_COLUMN_NAME, IDS_COLUMN_READING, IDS_COLUMN_FAX,
                 IDS_COLUMN_COMPANY, IDS_COLUMN_DEPARTMENT, IDS_COLUMN_RECIPIENT, IDS_SAVE_QUESTION,
                 IDS_NO_SELECTION, IDS_BAD_INSTALLATION, IDS_INPUT_ERROR, IDS_NEW_ADDRESS_TITLE,
                 IDS_EDIT_ADDRESS_TITLE, IDS_RESPECT_NONE, IDS_RESPECT_ITEM_1, IDS_RESPECT_ITEM_2,
                 IDS_RESPECT_ITEM_3, IDS_NO_FIELD, IDS_CSV_FILTER, IDS_BAD_FILE, IDS_EDIT_SEVERAL,
                 IDS_COLUMN_SUB_ADDRESS, IDS_COLUMN_PASSWORD, IDS_FILE_IN_USE,
                 IDS_IMPORT_WARNING}) {
    strings[id] = Marker(id);
  }
  for (int id = 61231; id <= 61260; ++id) strings[id] = Marker(id);
  // The import's own strings run to 61359.
  for (int id = IDS_EXPORT_FAILED; id <= 61359; ++id) strings[id] = Marker(id);
  // The formats the dialogs fill in.
  strings[IDS_CHARSET_CODE_PAGE] = "[61332] %s";
  strings[IDS_REASON_REFUSED] = "[61336] %1";
  strings[IDS_REASON_TOO_LONG] = "[61337] %1";
  strings[IDS_REASON_LACKING] = "[61338] %1 %2";
  strings[IDS_REASON_NOT_UTF8] = "[61342] %1 %2";
  strings[IDS_REASON_NOT_UTF16] = "[61344] %1 %2";
  strings[IDS_IMPORT_SKIPPED] = "[61346] %s";
  strings[IDS_PATH_NOT_IN_CODE_PAGE] = "[61347] %s";
  strings[IDS_BOOK_FULL] = "[61238] %ld";
  strings[IDS_EXPORT_OVER_BOOK] = Marker(IDS_EXPORT_OVER_BOOK);
  strings[IDS_APP_TITLE] = "Address Book for Relay FAX";
  strings[IDS_RESPECT_1] = " SAMA";
  strings[IDS_RESPECT_2] = " DONO";
  strings[IDS_RESPECT_3] = " ONCHU";
  resources.SetProgramStrings(strings);
}

void CsvImportHarness::SetCsv(const std::vector<std::string>& lines, const std::string& path) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  files.SetFile(path, bytes);
}

void CsvImportHarness::ImportCsv(const std::string& path) {
  fileDialogs.ChooseNext(path);
  Command(ID_IMPORT_CSV);
}

::testing::AssertionResult CsvImportHarness::DialogsAsScripted() const {
  if (!dialogs.Problems().empty()) return ::testing::AssertionFailure() << dialogs.Problems()[0];
  if (dialogs.PendingScripts() != 0) {
    return ::testing::AssertionFailure() << dialogs.PendingScripts() << " scripts never ran";
  }
  return ::testing::AssertionSuccess();
}

ui::FakeListControl& ConfirmList(ui::FakeDialog& d) { return d.FakeList(IDC_CONFIRM_LIST); }

std::vector<std::vector<std::string>> AllRows(ui::FakeListControl& list) {
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < list.ItemCount(); ++r) rows.push_back(list.Row(r));
  return rows;
}

std::vector<int> RowsShowing(ui::FakeListControl& list, int column, const std::string& text) {
  std::vector<int> rows;
  for (int r = 0; r < list.ItemCount(); ++r) {
    if (list.ItemText(r, column) == text) rows.push_back(r);
  }
  return rows;
}

std::vector<std::string> NumberedBook(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) {
    char line[96];
    std::snprintf(line, sizeof(line), "[FAX_ADDR]=1,%d,N%04d,R%04d,03-%d,,,,,,0", i, i, i, i);
    lines.push_back(line);
  }
  return lines;
}
