// Small books for the merge's tests, and a picture of what a book holds.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "booklib/merge/book_merge.h"
#include "store/book.h"

namespace merge {
namespace testing_books {

class NoAlerts : public store::StoreAlerts {
 public:
  void Alert(const std::string&) override {}
};

inline NoAlerts* Alerts() {
  static NoAlerts alerts;
  return &alerts;
}

// One entry: an address, or a group with its members.
struct Plan {
  store::AddressRecord record;
  std::vector<store::MemberEntry> members;
};

inline store::MemberEntry M(const std::string& reading, const std::string& fax = "1") {
  store::MemberEntry m;
  m.dispName = "N" + reading;
  m.dispNameJP = reading;
  m.faxNumber = fax;
  return m;
}

inline Plan A(int regNo, const std::string& reading, const std::string& fax = "1") {
  Plan s;
  s.record.kind = store::kKindAddress;
  s.record.regNo = regNo;
  s.record.dispName = "N" + reading;
  s.record.dispNameJP = reading;
  s.record.faxNumber = fax;
  return s;
}

inline Plan G(int regNo, const std::string& reading, std::vector<store::MemberEntry> members) {
  Plan s;
  s.record.kind = store::kKindGroup;
  s.record.regNo = regNo;
  s.record.dispName = "N" + reading;
  s.record.dispNameJP = reading;
  s.members = std::move(members);
  return s;
}

inline std::unique_ptr<store::Book> BookOf(const std::vector<Plan>& plans, int codePage = 932) {
  auto book = std::make_unique<store::Book>(codePage, Alerts());
  std::vector<store::AddressRecord> records;
  store::GroupTable groups(codePage, Alerts());
  for (const Plan& s : plans) {
    records.push_back(s.record);
    if (s.record.kind != store::kKindGroup) continue;
    groups.AddMember(s.record.regNo, store::kKindGroup, store::MemberEntry());
    for (const store::MemberEntry& m : s.members) {
      groups.AddMember(s.record.regNo, store::kKindMember, m);
    }
  }
  book->Load(std::move(records), std::move(groups));
  return book;
}

inline std::string Texts(const store::EntryTexts& t) {
  std::ostringstream out;
  out << t.dispName << '/' << t.dispNameJP << '/' << t.faxNumber << '/' << t.subAddress << '/'
      << t.password << '/' << t.companyName << '/' << t.departmentName << '/' << t.clientName
      << '/' << t.respect;
  return out.str();
}

// Every entry by number with its texts and members in position order, one
// line each, ascending by number: equal pictures, equal books (the list
// order aside).
inline std::string Picture(const store::Book& book) {
  std::map<int, std::vector<std::string>> lines;
  for (int i = 0; i < book.Size(); ++i) {
    const store::AddressRecord& r = book.RecordAt(i);
    std::string line = std::to_string(r.kind) + " " + Texts(r);
    if (r.kind == store::kKindGroup) {
      for (const store::MemberEntry& m : MembersOf(book, r.regNo)) line += " [" + Texts(m) + "]";
    }
    lines[r.regNo].push_back(line);
  }
  std::string out;
  for (auto& [regNo, texts] : lines) {
    std::sort(texts.begin(), texts.end());
    for (const std::string& t : texts) out += std::to_string(regNo) + " " + t + "\n";
  }
  return out;
}

// The merge of three books with every conflict resolved to one side, as a
// book.
inline std::unique_ptr<store::Book> Merged(const store::Book& base, const store::Book& mine,
                                           const store::Book& theirs, Side side,
                                           MergePlan* planOut = nullptr,
                                           int langId = kJapanese) {
  MergePlan plan = PlanMerge(base, mine, theirs, langId);
  MergedBook merged(theirs.CodePage(), Alerts());
  rules::TextRules rules;
  rules.langId = langId;
  rules.codePage = theirs.CodePage();
  BuildMerged(plan, AllChoices(plan, side), rules, &merged);
  auto book = std::make_unique<store::Book>(theirs.CodePage(), Alerts());
  book->Load(std::move(merged.records), std::move(merged.groups));
  if (planOut) *planOut = std::move(plan);
  return book;
}

}  // namespace testing_books
}  // namespace merge
