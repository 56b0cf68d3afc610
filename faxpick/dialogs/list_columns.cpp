#include "faxpick/dialogs/list_columns.h"

#include "faxpick/res/resource.h"

namespace picker {
namespace {

std::string Recipient(const Destination& d) { return d.clientName + " " + d.respect; }

}  // namespace

void ListColumns::AddAddressColumns(ui::ListControl& list) const {
  if (japanese_) {
    list.AddColumn(strings_.String(IDS_COLUMN_NAME), 90);
    list.AddColumn(strings_.String(IDS_COLUMN_READING), 50);
    for (int id : {IDS_COLUMN_FAX, IDS_COLUMN_COMPANY, IDS_COLUMN_DEPARTMENT, IDS_COLUMN_RECIPIENT}) {
      list.AddColumn(strings_.String(id), 80);
    }
    return;
  }
  for (int id : {IDS_COLUMN_NAME, IDS_COLUMN_FAX, IDS_COLUMN_COMPANY, IDS_COLUMN_DEPARTMENT,
                 IDS_COLUMN_RECIPIENT}) {
    list.AddColumn(strings_.String(id), 120);
  }
}

void ListColumns::AddSendColumns(ui::ListControl& list) const {
  for (int id : {IDS_COLUMN_FAX, IDS_COLUMN_COMPANY, IDS_COLUMN_DEPARTMENT, IDS_COLUMN_RECIPIENT}) {
    list.AddColumn(strings_.String(id), japanese_ ? 90 : 120);
  }
}

std::vector<std::string> ListColumns::EntryRow(const BookEntry& entry) const {
  if (!entry.IsGroup() && entry.MemberCount() > 0) return MemberRow(entry.Member(0));
  std::vector<std::string> row;
  if (japanese_) row.emplace_back(entry.dispName);
  row.emplace_back(entry.dispNameJP);
  row.resize(japanese_ ? 6 : 5);
  return row;
}

std::vector<std::string> ListColumns::MemberRow(const Destination& member) const {
  std::vector<std::string> row;
  if (japanese_) row.push_back(member.dispName);
  row.push_back(member.dispNameJP);
  for (const std::string* text : {&member.faxNumber, &member.companyName, &member.departmentName}) {
    row.push_back(*text);
  }
  row.push_back(Recipient(member));
  return row;
}

std::vector<std::string> ListColumns::SendRow(const Destination& d) {
  return {d.faxNumber, d.companyName, d.departmentName, Recipient(d)};
}

int ListColumns::AppendRow(ui::ListControl& list, const std::vector<std::string>& texts, int image,
                           ui::ItemData key) {
  const int row = list.InsertItem(list.ItemCount(), texts.empty() ? std::string() : texts[0], image, key);
  if (row < 0) return row;
  for (std::size_t c = 1; c < texts.size(); ++c) {
    if (!texts[c].empty()) list.SetItemText(row, static_cast<int>(c), texts[c]);
  }
  return row;
}

}  // namespace picker
