#include "faxbook/shell/list_layout.h"

#include "faxbook/res/resource.h"
#include "faxbook/shell/language.h"

std::vector<int> ColumnHeaderIds(int langId) {
  if (langId == kLangJapanese) {
    return {IDS_COLUMN_NAME,    IDS_COLUMN_READING,    IDS_COLUMN_FAX,
            IDS_COLUMN_COMPANY, IDS_COLUMN_DEPARTMENT, IDS_COLUMN_RECIPIENT};
  }
  return {IDS_COLUMN_NAME, IDS_COLUMN_FAX, IDS_COLUMN_COMPANY, IDS_COLUMN_DEPARTMENT,
          IDS_COLUMN_RECIPIENT};
}

int ReadingColumn(int langId) { return langId == kLangJapanese ? 1 : 0; }

int ColumnWidthFor(int listWidth, int columnCount) {
  return columnCount > 0 ? listWidth / columnCount - 1 : 0;
}

std::string RespectSuffix(int respect, ui::Resources& resources) {
  switch (respect) {
    case 1: return resources.String(IDS_RESPECT_1);
    case 2: return resources.String(IDS_RESPECT_2);
    case 3: return resources.String(IDS_RESPECT_3);
    default: return std::string();
  }
}

std::vector<std::string> RowTexts(const store::AddressRecord& r, bool group, int langId,
                                  ui::Resources& resources) {
  if (langId == kLangJapanese) {
    if (group) return {r.dispName, r.dispNameJP, "", "", "", ""};
    return {r.dispName,        r.dispNameJP,      r.faxNumber,
            r.companyName,     r.departmentName,  r.clientName + RespectSuffix(r.respect, resources)};
  }
  if (group) return {r.dispNameJP, "", "", "", ""};
  return {r.dispNameJP, r.faxNumber, r.companyName, r.departmentName, r.clientName};
}

std::string CellText(const store::AddressRecord& r, bool group, int langId, int column,
                     const std::array<std::string, 4>& suffixes) {
  // The other languages' layout is the Japanese one without the name.
  const int japaneseColumn = langId == kLangJapanese ? column : column + 1;
  if (langId != kLangJapanese && column == 0) return r.dispNameJP;
  if (group && japaneseColumn > 1) return std::string();
  switch (japaneseColumn) {
    case 0: return r.dispName;
    case 1: return r.dispNameJP;
    case 2: return r.faxNumber;
    case 3: return r.companyName;
    case 4: return r.departmentName;
    case 5:
      if (langId != kLangJapanese) return r.clientName;
      return r.clientName +
             (r.respect >= 1 && r.respect <= 3 ? suffixes[static_cast<std::size_t>(r.respect)]
                                               : std::string());
    default: return std::string();
  }
}

std::vector<int> ListIconIds() { return {IDI_ADDRESS, IDI_GROUP}; }
