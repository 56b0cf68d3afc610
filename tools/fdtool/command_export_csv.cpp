// fdtool export-csv: the addresses of a book as a CSV file that import-csv
// (and other address tools) read back. The book is read in pieces and the
// file written line by line, so that a book of any size costs little more
// memory than its packed entries.
#include <climits>
#include <cstdio>

#include "platform/sys/text_convert.h"
#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/book_order.h"
#include "store/csv_field.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/csv_options.h"
#include "tools/fdtool/normalize.h"
#include "tools/fdtool/stderr_alerts.h"

namespace fdtool {

namespace {

// Lines on their way to the file, handed on some hundred kilobytes at a
// time, each piece ending with a whole line: converted to UTF-8 when asked
// (a piece of whole lines converts as the whole file would).
class LinePieces {
 public:
  static constexpr std::size_t kPieceBytes = 256 * 1024;

  LinePieces(sys::ByteSink& sink, int utf8FromCodePage)
      : sink_(sink), codePage_(utf8FromCodePage) {}

  std::string& Line() { return piece_; }
  // After each whole line.
  bool LineDone() { return piece_.size() < kPieceBytes || Flush(); }
  bool Flush() {
    if (piece_.empty()) return true;
    bool ok;
    if (codePage_ == 0) {
      ok = sink_.Write(piece_);
    } else {
      ok = sys::CodePageToUtf8(codePage_, piece_, &converted_) && sink_.Write(converted_);
    }
    piece_.clear();
    return ok;
  }

 private:
  sys::ByteSink& sink_;
  int codePage_;
  std::string piece_;
  std::string converted_;
};

// One header line, then one line per address in reading order (groups are
// left out).
bool ExportCsv(sys::ByteSink& sink, const store::EntryTable& entries, int langId,
               const text::Collation& collation, bool utf8) {
  if (utf8 && !sink.Write("\xEF\xBB\xBF")) return false;
  LinePieces out(sink, utf8 ? collation.CodePage() : 0);
  out.Line() += ExportHeader() + "\r\n";
  if (!out.LineDone()) return false;
  for (std::uint32_t index : ShownInApplyOrder(entries, langId, collation)) {
    const store::EntryToWrite entry = entries.Get(index);
    if (store::KindForSave(entry.kind) == store::kKindGroup) continue;
    for (std::size_t i = 0; i < store::kTextFieldCount; ++i) {
      if (i) out.Line() += ',';
      store::AppendQuotedField(entry.texts.texts[i], &out.Line());
    }
    out.Line() += "\r\n";
    if (!out.LineDone()) return false;
  }
  return out.Flush();
}

}  // namespace

int RunExportCsv(sys::FileSystem& files, const Options& options, const std::string& bookPath,
                 const std::string& csvPath, std::FILE* errors) {
  const int codePage = text::DefaultCodePageForLanguage(options.langId);
  StderrAlerts alerts;
  text::PortableCollation collation(codePage);
  store::BookContext context;
  context.files = &files;
  context.alerts = &alerts;
  context.read.langId = options.langId;
  context.read.codePage = codePage;
  store::GroupTable groups(codePage, &alerts);
  store::EntryTable entries;
  if (!files.FileExists(bookPath) ||
      !store::ReadBookTables(context, bookPath, INT_MAX, &entries, &groups).ok()) {
    std::fprintf(errors, "fdtool: cannot read %s\n", bookPath.c_str());
    return kExitUnreadable;
  }
  if (options.utf8) {
    std::string probe;
    if (!sys::CodePageToUtf8(codePage, "", &probe)) {
      std::fprintf(errors, "fdtool: no conversion from code page %d\n", codePage);
      return kExitProblems;
    }
  }
  const sys::FileError written = files.ReplaceWith(csvPath, [&](sys::ByteSink& sink) {
    return ExportCsv(sink, entries, options.langId, collation, options.utf8);
  });
  if (written != sys::FileError::kNone) {
    std::fprintf(errors, "fdtool: cannot write %s\n", csvPath.c_str());
    return kExitProblems;
  }
  return kExitOk;
}

}  // namespace fdtool
