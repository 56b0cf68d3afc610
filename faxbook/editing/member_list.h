// A report list of group members in the group and member dialogs.
//
// Japanese shows the name, the reading and the fax number (widths W/3-1,
// W/3-1, W/3-4); other languages the reading under the name header and the
// fax number (W/2-1, W/2-4). Rows are matched with their members by the
// reading, and found for sorting by the number each row carries.
#pragma once

#include <string>
#include <vector>

#include "platform/text/collation.h"
#include "platform/ui/list_control.h"
#include "platform/ui/resources.h"
#include "store/address_record.h"

class MemberList {
 public:
  MemberList(ui::Resources& strings, int langId, const text::Collation& collation)
      : strings_(strings), langId_(langId), collation_(collation) {}

  // Binds the list control, gives it its columns and clears the rows.
  void Attach(ui::ListControl* list);
  ui::ListControl* Control() const { return list_; }

  // The column that shows the reading: 1 in Japanese, 0 otherwise.
  int ReadingColumn() const { return langId_ == 1041 ? 1 : 0; }

  void AddRow(const store::MemberEntry& member);
  void AddRows(const std::vector<store::MemberEntry>& members);
  void Clear();
  int RowCount() const { return list_ ? list_->ItemCount() : 0; }
  std::string ReadingAt(int row) const;

  // Sorts by the current column and direction.
  void Sort();
  // A header click: the same column while ascending turns descending, any
  // other click sorts that column ascending.
  void OnColumnClick(int column);
  void SortBy(int column, bool ascending);

 private:
  ui::Resources& strings_;
  int langId_;
  const text::Collation& collation_;
  ui::ListControl* list_ = nullptr;
  std::vector<std::vector<std::string>> cells_;  // by item data
  int sortColumn_ = 0;
  bool ascending_ = true;
};

// Removes from members the first member whose reading equals `reading`
// exactly; later members move up. False when there is none.
bool RemoveMemberByReading(std::vector<store::MemberEntry>* members, const std::string& reading);
