#include <climits>
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
  // The book is read whole, in pieces, before anything is written: IN and
  // OUT may be the same file.
  StderrAlerts alerts;
  text::PortableCollation collation(text::DefaultCodePageForLanguage(options.langId));
  store::BookContext context;
  context.files = &files;
  context.alerts = &alerts;
  context.read.langId = options.langId;
  context.read.codePage = collation.CodePage();
  store::GroupTable groups(collation.CodePage(), &alerts);
  store::EntryTable entries;
  if (!RescueBookInput(files, in, stderr)) return kExitUnreadable;
  const store::BookStatus read = store::ReadBookTables(context, in, INT_MAX, &entries, &groups);
  if (!read.ok()) {
    std::fprintf(stderr, "fdtool: %s\n", store::DescribeReadFailure(read).c_str());
    return kExitUnreadable;
  }
  const sys::FileError error = files.ReplaceWith(out, [&](sys::ByteSink& sink) {
    return WriteNormalized(sink, entries, groups, options.langId, collation);
  });
  if (error != sys::FileError::kNone) {
    ReportWriteFailure(out, error, stderr);
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace fdtool
