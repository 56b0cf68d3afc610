#include <cstdio>

#include "platform/text/codepage.h"
#include "tools/fdtool/book_check.h"
#include "tools/fdtool/book_input.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/report_output.h"

namespace fdtool {

int RunCheck(sys::FileSystem& files, const Options& options, const std::string& path,
             std::FILE* report) {
  sys::FileBytes read;
  if (!ReadBookInput(files, path, &read, stderr)) return kExitUnreadable;
  const std::string_view bytes = read.View();
  const CheckReport r =
      CheckBook(bytes, options.langId, text::DefaultCodePageForLanguage(options.langId));
  ReportOutput out(report);
  char counts[256];
  std::snprintf(counts, sizeof counts,
                "entries: %d\naddresses: %d\ngroups: %d\nmembers: %d\nignored_lines: %d\n",
                r.entries, r.addresses, r.groups, r.members, r.ignoredLines);
  out.Write(counts);
  for (const std::string& problem : r.problems) {
    if (!out.Write(problem) || !out.Write("\n")) break;
  }
  out.Finish();
  return ExitAfterReport(out, r.problems.empty() ? kExitOk : kExitProblems, stderr);
}

}  // namespace fdtool
