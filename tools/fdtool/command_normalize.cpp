#include <cstdio>

#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "tools/fdtool/book_input.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/normalize.h"
#include "tools/fdtool/stderr_alerts.h"

namespace fdtool {

int RunNormalize(sys::FileSystem& files, const Options& options, const std::string& in,
                 const std::string& out) {
  std::string bytes;
  if (!ReadBookInput(files, in, &bytes, stderr)) return kExitUnreadable;
  StderrAlerts alerts;
  text::PortableCollation collation(text::DefaultCodePageForLanguage(options.langId));
  const sys::FileError error =
      files.ReplaceContents(out, NormalizeBook(bytes, options.langId, collation, &alerts));
  if (error != sys::FileError::kNone) {
    ReportWriteFailure(out, error, stderr);
    return kExitProblems;
  }
  return kExitOk;
}

}  // namespace fdtool
