// fdtool export-csv: the addresses of a book as a CSV file that import-csv
// (and other address tools) read back. The book is read in pieces and the
// file written line by line, so that a book of any size costs little more
// memory than its packed entries.
#include <climits>
#include <cstdio>

#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/book_order.h"
#include "store/csv_field.h"
#include "tools/fdtool/book_input.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/csv_options.h"
#include "tools/fdtool/normalize.h"
#include "tools/fdtool/output_guard.h"
#include "tools/fdtool/stderr_alerts.h"
#include "tools/fdtool/utf8_texts.h"

namespace fdtool {

namespace {

// Lines on their way to the file, handed on some hundred kilobytes at a
// time, each piece ending with a whole line.
class LinePieces {
 public:
  static constexpr std::size_t kPieceBytes = 256 * 1024;

  explicit LinePieces(sys::ByteSink& sink) : sink_(sink) {}

  std::string& Line() { return piece_; }
  // After each whole line.
  bool LineDone() { return piece_.size() < kPieceBytes || Flush(); }
  bool Flush() {
    if (piece_.empty()) return true;
    const bool ok = sink_.Write(piece_);
    piece_.clear();
    return ok;
  }

 private:
  sys::ByteSink& sink_;
  std::string piece_;
};

// One header line, then one line per address in reading order (groups are
// left out). With utf8 the texts go over in UTF-8, each byte the code page
// leaves undefined named on standard error; the file is then not written
// (false), since U+FFFD where the book has a byte would import back as
// something else.
bool ExportCsv(sys::ByteSink& sink, const store::EntryTable& entries, int langId,
               const text::Collation& collation, const std::string& bookPath, Utf8Texts* utf8,
               std::FILE* errors) {
  if (utf8 && !sink.Write("\xEF\xBB\xBF")) return false;
  LinePieces out(sink);
  out.Line() += ExportHeader() + "\r\n";
  if (!out.LineDone()) return false;
  std::string converted;
  for (std::uint32_t index : ShownInApplyOrder(entries, langId, collation)) {
    const store::EntryToWrite entry = entries.Get(index);
    if (store::KindForSave(entry.kind) == store::kKindGroup) continue;
    for (std::size_t i = 0; i < store::kTextFieldCount; ++i) {
      if (i) out.Line() += ',';
      if (!utf8) {
        store::AppendQuotedField(entry.texts.texts[i], &out.Line());
        continue;
      }
      // Quotes and commas are the same bytes in UTF-8 and in no other
      // character of either: the UTF-8 text is quoted as the text would be.
      converted.clear();
      utf8->Append(entry.texts.texts[i], bookPath + " RegNo " + std::to_string(entry.regNo),
                   store::kTextFields[i].name, &converted, errors);
      store::AppendQuotedField(converted, &out.Line());
    }
    out.Line() += "\r\n";
    if (!out.LineDone()) return false;
  }
  return out.Flush() && (!utf8 || utf8->Undefined() == 0);
}

}  // namespace

int RunExportCsv(sys::FileSystem& files, const Options& options, const std::string& bookPath,
                 const std::string& csvPath, std::FILE* errors) {
  if (OutputIsAnInput(files, csvPath, {{bookPath, "the book"}}, errors)) return kExitUsage;
  const int codePage = text::DefaultCodePageForLanguage(options.langId);
  Utf8Texts utf8(codePage, "it has no UTF-8 form");
  if (options.utf8 && !utf8.Available()) {
    std::fprintf(errors, "fdtool: no conversion from code page %d\n", codePage);
    return kExitProblems;
  }
  StderrAlerts alerts;
  text::PortableCollation collation(codePage);
  store::BookContext context;
  context.files = &files;
  context.alerts = &alerts;
  context.read.langId = options.langId;
  context.read.codePage = codePage;
  store::GroupTable groups(codePage, &alerts);
  store::EntryTable entries;
  if (!RescueBookInput(files, bookPath, errors)) return kExitUnreadable;
  if (!files.FileExists(bookPath) ||
      !store::ReadBookTables(context, bookPath, INT_MAX, &entries, &groups).ok()) {
    std::fprintf(errors, "fdtool: cannot read %s\n", bookPath.c_str());
    return kExitUnreadable;
  }
  const sys::FileError written = files.ReplaceWith(csvPath, [&](sys::ByteSink& sink) {
    return ExportCsv(sink, entries, options.langId, collation, bookPath,
                     options.utf8 ? &utf8 : nullptr, errors);
  });
  if (utf8.Undefined() > 0) {
    std::fprintf(errors,
                 "fdtool: %s not written: %d byte(s) of the book have no UTF-8 form; export "
                 "without --utf8 to keep the book's bytes\n",
                 csvPath.c_str(), utf8.Undefined());
    return kExitProblems;
  }
  if (written != sys::FileError::kNone) {
    std::fprintf(errors, "fdtool: cannot write %s\n", csvPath.c_str());
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace fdtool
