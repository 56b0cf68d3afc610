// The edit controls of the eight fields in the address dialog's order.
#pragma once

#include <array>

#include "booklib/rules/field_rules.h"
#include "faxbook/res/editing_resource.h"

constexpr std::array<int, rules::kFieldCount> kFieldControls = {
    IDC_DISP_NAME, IDC_READING, IDC_FAX_NUMBER, IDC_SUB_ADDRESS,
    IDC_PASSWORD,  IDC_COMPANY, IDC_DEPARTMENT, IDC_RECIPIENT,
};

