#include "booklib/csv/row_reasons.h"

#include "booklib/csv/charset.h"
#include "store/address_record.h"

namespace csv {

namespace {

std::string Fill(std::string format, const std::string& field, const std::string& codePoint) {
  const std::pair<const char*, const std::string*> slots[] = {{"%1", &field}, {"%2", &codePoint}};
  for (const auto& slot : slots) {
    for (std::size_t at = format.find(slot.first); at != std::string::npos;
         at = format.find(slot.first, at + slot.second->size())) {
      format.replace(at, 2, *slot.second);
    }
  }
  return format;
}

// The format with the names of the fields in `bits`; empty for none.
std::string FieldsIn(const std::string& format, unsigned bits, const ReasonTexts& texts) {
  std::string names;
  for (int f = 0; f < rules::kFieldCount; ++f) {
    if (!(bits & (1u << f))) continue;
    if (!names.empty()) names += texts.listSeparator;
    names += texts.fieldNames[static_cast<std::size_t>(f)];
  }
  return names.empty() ? names : Fill(format, names, "");
}

}  // namespace

ReasonTexts EnglishReasonTexts(int codePage) {
  ReasonTexts t;
  for (std::size_t i = 0; i < t.fieldNames.size(); ++i) t.fieldNames[i] = store::kTextFields[i].name;
  t.refused = "characters its field refuses in %1";
  t.tooLong = "too long for its field, cut: %1";
  t.lacking = "a character code page " + std::to_string(codePage) + " lacks in %1: %2";
  t.notUtf8 = "not UTF-8 at byte %2 of %1";
  t.notUtf8Advice = "choose the code page (--charset cp)";
  t.notUtf16 = "not UTF-16 at byte %2 of %1 (half a character)";
  t.emptyReading = "DispNameJP is empty";
  t.noFax = "no fax number";
  t.cutAtNul = "a NUL byte cuts the line short";
  t.separator = "; ";
  t.listSeparator = ", ";
  return t;
}

std::string DescribeRow(const ImportRow& row, const ReasonTexts& texts) {
  std::string out;
  const auto add = [&](const std::string& reason) {
    if (reason.empty()) return;
    if (!out.empty()) out += texts.separator;
    out += reason;
  };
  bool notUtf8 = false;
  for (const ImportRow::Lacking& l : row.lackingChars) {
    const std::string& field = texts.fieldNames[static_cast<std::size_t>(l.field)];
    if (l.what.kind == Unconverted::Kind::kNotUtf8) {
      add(Fill(texts.notUtf8, field, std::to_string(l.what.byte)));
      notUtf8 = true;
    } else if (l.what.kind == Unconverted::Kind::kNotUtf16) {
      add(Fill(texts.notUtf16, field, std::to_string(l.what.byte)));
    } else {
      add(Fill(texts.lacking, field, CodePointOf(l.what.character)));
    }
  }
  if (notUtf8) add(texts.notUtf8Advice);
  add(FieldsIn(texts.refused, row.refused, texts));
  if (row.noFax) add(texts.noFax);
  if (row.cutAtNul) add(texts.cutAtNul);
  add(FieldsIn(texts.tooLong, row.tooLong, texts));
  if (row[rules::Field::kDispNameJP].empty()) add(texts.emptyReading);
  return out;
}

}  // namespace csv
