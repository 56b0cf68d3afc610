#include "booklib/csv/import_row.h"

#include <algorithm>
#include <climits>
#include <new>

#include "booklib/csv/csv_records.h"
#include "booklib/csv/record_text.h"
#include "platform/sys/text_convert.h"
#include "platform/text/blanks.h"
#include "store/csv_field.h"

namespace csv {

const char* MarkOf(int score) {
  if (score >= kRefusedScore) return "!";
  return score > 0 ? "?" : "";
}

RowLoader::RowLoader(const ColumnMapping& mapping, const rules::TextRules& rules)
    : rules_(rules) {
  for (int field = 0; field < rules::kFieldCount; ++field) {
    const int column = mapping.columns[static_cast<std::size_t>(field)];
    if (column < 0) continue;
    if (static_cast<rules::Field>(field) == rules::Field::kDispName && !rules.Japanese()) {
      continue;
    }
    targets_.push_back({column, field, 0});
    const int joined = mapping.joined[static_cast<std::size_t>(field)];
    if (joined >= 0) {
      targets_.push_back({joined, field, 1});
      joins_ = true;
    }
  }
  std::stable_sort(targets_.begin(), targets_.end(),
                   [](const Target& a, const Target& b) { return a.column < b.column; });
}

bool RowLoader::Load(std::string_view line, int lineNumber, ImportRow* row, bool cutAtNul,
                     const std::vector<LackingColumn>* lacking) {
  *row = ImportRow();
  row->line = lineNumber;
  if (joins_) {
    for (std::string& s : second_) s.clear();
  }
  unsigned lackingFields = 0;
  std::size_t nextLacking = 0;
  auto next = targets_.begin();
  for (long long column = 0; !line.empty() && next != targets_.end(); ++column) {
    const std::string_view field = store::NextCsvFieldView(&line, &scratch_);
    if (column < next->column) continue;
    text::NormaliseSpacesInto(rules_.codePage, field, &value_);
    const Unconverted* lackingChar = nullptr;
    if (lacking) {
      while (nextLacking < lacking->size() && (*lacking)[nextLacking].column < column) ++nextLacking;
      if (nextLacking < lacking->size() && (*lacking)[nextLacking].column == column) {
        lackingChar = &(*lacking)[nextLacking].what;
      }
    }
    for (; next != targets_.end() && next->column == column; ++next) {
      if (value_.empty()) continue;
      const std::size_t f = static_cast<std::size_t>(next->field);
      if (next->part == 1) {
        second_[f] = value_;
      } else {
        row->values[f] = value_;
      }
      if (lackingChar && !(lackingFields & (1u << f))) {
        lackingFields |= 1u << f;
        row->lackingChars.push_back({next->field, *lackingChar});
      }
    }
  }
  bool any = false;
  for (int field = 0; field < rules::kFieldCount; ++field) {
    const std::size_t fi = static_cast<std::size_t>(field);
    std::string& value = row->values[fi];
    if (joins_ && !second_[fi].empty()) {
      if (!value.empty()) value.push_back(' ');
      value += second_[fi];
    }
    if (value.empty()) continue;
    any = true;
    const auto f = static_cast<rules::Field>(field);
    const unsigned bit = 1u << field;
    if (lackingFields & bit) {
      row->score += kRefusedScore;
    } else if (!rules::CheckFieldChars(f, value, rules_)) {
      row->score += kRefusedScore;
      row->refused |= bit;
    }
    if (value.size() > rules::RuleOf(f).maxBytes) {
      row->score += 1;
      row->tooLong |= bit;
    }
  }
  if (!any && !cutAtNul) return false;
  if ((*row)[rules::Field::kDispNameJP].empty()) row->score += 1;
  // (A line cut at a NUL byte is refused for that, whatever it lost.)
  if ((*row)[rules::Field::kFaxNumber].empty() && !cutAtNul) {
    row->noFax = true;
    row->score += kRefusedScore;
  }
  if (cutAtNul) {
    row->cutAtNul = true;
    row->score += kRefusedScore;
  }
  return true;
}

namespace {

bool AllAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

bool RowLoader::LoadUtf8(std::string_view line, int lineNumber, ImportRow* row, bool cutAtNul,
                         Charset source) {
  if (AllAscii(line)) return Load(line, lineNumber, row, cutAtNul);
  bool missing = false;
  if (sys::Utf8ToCodePage(rules_.codePage, line, &converted_, &missing) && !missing) {
    return Load(converted_, lineNumber, row, cutAtNul);
  }
  // Value by value, to know which ones the page cannot hold; the line is
  // made again of the converted values, quoted as the splitter reads them.
  lacking_.clear();
  converted_.clear();
  Unconverted why;
  for (int column = 0; !line.empty(); ++column) {
    const std::string_view value = store::NextCsvFieldView(&line, &scratch_);
    if (!Utf8ValueToCodePage(rules_.codePage, value, &field_, &why, source)) {
      lacking_.push_back({column, why});
    }
    AppendRecordField(field_, column == 0, &converted_);
  }
  return Load(converted_, lineNumber, row, cutAtNul, &lacking_);
}

bool LoadCsvRows(sys::FileSystem& files, const std::string& path, const ColumnMapping& mapping,
                 const rules::TextRules& rules, ImportRows* rows, Charset charset,
                 std::size_t maxRows) {
  rows->clear();
  // A file too large for memory is a file that cannot be read: the list
  // stays empty rather than the program ending.
  try {
    RowLoader loader(mapping, rules);
    ImportRow row;
    bool header = true;
    bool tooMany = false;
    const bool utf8 = charset != Charset::kCodePage;
    const bool read = ReadRecords(files, path, [&](std::string_view record, int firstLine, int,
                                                   bool cutAtNul) {
      if (header) {
        header = false;
        return true;
      }
      if (firstLine >= INT_MAX - 1) {
        tooMany = true;
        return false;
      }
      const bool made = utf8 ? loader.LoadUtf8(record, firstLine, &row, cutAtNul, charset)
                             : loader.Load(record, firstLine, &row, cutAtNul);
      if (made) rows->push_back(std::move(row));
      return rows->size() <= maxRows;
    }, charset);
    if (read && !tooMany) return true;
  } catch (const std::bad_alloc&) {
  }
  ImportRows().swap(*rows);
  return false;
}

}  // namespace csv
