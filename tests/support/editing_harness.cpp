#include "tests/support/editing_harness.h"

#include <map>

EditingHarness::EditingHarness() {
  std::map<int, std::string> strings;
  for (int id : {IDS_CAPTION, IDS_COLUMN_NAME, IDS_COLUMN_READING, IDS_COLUMN_FAX,
                 IDS_COLUMN_COMPANY, IDS_COLUMN_DEPARTMENT, IDS_COLUMN_RECIPIENT, IDS_SAVE_QUESTION,
                 IDS_NO_SELECTION, IDS_BAD_INSTALLATION, IDS_INPUT_ERROR, IDS_NEW_GROUP_TITLE,
                 IDS_EDIT_GROUP_TITLE, IDS_NEW_ADDRESS_TITLE, IDS_EDIT_ADDRESS_TITLE,
                 IDS_DELETE_ADDRESS, IDS_NO_MEMBERS, IDS_DELETE_GROUP, IDS_DELETE_SEVERAL,
                 IDS_RESPECT_NONE, IDS_RESPECT_ITEM_1, IDS_RESPECT_ITEM_2, IDS_RESPECT_ITEM_3}) {
    strings[id] = Marker(id);
  }
  for (int id = 61231; id <= 61260; ++id) strings[id] = Marker(id);
  strings[IDS_BOOK_FULL] = "[61238] %ld";
  strings[IDS_GROUP_FULL] = "[61239] %ld";
  strings[IDS_APP_TITLE] = "Address Book for Relay FAX";
  strings[IDS_RESPECT_1] = " SAMA";
  strings[IDS_RESPECT_2] = " DONO";
  strings[IDS_RESPECT_3] = " ONCHU";
  resources.SetProgramStrings(strings);
}

void EditingHarness::StartWith(const std::vector<std::string>& lines) {
  files.SetFile(DataFile(), Book(lines));
  Start();
}

int EditingHarness::RowOf(const std::string& reading) {
  const int column = LangId() == 1041 ? 1 : 0;
  for (int row = 0; row < List().ItemCount(); ++row) {
    if (List().ItemText(row, column) == reading) return row;
  }
  return -1;
}

void EditingHarness::Select(const std::vector<std::string>& readings) {
  std::vector<int> rows;
  for (const std::string& r : readings) rows.push_back(RowOf(r));
  List().SelectOnly(rows);
}

const store::AddressRecord* EditingHarness::Record(const std::string& reading) {
  const int row = RowOf(reading);
  if (row < 0) return nullptr;
  return TheBook().Find(TheBook().IdAt(row));
}

std::vector<std::string> EditingHarness::MemberReadings(const std::string& groupReading) {
  std::vector<std::string> out;
  const store::AddressRecord* group = Record(groupReading);
  if (!group) return out;
  std::vector<store::MemberEntry> members;
  TheBook().Groups().CopyMembers(group->regNo, store::kMaxMembers, &members);
  for (const store::MemberEntry& m : members) out.push_back(m.dispNameJP);
  return out;
}

std::vector<std::string> EditingHarness::MessageIds() { return Messages(); }

void FillAddress(ui::FakeDialog& d, const std::string& name, const std::string& reading,
                 const std::string& fax) {
  d.Type(IDC_DISP_NAME, name);
  d.Type(IDC_READING, reading);
  d.Type(IDC_FAX_NUMBER, fax);
}
