// fdtool import-csv: the rows of a CSV file added to a book as a user of
// the editor adds them who keeps the mapping (or the given one), selects
// every row of the confirmation list and presses Add once.
#include <cstdio>
#include <unordered_set>

#include "faxbook/import/csv_header.h"
#include "faxbook/import/csv_lines.h"
#include "faxbook/import/import_adder.h"
#include "faxbook/import/import_list.h"
#include "platform/sys/text_convert.h"
#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "tools/fdtool/book_input.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/csv_options.h"
#include "tools/fdtool/editor_book.h"
#include "tools/fdtool/stderr_alerts.h"

namespace fdtool {
namespace {

// The editor's list after the load, as the book the rows go into.
class ListBook : public importing::ImportBook {
 public:
  explicit ListBook(EditorBook& book) : book_(book) {
    for (const store::AddressRecord& r : book.rows) regNos_.insert(r.regNo);
  }
  int EntryCount() const override { return static_cast<int>(book_.rows.size()); }
  bool RegNoInUse(int regNo) const override { return regNos_.count(regNo) != 0; }
  void ForEachEntry(const std::function<void(const store::AddressRecord&)>& visit) const override {
    for (const store::AddressRecord& r : book_.rows) visit(r);
  }
  void AddAddress(const store::AddressRecord& record) override {
    book_.rows.insert(book_.rows.begin(), record);
    regNos_.insert(record.regNo);
  }

 private:
  EditorBook& book_;
  std::unordered_set<int> regNos_;
};

// Lines of a UTF-8 file in the book's code page; a byte-order mark at the
// start of the file is skipped.
class FromUtf8 : public importing::LineConverter {
 public:
  explicit FromUtf8(int codePage) : codePage_(codePage) {}
  void Convert(std::string_view line, std::string* out, bool* unconvertible) override {
    if (first_ && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    first_ = false;
    sys::Utf8ToCodePage(codePage_, line, out, unconvertible);
  }
  void Restart() { first_ = true; }

 private:
  int codePage_;
  bool first_ = true;
};

// Why a row was not added, for standard error.
std::string RefusalOf(const importing::ImportRow& row, int codePage) {
  std::string reasons;
  for (int field = 0; field < editing::kFieldCount; ++field) {
    if (row.refused & (1u << field)) {
      reasons += std::string(reasons.empty() ? "" : ", ") + store::kTextFields[static_cast<std::size_t>(field)].name;
    }
  }
  if (!reasons.empty()) reasons = "characters its field refuses in " + reasons;
  if (row.unconvertible) {
    reasons += std::string(reasons.empty() ? "" : "; ") + "a character code page " +
               std::to_string(codePage) + " lacks";
  }
  return reasons;
}

}  // namespace

int RunImportCsv(sys::FileSystem& files, const Options& options, const std::string& bookPath,
                 const std::string& csvPath, const std::string& outPath, std::FILE* errors) {
  const int langId = options.langId;
  const int codePage = text::DefaultCodePageForLanguage(langId);
  const editing::TextRules rules{langId, codePage};
  std::string bytes;
  if (!RescueBookInput(files, bookPath, errors)) return kExitUnreadable;
  if (!files.FileExists(bookPath) || !files.ReadFile(bookPath, &bytes, store::kMaxBookBytes)) {
    std::fprintf(errors, "fdtool: cannot read %s\n", bookPath.c_str());
    return kExitUnreadable;
  }
  FromUtf8 utf8(codePage);
  if (options.fromUtf8) {
    std::string probe;
    bool lacking = false;
    if (!sys::Utf8ToCodePage(codePage, "", &probe, &lacking)) {
      std::fprintf(errors, "fdtool: no conversion to code page %d\n", codePage);
      return kExitUnreadable;
    }
  }

  // The mapping the dialog proposes for the header, changed as asked.
  std::string header;
  int columns = 0;
  if (importing::ReadFirstLine(files, csvPath, &header)) {
    if (options.fromUtf8) {
      std::string converted;
      bool lacking = false;
      utf8.Convert(header, &converted, &lacking);
      header.swap(converted);
      utf8.Restart();
    }
    columns = importing::CountColumns(header);
  }
  importing::ColumnMapping mapping = importing::DefaultMapping(langId, columns);
  std::string error;
  if (!ApplyMapOption(options.map, &mapping, &error)) {
    std::fprintf(errors, "fdtool: %s\n", error.c_str());
    return kExitUsage;
  }
  if (langId != 1041 && mapping[editing::Field::kDispName] >= 0) {
    std::fprintf(errors, "fdtool: DispName is imported in Japanese (1041) only; not mapped\n");
    mapping[editing::Field::kDispName] = -1;
  }

  std::vector<importing::ImportRow> rows;
  if (!importing::LoadCsvRows(files, csvPath, mapping, rules, &rows,
                              options.fromUtf8 ? &utf8 : nullptr)) {
    std::fprintf(errors, "fdtool: cannot read %s\n", csvPath.c_str());
    return kExitUnreadable;
  }

  StderrAlerts alerts;
  text::PortableCollation collation(codePage);
  EditorBook book = LoadAsEditor(bytes, langId, collation, &alerts);
  importing::ImportList list(langId, collation);
  list.Assign(std::move(rows));
  list.Sort(langId == 1041 ? 1 : 0, true);
  if (importing::WouldOverfillBook(list.Size(), static_cast<int>(book.rows.size()))) {
    std::fprintf(errors, "fdtool: %d rows and %d entries pass the book's limit of %d entries\n",
                 list.Size(), static_cast<int>(book.rows.size()), store::kMaxEntries);
    return kExitUnreadable;
  }
  std::vector<int> all(static_cast<std::size_t>(list.Size()));
  for (std::size_t p = 0; p < all.size(); ++p) all[p] = static_cast<int>(p);
  ListBook target(book);
  const importing::AddOutcome outcome = importing::AddRows(list, all, target, rules);
  for (int position : outcome.refused) {
    const importing::ImportRow& row = list.At(position);
    std::fprintf(errors, "fdtool: %s line %d not added: %s\n", csvPath.c_str(), row.line,
                 RefusalOf(row, codePage).c_str());
  }
  if (outcome.added.empty()) {
    std::fprintf(errors, "fdtool: no row could be added; %s is the book as loaded\n",
                 outPath.c_str());
  }
  if (!files.ReplaceContents(outPath, ApplyAsEditor(book, langId, collation))) {
    std::fprintf(errors, "fdtool: cannot write %s\n", outPath.c_str());
    return kExitProblems;
  }
  return kExitOk;
}

}  // namespace fdtool
