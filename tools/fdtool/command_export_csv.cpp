// fdtool export-csv: the addresses of a book as a CSV file that import-csv
// (and other address tools) read back.
#include <cstdio>

#include "platform/sys/text_convert.h"
#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/book_order.h"
#include "store/csv_field.h"
#include "tools/fdtool/book_input.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/csv_options.h"
#include "tools/fdtool/editor_book.h"
#include "tools/fdtool/stderr_alerts.h"

namespace fdtool {

namespace {

// One header line, then one line per address (groups are left out).
std::string ExportCsv(const EditorBook& book) {
  std::string out = ExportHeader() + "\r\n";
  for (const store::AddressRecord& row : book.rows) {
    if (store::KindForSave(row.kind) == store::kKindGroup) continue;
    for (std::size_t i = 0; i < store::kTextFieldCount; ++i) {
      if (i) out += ',';
      store::AppendQuotedField(row.*store::kTextFields[i].member, &out);
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace

int RunExportCsv(sys::FileSystem& files, const Options& options, const std::string& bookPath,
                 const std::string& csvPath, std::FILE* errors) {
  std::string bytes;
  if (!RescueBookInput(files, bookPath, errors)) return kExitUnreadable;
  if (!files.FileExists(bookPath) || !files.ReadFile(bookPath, &bytes, store::kMaxBookBytes)) {
    std::fprintf(errors, "fdtool: cannot read %s\n", bookPath.c_str());
    return kExitUnreadable;
  }
  const int codePage = text::DefaultCodePageForLanguage(options.langId);
  StderrAlerts alerts;
  text::PortableCollation collation(codePage);
  std::string csv = ExportCsv(LoadAsEditor(bytes, options.langId, collation, &alerts));
  if (options.utf8) {
    std::string converted;
    if (!sys::CodePageToUtf8(codePage, csv, &converted)) {
      std::fprintf(errors, "fdtool: no conversion from code page %d\n", codePage);
      return kExitProblems;
    }
    csv = "\xEF\xBB\xBF" + converted;
  }
  if (!files.ReplaceContents(csvPath, csv)) {
    std::fprintf(errors, "fdtool: cannot write %s\n", csvPath.c_str());
    return kExitProblems;
  }
  return kExitOk;
}

}  // namespace fdtool
