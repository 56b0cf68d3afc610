#include "faxbook/csv/import_row.h"

#include <algorithm>
#include <climits>
#include <new>

#include "faxbook/csv/csv_lines.h"
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
    targets_.push_back({column, field});
  }
  std::stable_sort(targets_.begin(), targets_.end(),
                   [](const Target& a, const Target& b) { return a.column < b.column; });
}

bool RowLoader::Load(std::string_view line, int lineNumber, bool unconvertible, ImportRow* row,
                     bool cutAtNul) {
  *row = ImportRow();
  row->line = lineNumber;
  bool any = false;
  auto next = targets_.begin();
  for (long long column = 0; !line.empty() && next != targets_.end(); ++column) {
    const std::string_view field = store::NextCsvFieldView(&line, &scratch_);
    if (column < next->column) continue;
    text::NormaliseSpacesInto(rules_.codePage, field, &value_);
    for (; next != targets_.end() && next->column == column; ++next) {
      if (value_.empty()) continue;
      const auto f = static_cast<rules::Field>(next->field);
      const unsigned bit = 1u << next->field;
      (*row)[f] = value_;
      any = true;
      if (!rules::CheckFieldChars(f, value_, rules_)) {
        row->score += kRefusedScore;
        row->refused |= bit;
      }
      if (value_.size() > rules::RuleOf(f).maxBytes) {
        row->score += 1;
        row->tooLong |= bit;
      }
    }
  }
  if (!any && !cutAtNul) return false;
  if ((*row)[rules::Field::kDispNameJP].empty()) row->score += 1;
  if (unconvertible) {
    row->unconvertible = true;
    row->score += kRefusedScore;
  }
  if (cutAtNul) {
    row->cutAtNul = true;
    row->score += kRefusedScore;
  }
  return true;
}

bool LoadCsvRows(sys::FileSystem& files, const std::string& path, const ColumnMapping& mapping,
                 const rules::TextRules& rules, ImportRows* rows,
                 LineConverter* converter, std::size_t maxRows) {
  rows->clear();
  // A file too large for memory is a file that cannot be read: the list
  // stays empty rather than the program ending.
  try {
    RowLoader loader(mapping, rules);
    ImportRow row;
    std::string converted;
    int lineNumber = 0;
    bool tooMany = false;
    const bool read = ReadLines(files, path, [&](std::string_view line, bool cutAtNul) {
      if (++lineNumber == 1) return true;  // the header
      if (lineNumber == INT_MAX) {
        tooMany = true;
        return false;
      }
      bool unconvertible = false;
      if (converter) {
        converter->Convert(line, &converted, &unconvertible);
        line = converted;
      }
      if (loader.Load(line, lineNumber, unconvertible, &row, cutAtNul)) {
        rows->push_back(std::move(row));
      }
      return rows->size() <= maxRows;
    });
    if (read && !tooMany) return true;
  } catch (const std::bad_alloc&) {
  }
  ImportRows().swap(*rows);
  return false;
}

}  // namespace csv
