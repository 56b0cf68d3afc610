// The editor on the in-memory backends with the CSV import's strings as
// "[id]" markers, and helpers to act in its two dialogs.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "faxbook/res/csv_import_resource.h"
#include "tests/support/editing_harness.h"

class CsvImportHarness : public EditingHarness {
 public:
  CsvImportHarness();

  static constexpr char kCsv[] = "C:\\data\\list.csv";

  // A CSV file of these lines, each ended by CR LF.
  void SetCsv(const std::vector<std::string>& lines, const std::string& path = kCsv);
  // The user picks `path` in the open-file dialog of the import command.
  void ImportCsv(const std::string& path = kCsv);
  // The scripts ran as written: no dialog without one, none left open.
  ::testing::AssertionResult DialogsAsScripted() const;
};

// The confirmation list of a running confirmation dialog.
ui::FakeListControl& ConfirmList(ui::FakeDialog& d);
// The rows of a list, each as its cells.
std::vector<std::vector<std::string>> AllRows(ui::FakeListControl& list);
// The positions of the rows whose column `column` shows `text`.
std::vector<int> RowsShowing(ui::FakeListControl& list, int column, const std::string& text);
// A book of `count` addresses with readings R0001, R0002, ...
std::vector<std::string> NumberedBook(int count);
