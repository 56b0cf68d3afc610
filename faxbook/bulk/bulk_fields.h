// The fields the multi-address edit and the replace dialog work on: each
// field's tick, value (or search) edit and replacement edit.
#pragma once

#include <array>

#include "booklib/rules/field_rules.h"
#include "faxbook/res/bulk_edit_resource.h"
#include "faxbook/res/editing_resource.h"

struct BulkFieldControls {
  int tick;
  int value;        // the value of the multi-address edit, the search of the replace
  int replacement;  // the replacement of the replace dialog
};

// In the address dialog's field order (rules::Field).
constexpr std::array<BulkFieldControls, rules::kFieldCount> kBulkFields = {{
    {IDC_TICK_DISP_NAME, IDC_DISP_NAME, IDC_NEW_DISP_NAME},
    {IDC_TICK_READING, IDC_READING, IDC_NEW_READING},
    {IDC_TICK_FAX_NUMBER, IDC_FAX_NUMBER, IDC_NEW_FAX_NUMBER},
    {IDC_TICK_SUB_ADDRESS, IDC_SUB_ADDRESS, IDC_NEW_SUB_ADDRESS},
    {IDC_TICK_PASSWORD, IDC_PASSWORD, IDC_NEW_PASSWORD},
    {IDC_TICK_COMPANY, IDC_COMPANY, IDC_NEW_COMPANY},
    {IDC_TICK_DEPARTMENT, IDC_DEPARTMENT, IDC_NEW_DEPARTMENT},
    {IDC_TICK_RECIPIENT, IDC_RECIPIENT, IDC_NEW_RECIPIENT},
}};

constexpr int kBulkNameFields = 2;  // the registration name and the reading come first

// Whether a field can be ticked: groups have only the two names, and the
// registration name is used in Japanese only (other languages show and
// keep the reading in its place).
inline bool BulkFieldAvailable(int index, bool groupsOnly, const rules::TextRules& rules) {
  if (groupsOnly && index >= kBulkNameFields) return false;
  return index != 0 || rules.Japanese();
}

