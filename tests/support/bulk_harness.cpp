#include "tests/support/bulk_harness.h"

#include <map>

#include "faxbook/res/csv_import_resource.h"

BulkHarness::BulkHarness() {
  std::map<int, std::string> strings;
  for (int id = 61200; id <= 61299; ++id) strings[id] = Marker(id);
  strings[IDS_BOOK_FULL] = "[61238] %ld";
  strings[IDS_GROUP_FULL] = "[61239] %ld";
  strings[IDS_PATH_NOT_IN_CODE_PAGE] = "[61347] %s";
  strings[IDS_APP_TITLE] = "Address Book for Relay FAX";
  strings[IDS_RESPECT_1] = " SAMA";
  strings[IDS_RESPECT_2] = " DONO";
  strings[IDS_RESPECT_3] = " ONCHU";
  resources.SetProgramStrings(strings);
}

void Tick(ui::FakeDialog& d, int tick) { d.Click(tick); }
