// The editor on the in-memory backends with the strings of the editing
// dialogs as "[id]" markers, and helpers to act in the dialogs.
#pragma once

#include <string>
#include <vector>

#include "faxbook/res/editing_resource.h"
#include "faxbook/res/resource.h"
#include "tests/support/editor_harness.h"

class EditingHarness : public EditorHarness {
 public:
  EditingHarness();
  // Starts the editor on a book of these lines in the data folder.
  void StartWith(const std::vector<std::string>& lines);
  // The row whose reading column shows `reading`; -1 when there is none.
  int RowOf(const std::string& reading);
  void Select(const std::vector<std::string>& readings);
  // The record behind the row showing `reading`.
  const store::AddressRecord* Record(const std::string& reading);
  // The readings of a group's members in position order.
  std::vector<std::string> MemberReadings(const std::string& groupReading);
  std::vector<std::string> MessageIds();
  void Command(int id) { View().OnCommand(id); }
};

// Fills the address dialog's fields: name, reading, fax number, and the
// others when given.
void FillAddress(ui::FakeDialog& d, const std::string& name, const std::string& reading,
                 const std::string& fax);
