// fdtool export-csv: the addresses of a book as a CSV file that import-csv
// (and other address tools) read back. The book is read in pieces and the
// file written line by line, so that a book of any size costs little more
// memory than its packed entries.
#include <climits>
#include <cstdio>

#include "booklib/csv/csv_export.h"
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

// The book's texts in UTF-8 through fdtool's reports of undefined bytes.
class ReportingConverter : public csv::ExportTextConverter {
 public:
  ReportingConverter(Utf8Texts* utf8, const std::string& bookPath, std::FILE* errors)
      : utf8_(utf8), bookPath_(bookPath), errors_(errors) {}
  bool Append(std::string_view text, int regNo, std::size_t field, std::string* out) override {
    return utf8_->Append(text, bookPath_ + " RegNo " + std::to_string(regNo),
                        store::kTextFields[field].name, out, errors_);
  }

 private:
  Utf8Texts* utf8_;
  const std::string& bookPath_;
  std::FILE* errors_;
};

// One header line, then one line per address in reading order (groups are
// left out). With utf8 the texts go over in UTF-8, each byte the code page
// leaves undefined named on standard error; the file is then not written
// (false), since U+FFFD where the book has a byte would import back as
// something else.
bool ExportCsv(sys::ByteSink& sink, const store::EntryTable& entries, int langId,
               const text::Collation& collation, const std::string& bookPath, Utf8Texts* utf8,
               std::FILE* errors) {
  const std::vector<std::uint32_t> order = ShownInApplyOrder(entries, langId, collation);
  ReportingConverter converter(utf8, bookPath, errors);
  return csv::WriteCsvExport(
      sink, order.size(), [&](std::size_t i) { return entries.Get(order[i]); },
      utf8 ? &converter : nullptr, langId == 1041);
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
    ReportWriteFailure(csvPath, written, errors);
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace fdtool
