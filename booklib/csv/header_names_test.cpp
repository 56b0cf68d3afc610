// The header names of contact and mail programs' exports propose the
// mapping; any other header keeps the positional one.
#include "booklib/csv/header_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace csv {
namespace {

using Names = std::vector<std::string>;
using Columns = std::array<int, rules::kFieldCount>;

Names Split(const std::string& header) {
  Names out;
  std::size_t at = 0;
  for (;;) {
    const std::size_t comma = header.find(',', at);
    out.push_back(header.substr(at, comma - at));
    if (comma == std::string::npos) return out;
    at = comma + 1;
  }
}

TEST(RoleOfColumnName, CaseWidthKanaAndBlanksDoNotMatter) {
  struct Case {
    const char* name;
    ColumnRole role;
    bool specific;
  } cases[] = {
      {"Business Fax", ColumnRole::kWorkFax, true},
      {"  business  FAX ", ColumnRole::kWorkFax, true},
      {u8"ＦＡＸ番号", ColumnRole::kFax, true},
      {u8"ﾌﾘｶﾞﾅ", ColumnRole::kReading, false},
      {u8"フリガナ", ColumnRole::kReading, false},
      {u8"姓 (ふりがな)", ColumnRole::kFamilyReading, true},
      {u8"姓（フリガナ）", ColumnRole::kFamilyReading, true},
      {u8"勤務先 ファックス", ColumnRole::kWorkFax, true},
      {"Fax", ColumnRole::kFax, false},
      {"Name", ColumnRole::kName, false},
      {"Fax Number", ColumnRole::kFax, true},
      {"Reading", ColumnRole::kNone, false},
      {"Fax 2", ColumnRole::kNone, false},
      {"", ColumnRole::kNone, false},
      {"\xFF\xFE", ColumnRole::kNone, false},
  };
  for (const Case& c : cases) {
    bool specific = !c.specific;
    EXPECT_EQ(RoleOfColumnName(c.name, &specific), c.role) << c.name;
    EXPECT_EQ(specific, c.specific) << c.name;
  }
}

TEST(RecognisedMapping, EachProgramsLayoutInBothLanguageGroups) {
  // Minimal files in the column layouts of published sample exports.
  const std::string outlook =
      "Title,First Name,Middle Name,Last Name,Suffix,Given Name Yomi,Family Name Yomi,"
      "Company,Department,Job Title,Business Fax,Business Phone,Home Fax";
  const std::string thunderbird =
      "First Name,Last Name,Display Name,Nickname,Primary Email,Work Phone,Home Phone,"
      "Fax Number,Pager Number,Mobile Number,Job Title,Department,Organization";
  const std::string google =
      "Name,Given Name,Additional Name,Family Name,Yomi Name,Given Name Yomi,"
      "Additional Name Yomi,Family Name Yomi,Organization 1 - Name,Organization 1 - Department,"
      "Phone 1 - Type,Phone 1 - Value";
  const std::string googleNew =
      "First Name,Middle Name,Last Name,Phonetic First Name,Phonetic Middle Name,"
      "Phonetic Last Name,Organization Name,Organization Title,Organization Department";
  const std::string outlookJa = u8"姓,名,姓 (ふりがな),名 (ふりがな),会社名,部署,役職,勤務先ファックス,自宅ファックス";
  const std::string addressBookJa = u8"表示名,ニックネーム,会社名,部署名,自宅ファックス,勤務先ファックス";
  struct Case {
    const char* what;
    std::string header;
    int langId;
    Columns columns;  // DispName, DispNameJP, Fax, Sub, Password, Company, Department, Client
    Columns joined;
  } cases[] = {
      {"Outlook, Japanese", outlook, 1041,
       {3, 6, 10, -1, -1, 7, 8, 3}, {1, 5, -1, -1, -1, -1, -1, 1}},
      {"Outlook, English", outlook, 1033,
       {-1, 1, 10, -1, -1, 7, 8, 1}, {-1, 3, -1, -1, -1, -1, -1, 3}},
      {"Thunderbird, Japanese", thunderbird, 1041,
       {2, -1, 7, -1, -1, 12, 11, 1}, {-1, -1, -1, -1, -1, -1, -1, 0}},
      {"Thunderbird, English", thunderbird, 1033,
       {-1, 2, 7, -1, -1, 12, 11, 0}, {-1, -1, -1, -1, -1, -1, -1, 1}},
      {"web contacts, old layout", google, 1041,
       {0, 4, -1, -1, -1, 8, 9, 3}, {-1, -1, -1, -1, -1, -1, -1, 1}},
      {"web contacts, new layout", googleNew, 1041,
       {2, 5, -1, -1, -1, 6, 8, 2}, {0, 3, -1, -1, -1, -1, -1, 0}},
      {"Outlook in Japanese", outlookJa, 1041,
       {0, 2, 7, -1, -1, 4, 5, 0}, {1, 3, -1, -1, -1, -1, -1, 1}},
      {"the Japanese address book: the work fax before the home one", addressBookJa, 1041,
       {0, -1, 5, -1, -1, 2, 3, -1}, {-1, -1, -1, -1, -1, -1, -1, -1}},
  };
  for (const Case& c : cases) {
    ColumnMapping mapping;
    ASSERT_TRUE(RecognisedMapping(c.langId, Split(c.header), &mapping)) << c.what;
    EXPECT_EQ(mapping.columns, c.columns) << c.what;
    EXPECT_EQ(mapping.joined, c.joined) << c.what;
  }
}

TEST(RecognisedMapping, OtherHeadersKeepThePositionalMapping) {
  for (const std::string header : {
           std::string("Name,Reading,Fax,Sub,Password,Company,Department,Recipient"),
           std::string("DispName,DispNameJP,FaxNumber,SubAddress,Password,CompanyName,"
                       "DepartmentName,ClientName"),
           std::string(u8"名前,フリガナ,FAX,会社,部署"),      // generic names only
           std::string("Business Fax"),                           // one role alone
           std::string("a,b,c"), std::string()}) {
    ColumnMapping mapping = DefaultMapping(1041, 8);
    EXPECT_FALSE(RecognisedMapping(1041, Split(header), &mapping)) << header;
    EXPECT_EQ(mapping.columns, DefaultMapping(1041, 8).columns) << header;
  }
}

}  // namespace
}  // namespace csv
