// The columns of the picker's lists and the texts of their rows.
//
// Address lists (the full list, the two result lists and the group's
// member list), Japanese interface: name 90, reading 50, fax number,
// company, department and recipient 80 each; other languages: the reading
// under the name header, then the four others, 120 each. The recipient
// column shows the recipient's name, one blank and the honorific. A group
// row has its names only.
//
// Send list: fax number, company, department and recipient, 90 each in
// Japanese and 120 otherwise.
#pragma once

#include <string>
#include <vector>

#include "faxpick/book/book_entry.h"
#include "platform/ui/list_control.h"
#include "platform/ui/resources.h"

namespace picker {

class ListColumns {
 public:
  ListColumns(ui::Resources& strings, bool japanese) : strings_(strings), japanese_(japanese) {}

  void AddAddressColumns(ui::ListControl& list) const;
  void AddSendColumns(ui::ListControl& list) const;

  // The column an address list is searched in for company names.
  int CompanyColumn() const { return japanese_ ? 3 : 2; }
  // The column of the reading, the order the book is read in.
  int ReadingColumn() const { return japanese_ ? 1 : 0; }

  std::vector<std::string> EntryRow(const BookEntry& entry) const;
  std::vector<std::string> MemberRow(const Destination& member) const;
  static std::vector<std::string> SendRow(const Destination& destination);

  // Appends a row with these texts; returns its index.
  static int AppendRow(ui::ListControl& list, const std::vector<std::string>& texts, int image,
                       ui::ItemData key);

 private:
  ui::Resources& strings_;
  bool japanese_;
};

}  // namespace picker
