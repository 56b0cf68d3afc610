#include "store/address_record.h"

namespace store {

const std::array<TextField, kTextFieldCount> kTextFields = {{
    {&EntryTexts::dispName, "DispName", 16},
    {&EntryTexts::dispNameJP, "DispNameJP", 16},
    {&EntryTexts::faxNumber, "FaxNumber", 32},
    {&EntryTexts::subAddress, "SubAddress", 20},
    {&EntryTexts::password, "Password", 20},
    {&EntryTexts::companyName, "CompanyName", 64},
    {&EntryTexts::departmentName, "DepartmentName", 64},
    {&EntryTexts::clientName, "ClientName", 20},
}};

}  // namespace store
