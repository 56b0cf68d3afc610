// The column names that contact and mail programs write in the header of
// their CSV exports, in English and Japanese, and the mapping they suggest.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "booklib/csv/column_mapping.h"

namespace csv {

// What a recognised column holds.
enum class ColumnRole {
  kName,            // the display or full name
  kReading,         // the phonetic name
  kGivenName,
  kFamilyName,
  kGivenReading,
  kFamilyReading,
  kCompany,
  kDepartment,
  kWorkFax,         // a business or work fax
  kFax,
  kOtherFax,        // a home or other fax
  kNone,
};

// The role of one header field given in UTF-8 (case, width, kana kind and
// blanks do not matter); kNone for a name not known. *specific tells
// whether the name is one only such programs write (a generic "Name" or
// "Fax" is not).
ColumnRole RoleOfColumnName(std::string_view utf8, bool* specific = nullptr);

// The mapping a header suggests when it is one of those programs': at
// least two roles recognised, one of them by a specific name. Then:
// - the name: the name column, else the given and family names joined
//   (family first in Japanese), else the company; in Japanese it feeds
//   DispName and the reading (the reading column, else the given and family
//   readings joined) DispNameJP, elsewhere the name feeds DispNameJP;
// - the fax number: a business or work fax, else a fax, else a home or
//   other fax;
// - company and department from theirs; the recipient from the given and
//   family names;
// - every other field not imported.
// The first column of a role counts. False (and *mapping untouched) for any
// other header, which keeps the positional mapping.
bool RecognisedMapping(int langId, const std::vector<std::string>& headerUtf8,
                       ColumnMapping* mapping);

}  // namespace csv
