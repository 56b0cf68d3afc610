// fdtool import-csv: the rows of a CSV file added to a book as a user of
// the editor adds them who keeps the mapping (or the given one), selects
// every row of the confirmation list and presses Add once.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "booklib/csv/book_target.h"
#include "booklib/csv/csv_header.h"
#include "booklib/csv/charset.h"
#include "booklib/csv/header_names.h"
#include "booklib/csv/import_adder.h"
#include "booklib/csv/import_list.h"
#include "booklib/csv/row_reasons.h"
#include "platform/sys/text_convert.h"
#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "tools/fdtool/book_input.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/csv_options.h"
#include "tools/fdtool/editor_book.h"
#include "tools/fdtool/output_guard.h"
#include "tools/fdtool/stderr_alerts.h"

namespace fdtool {
namespace {

// The book's diagnostics held back until Show, and shown at once after it:
// the book is loaded before the rows are read, but what it has to say comes
// after a failed read of the CSV file would have ended the command.
class HeldAlerts : public store::StoreAlerts {
 public:
  void Alert(const std::string& text) override {
    if (shown_) {
      std::fprintf(stderr, "%s\n", text.c_str());
    } else {
      held_.push_back(text);
    }
  }
  void Show() {
    for (const std::string& text : held_) std::fprintf(stderr, "%s\n", text.c_str());
    held_.clear();
    shown_ = true;
  }

 private:
  std::vector<std::string> held_;
  bool shown_ = false;
};

}  // namespace

int RunImportCsv(sys::FileSystem& files, const Options& options, const std::string& bookPath,
                 const std::string& csvPath, const std::string& outPath, std::FILE* errors) {
  const int langId = options.langId;
  const int codePage = text::DefaultCodePageForLanguage(langId);
  const rules::TextRules rules{langId, codePage};
  // OUT may be the book (the rows go into it, as apply writes it back); it
  // never replaces the CSV file.
  if (OutputIsAnInput(files, outPath, {{csvPath, "the CSV file"}}, errors)) return kExitUsage;
  std::string bytes;
  if (!RescueBookInput(files, bookPath, errors)) return kExitUnreadable;
  if (!files.FileExists(bookPath) || !files.ReadFile(bookPath, &bytes, store::kMaxBookBytes)) {
    std::fprintf(errors, "fdtool: cannot read %s\n", bookPath.c_str());
    return kExitUnreadable;
  }
  csv::Charset charset = csv::Charset::kCodePage;
  if (options.charset == CsvCharset::kUtf8) charset = csv::Charset::kUtf8;
  if (options.charset == CsvCharset::kUtf16) charset = csv::Charset::kUtf16;
  if (options.charset == CsvCharset::kAuto) {
    charset = csv::DetectFileCharset(files, csvPath, codePage);
  }
  if (charset != csv::Charset::kCodePage) {
    std::string probe;
    bool lacking = false;
    if (!sys::Utf8ToCodePage(codePage, "", &probe, &lacking)) {
      std::fprintf(errors, "fdtool: no conversion to code page %d\n", codePage);
      return kExitUnreadable;
    }
  }

  // The mapping the dialog proposes for the header, changed as asked.
  csv::CsvHeader header;
  int columns = 0;
  const bool hasHeader = csv::ReadHeader(files, csvPath, charset, codePage, &header);
  if (hasHeader) columns = csv::CountColumns(header.line);
  csv::ColumnMapping mapping = csv::DefaultMapping(langId, columns);
  if (hasHeader) csv::RecognisedMapping(langId, header.utf8Fields, &mapping);
  std::string error;
  if (!ApplyMapOption(options.map, &mapping, &error)) {
    std::fprintf(errors, "fdtool: %s\n", error.c_str());
    return kExitUsage;
  }
  if (langId != 1041 && mapping[rules::Field::kDispName] >= 0) {
    std::fprintf(errors, "fdtool: DispName is imported in Japanese (1041) only; not mapped\n");
    mapping[rules::Field::kDispName] = -1;
  }

  // The book first: its entries decide how many rows it can take, and the
  // reading stops as soon as the rows (refused ones included) are too many.
  HeldAlerts alerts;
  text::PortableCollation collation(codePage);
  const std::unique_ptr<store::Book> book = LoadAsEditor(bytes, langId, collation, &alerts);
  std::string().swap(bytes);
  const int entries = book->Size();
  const std::size_t room =
      entries < store::kMaxEntries ? static_cast<std::size_t>(store::kMaxEntries - entries) : 0;
  csv::ImportRows rows;
  if (!csv::LoadCsvRows(files, csvPath, mapping, rules, &rows, charset, room)) {
    std::fprintf(errors, "fdtool: cannot read %s\n", csvPath.c_str());
    return kExitUnreadable;
  }
  alerts.Show();
  if (csv::WouldOverfillBook(static_cast<int>(rows.size()), entries)) {
    std::fprintf(errors, "fdtool: %d rows or more and %d entries pass the book's limit of %d entries\n",
                 static_cast<int>(rows.size()), entries, store::kMaxEntries);
    return kExitUnreadable;
  }
  csv::ImportList list(langId, collation);
  list.Assign(std::move(rows));
  list.Sort(langId == 1041 ? 1 : 0, true);
  std::vector<int> all(static_cast<std::size_t>(list.Size()));
  for (std::size_t p = 0; p < all.size(); ++p) all[p] = static_cast<int>(p);
  csv::BookTarget target(*book);
  const csv::AddOutcome outcome = csv::AddRows(list, all, target, rules);
  // Why each marked row was refused or changed, in file order.
  const csv::ReasonTexts reasons = csv::EnglishReasonTexts(codePage);
  std::vector<int> marked;
  for (int position = 0; position < list.Size(); ++position) {
    if (list.At(position).score > 0) marked.push_back(position);
  }
  std::sort(marked.begin(), marked.end(),
            [&](int a, int b) { return list.At(a).line < list.At(b).line; });
  for (int position : marked) {
    const csv::ImportRow& row = list.At(position);
    std::fprintf(errors, "fdtool: %s line %d %s: %s\n", csvPath.c_str(), row.line,
                 row.score >= csv::kRefusedScore ? "not added" : "added with a warning",
                 csv::DescribeRow(row, reasons).c_str());
  }
  if (outcome.added.empty()) {
    std::fprintf(errors, "fdtool: no row could be added; %s is the book as loaded\n",
                 outPath.c_str());
  }
  const sys::FileError written =
      files.ReplaceWhole(outPath, ApplyAsEditor(*book, langId, collation));
  if (written != sys::FileError::kNone) {
    ReportWriteFailure(outPath, written, errors);
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace fdtool
