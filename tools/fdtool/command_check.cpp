#include <cstdio>

#include "platform/text/codepage.h"
#include "tools/fdtool/book_check.h"
#include "tools/fdtool/book_input.h"
#include "tools/fdtool/commands.h"

namespace fdtool {

int RunCheck(sys::FileSystem& files, const Options& options, const std::string& path,
             std::FILE* report) {
  std::string bytes;
  if (!ReadBookInput(files, path, &bytes, stderr)) return kExitUnreadable;
  const CheckReport r =
      CheckBook(bytes, options.langId, text::DefaultCodePageForLanguage(options.langId));
  std::fprintf(report, "entries: %d\naddresses: %d\ngroups: %d\nmembers: %d\nignored_lines: %d\n",
               r.entries, r.addresses, r.groups, r.members, r.ignoredLines);
  for (const std::string& problem : r.problems) std::fprintf(report, "%s\n", problem.c_str());
  return r.problems.empty() ? kExitOk : kExitProblems;
}

}  // namespace fdtool
