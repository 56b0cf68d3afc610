#include <cstdio>
#include <vector>

#include "platform/text/codepage.h"
#include "store/book_file.h"
#include "tools/fdtool/book_input.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/report_output.h"
#include "tools/fdtool/stderr_alerts.h"
#include "tools/fdtool/utf8_texts.h"

namespace fdtool {
namespace {

// Prints each entry and member line as tab-separated fields:
//   entry  <kind> <RegNo> <eight texts> <Respect>
//   member <group key> <eight texts> <Respect>
// In UTF-8 when utf8 is given (the texts converted one by one, so that a
// byte the code page leaves undefined is named with its line and field).
class DumpObserver : public store::BookLineObserver {
 public:
  DumpObserver(ReportOutput& out, const std::string& path, Utf8Texts* utf8)
      : out_(out), path_(path), utf8_(utf8) {}

  void OnLine(int lineNumber, std::string_view, const store::BookLine& line, bool) override {
    if (out_.Failed()) return;
    if (line.kind == store::BookLineKind::kEntry) {
      Print(lineNumber,
            "entry\t" + std::to_string(line.entry.kind) + "\t" + std::to_string(line.entry.regNo),
            line.entry);
    } else if (line.kind == store::BookLineKind::kMember) {
      Print(lineNumber, "member\t" + std::to_string(line.memberKey), line.member);
    }
  }

 private:
  void Print(int lineNumber, std::string row, const store::EntryTexts& texts) {
    const std::string place = path_ + " line " + std::to_string(lineNumber);
    for (const store::TextField& field : store::kTextFields) {
      row.push_back('\t');
      const std::string& text = texts.*field.member;
      if (utf8_) {
        utf8_->Append(text, place, field.name, &row, stderr);
      } else {
        row.append(text);
      }
    }
    row.append("\t" + std::to_string(texts.respect) + "\n");
    out_.Write(row);
  }

  ReportOutput& out_;
  const std::string& path_;
  Utf8Texts* utf8_;
};

}  // namespace

int RunDump(sys::FileSystem& files, const Options& options, const std::string& path,
            std::FILE* report) {
  sys::FileBytes read;
  if (!ReadBookInput(files, path, &read, stderr)) return kExitUnreadable;
  const std::string_view bytes = read.View();
  StderrAlerts alerts;
  store::BookContext context;
  context.alerts = &alerts;
  context.read.langId = options.langId;
  context.read.codePage = text::DefaultCodePageForLanguage(options.langId);
  Utf8Texts utf8(context.read.codePage, "shown as U+FFFD");
  if (options.utf8 && !utf8.Available()) {
    std::fprintf(stderr, "fdtool: no conversion from code page %d\n", context.read.codePage);
    return kExitProblems;
  }
  store::GroupTable groups(context.read.codePage, &alerts);
  std::vector<store::AddressRecord> records;
  ReportOutput out(report);
  DumpObserver observer(out, path, options.utf8 ? &utf8 : nullptr);
  store::ReadBookBytes(context, bytes, store::CountEntryLines(bytes), &records, &groups,
                       &observer);
  out.Finish();
  // Every line is listed; a text that could only be shown with U+FFFD in it
  // makes the listing one that lost something.
  return ExitAfterReport(out, utf8.Undefined() > 0 ? kExitProblems : kExitOk, stderr);
}

}  // namespace fdtool
