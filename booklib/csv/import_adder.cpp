#include "booklib/csv/import_adder.h"

#include "booklib/rules/name_fitting.h"
#include "booklib/rules/book_names.h"
#include "store/reg_no.h"

namespace csv {

bool WouldOverfillBook(int selected, int entries) {
  return static_cast<long long>(selected) + entries > store::kMaxEntries;
}

namespace {

store::AddressRecord RecordFrom(const ImportRow& row, const rules::TextRules& rules,
                                const rules::BookNames& names) {
  using rules::Field;
  store::AddressRecord record;
  record.kind = store::kKindAddress;
  record.respect = store::kRespectNone;
  if (rules.Japanese()) {
    record.dispNameJP = rules::FitJapaneseName(row[Field::kDispNameJP], 1, rules, names);
    record.dispName = rules::FitJapaneseName(row[Field::kDispName], 0, rules, names);
  } else {
    record.dispNameJP = rules::FitOtherLanguageName(row[Field::kDispNameJP], rules, names);
  }
  const auto fit = [&](Field field) {
    return rules::StoredForm(rules::FitToField(row[field], rules::RuleOf(field).maxBytes, rules));
  };
  record.faxNumber = fit(Field::kFaxNumber);
  record.subAddress = fit(Field::kSubAddress);
  record.password = fit(Field::kPassword);
  record.companyName = fit(Field::kCompanyName);
  record.departmentName = fit(Field::kDepartmentName);
  record.clientName = fit(Field::kClientName);
  return record;
}

}  // namespace

AddOutcome AddRows(const ImportList& list, const std::vector<int>& positions, ImportBook& book,
                   const rules::TextRules& rules, const std::function<void(int)>& progress) {
  AddOutcome outcome;
  rules::BookNames names(rules.codePage);
  book.ForEachEntry([&](const store::AddressRecord& r) { names.Add(r.dispName, r.dispNameJP); });
  for (int position : positions) {
    const ImportRow& row = list.At(position);
    if (row.score >= kRefusedScore) {
      outcome.refused.push_back(position);
      continue;
    }
    store::AddressRecord record = RecordFrom(row, rules, names);
    if (!store::NextRegNo(book.EntryCount(), [&](int n) { return book.RegNoInUse(n); },
                          &record.regNo)) {
      outcome.ranOut = true;
      break;
    }
    book.AddAddress(record);
    names.Add(record.dispName, record.dispNameJP);
    outcome.added.push_back(position);
    if (progress) progress(static_cast<int>(outcome.added.size()));
  }
  return outcome;
}

}  // namespace csv
