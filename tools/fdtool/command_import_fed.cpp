#include <cstdio>

#include "booklib/device/quorvex_file_reader.h"
#include "booklib/device/quorvex_import.h"
#include "platform/text/codepage.h"
#include "platform/text/portable_collation.h"
#include "store/book_order.h"
#include "tools/fdtool/book_input.h"
#include "tools/fdtool/commands.h"
#include "tools/fdtool/output_guard.h"
#include "tools/fdtool/stderr_alerts.h"

namespace fdtool {

std::string DeviceImportBook(const std::vector<device::QuorvexDestination>& destinations, int langId,
                             const text::Collation& collation, bool* full) {
  device::QuorvexEntries entries = device::MakeQuorvexEntries(destinations, {langId, collation.CodePage()});
  *full = entries.full;
  // The editor puts each destination at the top of the list in turn and
  // applies.
  std::vector<store::AddressRecord> rows(entries.records.rbegin(), entries.records.rend());
  StderrAlerts alerts;
  store::Book book(collation.CodePage(), &alerts);
  book.Load(std::move(rows), store::GroupTable(collation.CodePage(), &alerts));
  return store::FormatAppliedBook(collation, langId, book);
}

int RunImportFed(sys::FileSystem& files, const Options& options, const std::string& fed,
                 const std::string& out) {
  if (OutputIsAnInput(files, out, {{fed, "the device file"}}, stderr)) return kExitUsage;
  device::CQuorvexFileReader reader;
  if (!reader.Read(files, fed, options.langId)) {
    std::fprintf(stderr, "fdtool: %s is not a valid device file or cannot be read\n", fed.c_str());
    return kExitUnreadable;
  }
  if (reader.Destinations().empty()) {
    std::fprintf(stderr, "fdtool: %s holds no destinations that can be registered\n", fed.c_str());
    return kExitProblems;
  }
  text::PortableCollation collation(text::DefaultCodePageForLanguage(options.langId));
  bool full = false;
  const std::string book = DeviceImportBook(reader.Destinations(), options.langId, collation, &full);
  const sys::FileError error = files.ReplaceWhole(out, book);
  if (error != sys::FileError::kNone) {
    ReportWriteFailure(out, error, stderr);
    return kExitUnreadable;
  }
  if (full) {
    std::fprintf(stderr, "fdtool: the book holds at most %d entries; %zu destinations were left out\n",
                 store::kMaxEntries, reader.Destinations().size() - store::kMaxEntries);
  }
  return kExitOk;
}

}  // namespace fdtool
