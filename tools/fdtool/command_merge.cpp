#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "faxbook/merge/book_merge.h"
#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_order.h"
#include "tools/fdtool/book_input.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/editor_book.h"
#include "tools/fdtool/stderr_alerts.h"

namespace fdtool {

std::string DescribeConflict(const merge::Conflict& conflict) {
  std::string line = "conflict at RegNo " + std::to_string(conflict.regNo) + " (" +
                     conflict.Name() + "):";
  for (const merge::FieldDifference& f : conflict.fields) {
    if (f.field == "Entry") {
      line += conflict.mine.present ? " removed in THEIRS, changed in MINE;"
                                    : " removed in MINE, changed in THEIRS;";
      continue;
    }
    line += " " + f.field + " MINE \"" + f.mine + "\" THEIRS \"" + f.theirs + "\";";
  }
  line.pop_back();
  return line;
}

int RunMerge(sys::FileSystem& files, const Options& options, const std::string& base,
             const std::string& mine, const std::string& theirs, const std::string& out,
             std::FILE* errors) {
  StderrAlerts alerts;
  text::PortableCollation collation(text::DefaultCodePageForLanguage(options.langId));
  std::unique_ptr<store::Book> books[3];
  const std::string* paths[3] = {&base, &mine, &theirs};
  for (int i = 0; i < 3; ++i) {
    std::string bytes;
    if (!ReadBookInput(files, *paths[i], &bytes, errors)) return kExitUnreadable;
    books[i] = LoadAsEditor(bytes, options.langId, collation, &alerts);
  }
  merge::MergePlan plan = merge::PlanMerge(*books[0], *books[1], *books[2], options.langId);
  if (!plan.conflicts.empty() && options.prefer.empty()) {
    for (const merge::Conflict& conflict : plan.conflicts) {
      std::fprintf(errors, "fdtool: %s\n", DescribeConflict(conflict).c_str());
    }
    return kExitProblems;
  }
  rules::TextRules rules;
  rules.langId = options.langId;
  rules.codePage = collation.CodePage();
  merge::MergedBook merged(collation.CodePage(), &alerts);
  const std::vector<merge::Side> choices =
      merge::AllChoices(plan, options.prefer == "theirs" ? merge::Side::kTheirs : merge::Side::kMine);
  merge::BuildMerged(std::move(plan), choices, rules, &merged);
  if (!merged.ok) {
    std::fprintf(errors, "fdtool: the merged book would pass %d entries; %s not written\n",
                 store::kMaxEntries, out.c_str());
    return kExitProblems;
  }
  store::Book book(collation.CodePage(), &alerts);
  book.Load(std::move(merged.records), std::move(merged.groups));
  const sys::FileError error = files.ReplaceWith(out, [&](sys::ByteSink& sink) {
    return store::WriteAppliedBook(sink, collation, options.langId, book);
  });
  if (error != sys::FileError::kNone) {
    ReportWriteFailure(out, error, errors);
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace fdtool
