#include "booklib/csv/header_names.h"

#include <array>
#include <cstdint>

namespace csv {

namespace {

// Code points of a UTF-8 text; a byte that starts no character stands for
// itself.
std::vector<std::uint32_t> Decode(std::string_view s) {
  std::vector<std::uint32_t> out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    if (i + n > s.size()) n = 1;
    std::uint32_t c = n == 1 ? b : n == 2 ? (b & 0x1Fu) : n == 3 ? (b & 0x0Fu) : (b & 0x07u);
    for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3Fu);
    out.push_back(c);
    i += n;
  }
  return out;
}

// Half-width katakana U+FF66..U+FF9D as full-width katakana.
constexpr std::array<std::uint16_t, 56> kHalfKana = {
    0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3,
    0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1,
    0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6,
    0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8,
    0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3};

// The form names are compared in: ASCII letters small, full-width ASCII
// half-width, half-width and hiragana as katakana, every blank dropped.
std::u32string Fold(std::string_view utf8) {
  std::u32string out;
  for (std::uint32_t c : Decode(utf8)) {
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;
    if (c == ' ' || c == '\t' || c == 0x3000 || c == '_') continue;
    if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
    if (c >= 0x3041 && c <= 0x3096) c += 0x60;
    if (c >= 0xFF66 && c <= 0xFF9D) c = kHalfKana[c - 0xFF66];
    if ((c == 0xFF9E || c == 0xFF9F) && !out.empty()) {
      // Voiced and semi-voiced marks join the kana before them.
      const char32_t prev = out.back();
      if (c == 0xFF9E && prev == 0x30A6) {
        out.back() = 0x30F4;
      } else if (prev >= 0x30AB && prev <= 0x30C8) {
        if (c == 0xFF9E) out.back() = prev + 1;
      } else if (prev >= 0x30CF && prev <= 0x30DB) {
        out.back() = prev + (c == 0xFF9E ? 1 : 2);
      }
      continue;
    }
    out.push_back(static_cast<char32_t>(c));
  }
  return out;
}

struct KnownName {
  const char* utf8;
  ColumnRole role;
  bool specific;
};

// The names as the programs write them (Outlook's, Thunderbird's, the web
// contact services' and the common Japanese mail programs' and address
// books').
constexpr KnownName kKnownNames[] = {
    {u8"Name", ColumnRole::kName, false},
    {u8"名前", ColumnRole::kName, false},
    {u8"Display Name", ColumnRole::kName, true},
    {u8"Full Name", ColumnRole::kName, true},
    {u8"表示名", ColumnRole::kName, true},
    {u8"氏名", ColumnRole::kName, true},
    {u8"フルネーム", ColumnRole::kName, true},
    {u8"Yomi Name", ColumnRole::kReading, true},
    {u8"Phonetic Name", ColumnRole::kReading, true},
    {u8"ふりがな", ColumnRole::kReading, false},
    {u8"よみがな", ColumnRole::kReading, false},
    {u8"よみ", ColumnRole::kReading, false},
    {u8"読み", ColumnRole::kReading, false},
    {u8"First Name", ColumnRole::kGivenName, true},
    {u8"Given Name", ColumnRole::kGivenName, true},
    {u8"名", ColumnRole::kGivenName, true},
    {u8"名前(名)", ColumnRole::kGivenName, true},
    {u8"Last Name", ColumnRole::kFamilyName, true},
    {u8"Family Name", ColumnRole::kFamilyName, true},
    {u8"Surname", ColumnRole::kFamilyName, true},
    {u8"姓", ColumnRole::kFamilyName, true},
    {u8"名前(姓)", ColumnRole::kFamilyName, true},
    {u8"Given Name Yomi", ColumnRole::kGivenReading, true},
    {u8"Phonetic First Name", ColumnRole::kGivenReading, true},
    {u8"名(ふりがな)", ColumnRole::kGivenReading, true},
    {u8"ふりがな(名)", ColumnRole::kGivenReading, true},
    {u8"よみ(名)", ColumnRole::kGivenReading, true},
    {u8"名(よみ)", ColumnRole::kGivenReading, true},
    {u8"Family Name Yomi", ColumnRole::kFamilyReading, true},
    {u8"Phonetic Last Name", ColumnRole::kFamilyReading, true},
    {u8"姓(ふりがな)", ColumnRole::kFamilyReading, true},
    {u8"ふりがな(姓)", ColumnRole::kFamilyReading, true},
    {u8"よみ(姓)", ColumnRole::kFamilyReading, true},
    {u8"姓(よみ)", ColumnRole::kFamilyReading, true},
    {u8"Company", ColumnRole::kCompany, false},
    {u8"Company Name", ColumnRole::kCompany, false},
    {u8"Organization", ColumnRole::kCompany, false},
    {u8"Organization Name", ColumnRole::kCompany, true},
    {u8"Organization 1 - Name", ColumnRole::kCompany, true},
    {u8"会社", ColumnRole::kCompany, false},
    {u8"会社名", ColumnRole::kCompany, false},
    {u8"勤務先", ColumnRole::kCompany, false},
    {u8"組織", ColumnRole::kCompany, false},
    {u8"組織名", ColumnRole::kCompany, false},
    {u8"Department", ColumnRole::kDepartment, false},
    {u8"Organization Department", ColumnRole::kDepartment, true},
    {u8"Organization 1 - Department", ColumnRole::kDepartment, true},
    {u8"部署", ColumnRole::kDepartment, false},
    {u8"部署名", ColumnRole::kDepartment, false},
    {u8"所属", ColumnRole::kDepartment, false},
    {u8"Business Fax", ColumnRole::kWorkFax, true},
    {u8"Work Fax", ColumnRole::kWorkFax, true},
    {u8"Company Fax", ColumnRole::kWorkFax, true},
    {u8"勤務先ファックス", ColumnRole::kWorkFax, true},
    {u8"勤務先ファクス", ColumnRole::kWorkFax, true},
    {u8"勤務先FAX", ColumnRole::kWorkFax, true},
    {u8"会社FAX", ColumnRole::kWorkFax, true},
    {u8"会社ファックス", ColumnRole::kWorkFax, true},
    {u8"FAX番号(会社)", ColumnRole::kWorkFax, true},
    {u8"Fax", ColumnRole::kFax, false},
    {u8"ファックス", ColumnRole::kFax, false},
    {u8"ファクス", ColumnRole::kFax, false},
    {u8"Fax Number", ColumnRole::kFax, true},
    {u8"FAX番号", ColumnRole::kFax, true},
    {u8"ファックス番号", ColumnRole::kFax, true},
    {u8"ファクス番号", ColumnRole::kFax, true},
    {u8"Home Fax", ColumnRole::kOtherFax, true},
    {u8"Other Fax", ColumnRole::kOtherFax, true},
    {u8"自宅ファックス", ColumnRole::kOtherFax, true},
    {u8"自宅ファクス", ColumnRole::kOtherFax, true},
    {u8"自宅FAX", ColumnRole::kOtherFax, true},
    {u8"その他のファックス", ColumnRole::kOtherFax, true},
    {u8"FAX番号(個人)", ColumnRole::kOtherFax, true},
};

}  // namespace

ColumnRole RoleOfColumnName(std::string_view utf8, bool* specific) {
  // The folded table is made once.
  static const std::vector<std::u32string> folded = [] {
    std::vector<std::u32string> v;
    for (const KnownName& n : kKnownNames) v.push_back(Fold(n.utf8));
    return v;
  }();
  if (specific) *specific = false;
  if (utf8.size() > 200) return ColumnRole::kNone;
  const std::u32string name = Fold(utf8);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    if (folded[i] == name) {
      if (specific) *specific = kKnownNames[i].specific;
      return kKnownNames[i].role;
    }
  }
  return ColumnRole::kNone;
}

bool RecognisedMapping(int langId, const std::vector<std::string>& headerUtf8,
                       ColumnMapping* mapping) {
  constexpr int kRoles = static_cast<int>(ColumnRole::kNone);
  std::array<int, kRoles> at;
  at.fill(-1);
  int roles = 0;
  bool anySpecific = false;
  // The header this program's own export writes (the book's field names)
  // is read by position, as it always was.
  static const std::u32string ownName = Fold("DispNameJP");
  for (const std::string& name : headerUtf8) {
    if (name.size() < 20 && Fold(name) == ownName) return false;
  }
  for (std::size_t column = 0; column < headerUtf8.size(); ++column) {
    bool specific = false;
    const ColumnRole role = RoleOfColumnName(headerUtf8[column], &specific);
    if (role == ColumnRole::kNone) continue;
    int& first = at[static_cast<std::size_t>(role)];
    if (first >= 0) continue;
    first = static_cast<int>(column);
    ++roles;
    anySpecific = anySpecific || specific;
  }
  if (roles < 2 || !anySpecific) return false;
  const auto col = [&](ColumnRole r) { return at[static_cast<std::size_t>(r)]; };
  const bool japanese = langId == 1041;
  // Two columns as one value, in the language's order of names; one alone
  // when the other is missing.
  const auto pair = [&](ColumnRole given, ColumnRole family, int* first, int* second) {
    const int g = col(given), f = col(family);
    *first = japanese ? f : g;
    *second = japanese ? g : f;
    if (*first < 0) {
      *first = *second;
      *second = -1;
    }
  };
  ColumnMapping m;
  using rules::Field;
  const auto idx = [](Field f) { return static_cast<std::size_t>(f); };
  int personFirst, personSecond;
  pair(ColumnRole::kGivenName, ColumnRole::kFamilyName, &personFirst, &personSecond);
  int nameFirst = col(ColumnRole::kName), nameSecond = -1;
  if (nameFirst < 0) {
    nameFirst = personFirst;
    nameSecond = personSecond;
  }
  if (nameFirst < 0) nameFirst = col(ColumnRole::kCompany);
  const Field nameField = japanese ? Field::kDispName : Field::kDispNameJP;
  m.columns[idx(nameField)] = nameFirst;
  m.joined[idx(nameField)] = nameSecond;
  if (japanese) {
    int readingFirst = col(ColumnRole::kReading), readingSecond = -1;
    if (readingFirst < 0) {
      pair(ColumnRole::kGivenReading, ColumnRole::kFamilyReading, &readingFirst, &readingSecond);
    }
    m.columns[idx(Field::kDispNameJP)] = readingFirst;
    m.joined[idx(Field::kDispNameJP)] = readingSecond;
  }
  int fax = col(ColumnRole::kWorkFax);
  if (fax < 0) fax = col(ColumnRole::kFax);
  if (fax < 0) fax = col(ColumnRole::kOtherFax);
  m.columns[idx(Field::kFaxNumber)] = fax;
  m.columns[idx(Field::kCompanyName)] = col(ColumnRole::kCompany);
  m.columns[idx(Field::kDepartmentName)] = col(ColumnRole::kDepartment);
  m.columns[idx(Field::kClientName)] = personFirst;
  m.joined[idx(Field::kClientName)] = personSecond;
  *mapping = m;
  return true;
}

}  // namespace csv
