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
//
// These are the widths the columns start with; each list then fits its
// columns to its content (column_fit.h). Where the room is short, the fax
// number is shown whole first (a user must see where a fax goes), then the
// name, then the reading and the recipient, then company and department.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "faxpick/book/book_entry.h"
#include "faxpick/dialogs/column_fit.h"
#include "platform/ui/list_control.h"
#include "platform/ui/resources.h"

namespace picker {

class ListColumns {
 public:
  ListColumns(ui::Resources& strings, bool japanese, int codePage)
      : strings_(strings), japanese_(japanese), codePage_(codePage) {}

  void AddAddressColumns(ui::ListControl& list) const;
  void AddSendColumns(ui::ListControl& list) const;

  // Fits an address list's columns to the cells of these entries' rows.
  void FitAddressColumns(ui::ListControl& list, const std::vector<const BookEntry*>& rows) const;
  // Fits the send list's columns to the rows of these destinations.
  void FitSendColumns(ui::ListControl& list, const std::vector<Destination>& rows) const;
  // Fits a group's member list to the rows of its members.
  void FitMemberColumns(ui::ListControl& list, const BookEntry& group) const;

  // The column an address list is searched in for company names.
  int CompanyColumn() const { return japanese_ ? 3 : 2; }
  // The column of the reading, the order the book is read in.
  int ReadingColumn() const { return japanese_ ? 1 : 0; }

  // The text of an address list's cell in an entry's row.
  std::string CellText(const BookEntry& entry, int column) const;
  // The same as a view into the book, for every column but the recipient's
  // (false there, and for a column the lists do not have).
  bool CellView(const BookEntry& entry, int column, std::string_view* text) const;

  std::vector<std::string> MemberRow(const Destination& member) const;
  static std::vector<std::string> SendRow(const Destination& destination);
  // The width of an address list's cell text in an entry's row.
  int CellWidth(const BookEntry& entry, int column, TextWidths& widths) const;

  // Appends a row with these texts; returns its index.
  static int AppendRow(ui::ListControl& list, const std::vector<std::string>& texts, int image,
                       ui::ItemData key);

 private:
  struct Column {
    int header;  // string id
    int width;
    int rank;
  };
  std::vector<Column> AddressColumns() const;
  std::vector<Column> SendColumns() const;
  static void AddColumns(ui::ListControl& list, const std::vector<Column>& columns,
                         ui::Resources& strings);
  // Fits the columns of `list`, laid out as `columns`, to `rows` rows whose
  // cells' text widths cellWidth(row, column, widths) gives.
  template <typename WidthOfCell>
  void Fit(ui::ListControl& list, const std::vector<Column>& columns, std::size_t rows,
           WidthOfCell cellWidth) const;

  ui::Resources& strings_;
  bool japanese_;
  int codePage_;
};

}  // namespace picker
