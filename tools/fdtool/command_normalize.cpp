#include <cstdio>

#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/normalize.h"
#include "tools/fdtool/stderr_alerts.h"

namespace fdtool {

int RunNormalize(sys::FileSystem& files, const Options& options, const std::string& in,
                 const std::string& out) {
  std::string bytes;
  if (!files.FileExists(in) || !files.ReadFile(in, &bytes, store::kMaxBookBytes)) {
    std::fprintf(stderr, "fdtool: cannot read %s\n", in.c_str());
    return kExitUnreadable;
  }
  StderrAlerts alerts;
  text::PortableCollation collation(text::DefaultCodePageForLanguage(options.langId));
  if (!files.ReplaceContents(out, NormalizeBook(bytes, options.langId, collation, &alerts))) {
    std::fprintf(stderr, "fdtool: cannot write %s\n", out.c_str());
    return kExitProblems;
  }
  return kExitOk;
}

}  // namespace fdtool
