#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "booklib/merge/book_merge.h"
#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_integrity.h"
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
    if (f.field == "Used") {
      line += conflict.removedBy == merge::Side::kMine
                  ? " removed in MINE, a member in THEIRS of " + f.theirs + ";"
                  : " removed in THEIRS, a member in MINE of " + f.mine + ";";
      continue;
    }
    if (f.field == "Entry") {
      line += conflict.mine.present ? " removed in THEIRS, changed in MINE;"
                                    : " removed in MINE, changed in THEIRS;";
      continue;
    }
    const std::string field = f.member.empty() ? f.field : "member " + f.member + " " + f.field;
    line += " " + field + " MINE \"" + f.mine + "\" THEIRS \"" + f.theirs + "\";";
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
  static const char* const kNames[3] = {"BASE", "MINE", "THEIRS"};
  for (int i = 0; i < 3; ++i) {
    sys::FileBytes read;
    if (!ReadBookInput(files, *paths[i], &read, errors)) return kExitUnreadable;
    const std::string_view bytes = read.View();
    // A book cut short or written over would merge as the deletion of what
    // it lost.
    const store::BookIntegrity integrity = store::CheckBookIntegrity(bytes);
    if (!integrity.whole()) {
      std::fprintf(errors, "fdtool: %s %s is no whole book (%s, line %d); %s not written\n",
                   kNames[i], paths[i]->c_str(), store::DescribeDamage(integrity.damage),
                   integrity.line, out.c_str());
      return kExitUnreadable;
    }
    // The books keep their bytes: members are read where they lie.
    books[i] = LoadAsEditor(std::make_shared<const sys::FileBytes>(std::move(read)),
                            options.langId, collation, &alerts);
  }
  const int lost = merge::EntriesLost(*books[0], *books[2]);
  if (merge::IsMassRemoval(lost, books[0]->Size()) && !options.allowMassRemoval) {
    std::fprintf(errors,
                 "fdtool: THEIRS %s lost %d of the %d entries of BASE; %s not written "
                 "(--allow-mass-removal merges it as their deletion)\n",
                 theirs.c_str(), lost, books[0]->Size(), out.c_str());
    return kExitProblems;
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
