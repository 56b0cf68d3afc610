#include <cstdio>
#include <vector>

#include "platform/text/codepage.h"
#include "store/book_file.h"
#include "tools/fdtool/book_input.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/stderr_alerts.h"

namespace fdtool {
namespace {

// Counts what the reader made of each line and notes the fields the editor
// would refuse as too long.
class CheckObserver : public store::BookLineObserver {
 public:
  void OnLine(int lineNumber, const store::BookLine& line, bool stored) override {
    using store::BookLineKind;
    switch (line.kind) {
      case BookLineKind::kEntry:
        ++entries;
        ++(line.entry.kind == store::kKindGroup ? groups : addresses);
        if (entries > store::kMaxEntries) {
          problems.push_back("line " + std::to_string(lineNumber) + ": entry over the limit of " +
                             std::to_string(store::kMaxEntries));
        }
        NoteLongFields(lineNumber, line.entry);
        break;
      case BookLineKind::kMember:
        NoteLongFields(lineNumber, line.member);
        if (stored) {
          ++members;
        } else {
          ++ignored;
        }
        break;
      case BookLineKind::kBadMember:
      case BookLineKind::kIgnored:
        ++ignored;
        break;
      default:
        break;
    }
  }

  int entries = 0, addresses = 0, groups = 0, members = 0, ignored = 0;
  std::vector<std::string> problems;

 private:
  void NoteLongFields(int lineNumber, const store::EntryTexts& texts) {
    for (const store::TextField& field : store::kTextFields) {
      if ((texts.*field.member).size() > field.maxBytes) {
        problems.push_back("line " + std::to_string(lineNumber) + ": " + field.name +
                           " too long");
      }
    }
  }
};

}  // namespace

int RunCheck(sys::FileSystem& files, const Options& options, const std::string& path,
             std::FILE* report) {
  std::string bytes;
  if (!ReadBookInput(files, path, &bytes, stderr)) return kExitUnreadable;
  StderrAlerts alerts;
  store::BookContext context;
  context.alerts = &alerts;
  context.read.langId = options.langId;
  context.read.codePage = text::DefaultCodePageForLanguage(options.langId);
  store::GroupTable groups(context.read.codePage, &alerts);
  std::vector<store::AddressRecord> records;
  CheckObserver observer;
  store::ReadBookBytes(context, bytes, store::CountEntryLines(bytes), &records, &groups,
                       &observer);
  std::fprintf(report, "entries: %d\naddresses: %d\ngroups: %d\nmembers: %d\nignored_lines: %d\n",
               observer.entries, observer.addresses, observer.groups, observer.members,
               observer.ignored);
  for (const std::string& problem : observer.problems) std::fprintf(report, "%s\n", problem.c_str());
  return observer.problems.empty() ? kExitOk : kExitProblems;
}

}  // namespace fdtool
