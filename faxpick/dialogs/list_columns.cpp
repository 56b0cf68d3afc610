#include "faxpick/dialogs/list_columns.h"

#include <algorithm>

#include "faxpick/res/resource.h"

namespace picker {
namespace {

std::string Recipient(const Destination& d) { return d.clientName + " " + d.respect; }

}  // namespace

// Ranks where room is short: the fax number first, then the name, then
// the reading and the recipient, then the rest.
constexpr int kRankFax = 0;
constexpr int kRankName = 1;
constexpr int kRankShort = 2;
constexpr int kRankLong = 3;

std::vector<ListColumns::Column> ListColumns::AddressColumns() const {
  if (japanese_) {
    return {{IDS_COLUMN_NAME, 90, kRankName},       {IDS_COLUMN_READING, 50, kRankShort},
            {IDS_COLUMN_FAX, 80, kRankFax},         {IDS_COLUMN_COMPANY, 80, kRankLong},
            {IDS_COLUMN_DEPARTMENT, 80, kRankLong}, {IDS_COLUMN_RECIPIENT, 80, kRankShort}};
  }
  return {{IDS_COLUMN_NAME, 120, kRankName},        {IDS_COLUMN_FAX, 120, kRankFax},
          {IDS_COLUMN_COMPANY, 120, kRankLong},     {IDS_COLUMN_DEPARTMENT, 120, kRankLong},
          {IDS_COLUMN_RECIPIENT, 120, kRankShort}};
}

std::vector<ListColumns::Column> ListColumns::SendColumns() const {
  const int width = japanese_ ? 90 : 120;
  return {{IDS_COLUMN_FAX, width, kRankFax},
          {IDS_COLUMN_COMPANY, width, kRankLong},
          {IDS_COLUMN_DEPARTMENT, width, kRankLong},
          {IDS_COLUMN_RECIPIENT, width, kRankShort}};
}

void ListColumns::AddColumns(ui::ListControl& list, const std::vector<Column>& columns,
                             ui::Resources& strings) {
  for (const Column& c : columns) list.AddColumn(strings.String(c.header), c.width);
}

void ListColumns::AddAddressColumns(ui::ListControl& list) const {
  AddColumns(list, AddressColumns(), strings_);
}

void ListColumns::AddSendColumns(ui::ListControl& list) const {
  AddColumns(list, SendColumns(), strings_);
}

template <typename WidthOfCell>
void ListColumns::Fit(ui::ListControl& list, const std::vector<Column>& columns, std::size_t rows,
                      WidthOfCell cellWidth) const {
  const std::size_t n = std::min(columns.size(), static_cast<std::size_t>(list.ColumnCount()));
  std::vector<ColumnNeed> needs(n);
  std::vector<int> margins(n);
  for (std::size_t c = 0; c < n; ++c) {
    const int header = list.HeaderWidth(static_cast<int>(c));
    needs[c] = {columns[c].width, header, header, columns[c].rank};
    margins[c] = list.CellMargins(static_cast<int>(c));
  }
  const int room = list.ClientWidth();
  // A column stops being measured once its content needs all it can get.
  std::vector<int> widest(n);
  std::size_t open = 0;
  for (std::size_t c = 0; c < n; ++c) {
    widest[c] = WidestFit(needs, c, room);
    if (needs[c].content < widest[c]) ++open;
  }
  TextWidths widths(list, codePage_);
  for (std::size_t row = 0; row < rows && open > 0; ++row) {
    for (std::size_t c = 0; c < n; ++c) {
      if (needs[c].content >= widest[c]) continue;
      const int width = cellWidth(row, static_cast<int>(c), widths) + margins[c];
      if (width <= needs[c].content) continue;
      needs[c].content = width;
      if (width >= widest[c]) --open;
    }
  }
  const std::vector<int> fitted = FitColumns(needs, room);
  for (std::size_t c = 0; c < n; ++c) list.SetColumnWidth(static_cast<int>(c), fitted[c]);
}

void ListColumns::FitAddressColumns(ui::ListControl& list,
                                    const std::vector<const BookEntry*>& rows) const {
  Fit(list, AddressColumns(), rows.size(), [&](std::size_t row, int column, TextWidths& widths) {
    return CellWidth(*rows[row], column, widths);
  });
}

void ListColumns::FitSendColumns(ui::ListControl& list, const std::vector<Destination>& rows) const {
  Fit(list, SendColumns(), rows.size(), [&](std::size_t row, int column, TextWidths& widths) {
    const Destination& d = rows[row];
    switch (column) {
      case 0: return widths.Of(d.faxNumber);
      case 1: return widths.Of(d.companyName);
      case 2: return widths.Of(d.departmentName);
      default: return widths.Of(d.clientName) + widths.Of(" ") + widths.Of(d.respect);
    }
  });
}

void ListColumns::FitMemberColumns(ui::ListControl& list, const BookEntry& group) const {
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < group.MemberCount(); ++i) rows.push_back(MemberRow(group.Member(i)));
  Fit(list, AddressColumns(), rows.size(), [&](std::size_t row, int column, TextWidths& widths) {
    const std::vector<std::string>& texts = rows[row];
    return static_cast<std::size_t>(column) < texts.size()
               ? widths.Of(texts[static_cast<std::size_t>(column)])
               : 0;
  });
}

int ListColumns::CellWidth(const BookEntry& entry, int column, TextWidths& widths) const {
  std::string_view view;
  if (CellView(entry, column, &view)) return widths.Of(view);
  if (column != (japanese_ ? 5 : 4) || entry.IsGroup()) return 0;
  return widths.Of(entry.MemberText(0, Field::kClient)) + widths.Of(" ") +
         widths.Of(entry.MemberText(0, Field::kRespect));
}

bool ListColumns::CellView(const BookEntry& entry, int column, std::string_view* text) const {
  // The columns after the names: fax number, company, department.
  static constexpr Field kFields[] = {Field::kFax, Field::kCompany, Field::kDepartment};
  const int names = japanese_ ? 2 : 1;
  *text = std::string_view();
  if (column < 0 || column > names + 2) return false;
  if (japanese_ && column == 0) {
    *text = entry.dispName;
  } else if (column == names - 1) {
    *text = entry.dispNameJP;
  } else if (!entry.IsGroup()) {
    *text = entry.MemberText(0, kFields[column - names]);
  }
  return true;
}

std::string ListColumns::CellText(const BookEntry& entry, int column) const {
  std::string_view view;
  if (CellView(entry, column, &view)) return std::string(view);
  if (column != (japanese_ ? 5 : 4) || entry.IsGroup() || entry.MemberCount() == 0) {
    return std::string();
  }
  std::string recipient(entry.MemberText(0, Field::kClient));
  recipient += ' ';
  recipient += entry.MemberText(0, Field::kRespect);
  return recipient;
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
