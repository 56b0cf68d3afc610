#include "faxbook/editing/member_list.h"

#include <algorithm>

#include "faxbook/res/resource.h"
#include "platform/text/list_order.h"

void MemberList::Attach(ui::ListControl* list) {
  list_ = list;
  cells_.clear();
  sortColumn_ = ReadingColumn();
  ascending_ = true;
  if (!list_) return;
  list_->DeleteAllItems();
  list_->SetFullRowSelect(true);
  list_->SetSingleSelection(false);
  const int w = list_->ClientWidth();
  if (langId_ == 1041) {
    list_->AddColumn(strings_.String(IDS_COLUMN_NAME), w / 3 - 1);
    list_->AddColumn(strings_.String(IDS_COLUMN_READING), w / 3 - 1);
    list_->AddColumn(strings_.String(IDS_COLUMN_FAX), w / 3 - 4);
  } else {
    list_->AddColumn(strings_.String(IDS_COLUMN_NAME), w / 2 - 1);
    list_->AddColumn(strings_.String(IDS_COLUMN_FAX), w / 2 - 4);
  }
}

void MemberList::AddRow(const store::MemberEntry& member) {
  if (!list_) return;
  std::vector<std::string> cells;
  if (langId_ == 1041) cells.push_back(member.dispName);
  cells.push_back(member.dispNameJP);
  cells.push_back(member.faxNumber);
  const auto data = static_cast<ui::ItemData>(cells_.size());
  const int row = list_->InsertItem(list_->ItemCount(), cells[0], 0, data);
  for (std::size_t c = 1; c < cells.size(); ++c) {
    list_->SetItemText(row, static_cast<int>(c), cells[c]);
  }
  cells_.push_back(std::move(cells));
}

void MemberList::AddRows(const std::vector<store::MemberEntry>& members) {
  for (const store::MemberEntry& m : members) AddRow(m);
}

void MemberList::Clear() {
  if (list_) list_->DeleteAllItems();
  cells_.clear();
}

std::string MemberList::ReadingAt(int row) const {
  return list_ ? list_->ItemText(row, ReadingColumn()) : std::string();
}

void MemberList::Sort() { SortBy(sortColumn_, ascending_); }

void MemberList::OnColumnClick(int column) {
  if (column == sortColumn_ && ascending_) {
    SortBy(column, false);
  } else {
    SortBy(column, true);
  }
}

void MemberList::SortBy(int column, bool ascending) {
  sortColumn_ = column;
  ascending_ = ascending;
  if (!list_) return;
  list_->SortItems([this](ui::ItemData a, ui::ItemData b) {
    const auto ia = static_cast<std::size_t>(a);
    const auto ib = static_cast<std::size_t>(b);
    if (ia >= cells_.size() || ib >= cells_.size()) return 0;
    const auto sorted = static_cast<std::size_t>(sortColumn_);
    const std::string empty;
    const std::string& ta = sorted < cells_[ia].size() ? cells_[ia][sorted] : empty;
    const std::string& tb = sorted < cells_[ib].size() ? cells_[ib][sorted] : empty;
    const int r = text::CompareListTexts(collation_, langId_, ta, tb);
    return ascending_ ? r : -r;
  });
  list_->SetSortIndicator(sortColumn_, ascending_);
}

bool RemoveMemberByReading(std::vector<store::MemberEntry>* members, const std::string& reading) {
  auto it = std::find_if(members->begin(), members->end(),
                         [&](const store::MemberEntry& m) { return m.dispNameJP == reading; });
  if (it == members->end()) return false;
  members->erase(it);
  return true;
}
