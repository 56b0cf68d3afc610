// The edit controls of the eight fields in the address dialog's order.
#pragma once

#include <array>

#include "faxbook/editing/field_rules.h"
#include "faxbook/res/editing_resource.h"
#include "store/address_record.h"

namespace editing {

constexpr std::array<int, kFieldCount> kFieldControls = {
    IDC_DISP_NAME, IDC_READING, IDC_FAX_NUMBER, IDC_SUB_ADDRESS,
    IDC_PASSWORD,  IDC_COMPANY, IDC_DEPARTMENT, IDC_RECIPIENT,
};

inline Field FieldAt(int index) { return static_cast<Field>(index); }

// The text of a field in a record (fields and store texts share the order).
inline std::string& TextOf(store::EntryTexts& texts, int index) {
  return texts.*store::kTextFields[static_cast<std::size_t>(index)].member;
}

}  // namespace editing
