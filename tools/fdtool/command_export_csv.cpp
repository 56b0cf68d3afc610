// fdtool export-csv: the addresses of a book as a CSV file that import-csv
// (and other address tools) read back.
#include <cstdio>

#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/book_order.h"
#include "store/csv_field.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/csv_options.h"
#include "tools/fdtool/editor_book.h"
#include "tools/fdtool/output_guard.h"
#include "tools/fdtool/stderr_alerts.h"
#include "tools/fdtool/utf8_texts.h"

namespace fdtool {

namespace {

// One header line, then one line per address (groups are left out). With
// utf8 the texts go over in UTF-8, each byte the code page leaves undefined
// named on standard error.
std::string ExportCsv(const EditorBook& book, const std::string& bookPath, Utf8Texts* utf8,
                      std::FILE* errors) {
  std::string out = ExportHeader() + "\r\n";
  std::string converted;
  for (const store::AddressRecord& row : book.rows) {
    if (store::KindForSave(row.kind) == store::kKindGroup) continue;
    const std::string place = bookPath + " RegNo " + std::to_string(row.regNo);
    for (std::size_t i = 0; i < store::kTextFieldCount; ++i) {
      if (i) out += ',';
      const std::string& text = row.*store::kTextFields[i].member;
      if (!utf8) {
        store::AppendQuotedField(text, &out);
        continue;
      }
      // Quotes and commas are the same bytes in UTF-8 and in no other
      // character of either: the UTF-8 text is quoted as the text would be.
      converted.clear();
      utf8->Append(text, place, store::kTextFields[i].name, &converted, errors);
      store::AppendQuotedField(converted, &out);
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace

int RunExportCsv(sys::FileSystem& files, const Options& options, const std::string& bookPath,
                 const std::string& csvPath, std::FILE* errors) {
  if (OutputIsAnInput(files, csvPath, {{bookPath, "the book"}}, errors)) return kExitUsage;
  std::string bytes;
  if (!files.FileExists(bookPath) || !files.ReadFile(bookPath, &bytes, store::kMaxBookBytes)) {
    std::fprintf(errors, "fdtool: cannot read %s\n", bookPath.c_str());
    return kExitUnreadable;
  }
  const int codePage = text::DefaultCodePageForLanguage(options.langId);
  Utf8Texts utf8(codePage, "it has no UTF-8 form");
  if (options.utf8 && !utf8.Available()) {
    std::fprintf(errors, "fdtool: no conversion from code page %d\n", codePage);
    return kExitProblems;
  }
  StderrAlerts alerts;
  text::PortableCollation collation(codePage);
  std::string csv = ExportCsv(LoadAsEditor(bytes, options.langId, collation, &alerts), bookPath,
                              options.utf8 ? &utf8 : nullptr, errors);
  if (utf8.Undefined() > 0) {
    // A UTF-8 file that says U+FFFD where the book has a byte would import
    // back as something else: nothing is written.
    std::fprintf(errors,
                 "fdtool: %s not written: %d byte(s) of the book have no UTF-8 form; export "
                 "without --utf8 to keep the book's bytes\n",
                 csvPath.c_str(), utf8.Undefined());
    return kExitProblems;
  }
  if (options.utf8) csv.insert(0, "\xEF\xBB\xBF");
  if (!files.ReplaceContents(csvPath, csv)) {
    std::fprintf(errors, "fdtool: cannot write %s\n", csvPath.c_str());
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace fdtool
