#include "booklib/device/quorvex_import.h"

#include <unordered_set>

#include "booklib/rules/name_fitting.h"
#include "booklib/rules/name_index.h"
#include "booklib/rules/unique_name.h"
#include "platform/text/blanks.h"
#include "platform/text/codepage.h"
#include "store/reg_no.h"

namespace device {

namespace {

constexpr char kPlaceholderName[] = "0";

// A name as the book will hold it after the next load: the reader
// normalises blanks, so a value that differs only in them would come back
// equal to another entry's.
std::string NameAsStored(const std::string& value, const rules::TextRules& rules) {
  const std::string normalised = text::NormaliseSpaces(rules.codePage, value);
  return text::NormaliseSpaces(rules.codePage,
                               text::CutToBytes(rules.codePage, normalised, rules::kNameBytes));
}

}  // namespace

QuorvexEntries MakeQuorvexEntries(const std::vector<QuorvexDestination>& destinations,
                                  const rules::TextRules& rules) {
  QuorvexEntries result;
  rules::NameIndex names;
  std::unordered_set<int> regNos;
  for (const QuorvexDestination& destination : destinations) {
    int regNo = 0;
    if (!store::NextRegNo(static_cast<int>(result.records.size()),
                          [&](int n) { return regNos.count(n) != 0; }, &regNo)) {
      result.full = true;
      break;
    }
    std::string name = NameAsStored(destination.name, rules);
    std::string reading = NameAsStored(rules.Japanese() ? destination.key : destination.name, rules);
    if (!rules::CheckReadingChars(reading, rules) || reading.empty()) reading = kPlaceholderName;
    if (name.empty()) name = kPlaceholderName;
    reading = rules::MakeUniqueName(reading, 1, rules, names);
    name = rules::MakeUniqueName(name, 0, rules, names);

    store::AddressRecord record;
    record.kind = store::kKindAddress;
    record.regNo = regNo;
    record.dispName = name;
    record.dispNameJP = reading;
    record.faxNumber = text::NormaliseSpaces(rules.codePage, destination.faxNumber);
    record.subAddress = text::NormaliseSpaces(rules.codePage, destination.subAddress);
    record.password = text::NormaliseSpaces(rules.codePage, destination.password);
    names.Add(0, name);
    names.Add(1, reading);
    regNos.insert(regNo);
    result.records.push_back(std::move(record));
  }
  return result;
}

}  // namespace device
