#include <cstdio>
#include <vector>

#include "platform/sys/text_convert.h"
#include "platform/text/codepage.h"
#include "store/book_file.h"
#include "tools/fdtool/book_input.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/stderr_alerts.h"

namespace fdtool {
namespace {

// Prints each entry and member line as tab-separated fields:
//   entry  <kind> <RegNo> <eight texts> <Respect>
//   member <group key> <eight texts> <Respect>
class DumpObserver : public store::BookLineObserver {
 public:
  DumpObserver(std::FILE* out, int codePage, bool utf8)
      : out_(out), codePage_(codePage), utf8_(utf8) {}

  void OnLine(int, std::string_view, const store::BookLine& line, bool) override {
    if (line.kind == store::BookLineKind::kEntry) {
      Print("entry\t" + std::to_string(line.entry.kind) + "\t" + std::to_string(line.entry.regNo),
            line.entry);
    } else if (line.kind == store::BookLineKind::kMember) {
      Print("member\t" + std::to_string(line.memberKey), line.member);
    }
  }

 private:
  void Print(std::string row, const store::EntryTexts& texts) {
    for (const store::TextField& field : store::kTextFields) {
      row.push_back('\t');
      row.append(texts.*field.member);
    }
    row.append("\t" + std::to_string(texts.respect) + "\n");
    if (utf8_) {
      std::string converted;
      if (sys::CodePageToUtf8(codePage_, row, &converted)) row.swap(converted);
    }
    std::fwrite(row.data(), 1, row.size(), out_);
  }

  std::FILE* out_;
  int codePage_;
  bool utf8_;
};

}  // namespace

int RunDump(sys::FileSystem& files, const Options& options, const std::string& path,
            std::FILE* report) {
  std::string bytes;
  if (!ReadBookInput(files, path, &bytes, stderr)) return kExitUnreadable;
  StderrAlerts alerts;
  store::BookContext context;
  context.alerts = &alerts;
  context.read.langId = options.langId;
  context.read.codePage = text::DefaultCodePageForLanguage(options.langId);
  if (options.utf8) {
    std::string probe;
    if (!sys::CodePageToUtf8(context.read.codePage, "", &probe)) {
      std::fprintf(stderr, "fdtool: no conversion from code page %d\n", context.read.codePage);
      return kExitProblems;
    }
  }
  store::GroupTable groups(context.read.codePage, &alerts);
  std::vector<store::AddressRecord> records;
  DumpObserver observer(report, context.read.codePage, options.utf8);
  store::ReadBookBytes(context, bytes, store::CountEntryLines(bytes), &records, &groups,
                       &observer);
  return kExitOk;
}

}  // namespace fdtool
