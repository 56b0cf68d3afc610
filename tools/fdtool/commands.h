// The fdtool commands, each given its parsed arguments and the system.
#pragma once

#include <cstdio>
#include <string>

#include <vector>

#include "booklib/device/quorvex_file_reader.h"
#include "platform/sys/file_system.h"
#include "platform/text/collation.h"

namespace fdtool {

// import-csv's --charset: detected from the file, the code page, UTF-8.
enum class CsvCharset { kAuto, kCodePage, kUtf8, kUtf16 };

struct Options {
  int langId = 1041;
  bool utf8 = false;
  // import-csv: --map FIELD=COLUMN,... and --charset cp|utf8|auto
  // (--from-utf8 is --charset utf8).
  std::string map;
  CsvCharset charset = CsvCharset::kAuto;
  // merge: --prefer mine|theirs; empty: conflicts are reported.
  std::string prefer;
  // merge: --allow-mass-removal merges a THEIRS that lost more than half
  // of BASE's entries.
  bool allowMassRemoval = false;
};

// Exit codes shared by the commands.
constexpr int kExitOk = 0;
constexpr int kExitProblems = 1;
constexpr int kExitUnreadable = 2;
constexpr int kExitUsage = 64;
// An output that could not be written whole: a file replacement that failed
// (the previous file stays), or a report on standard output cut short.
constexpr int kExitWriteFailed = 1;

int RunNormalize(sys::FileSystem& files, const Options& options, const std::string& in,
                 const std::string& out);
// check and dump print to `report`; when a write to it fails they say so on
// standard error and exit with kExitWriteFailed.
int RunCheck(sys::FileSystem& files, const Options& options, const std::string& path,
             std::FILE* report);
int RunDump(sys::FileSystem& files, const Options& options, const std::string& path,
            std::FILE* report);
// Exit 0 when OUT was written; 2 when BOOK or CSV cannot be read or the
// rows would pass the book's limit (nothing written).
int RunImportCsv(sys::FileSystem& files, const Options& options, const std::string& book,
                 const std::string& csv, const std::string& out, std::FILE* errors);
int RunExportCsv(sys::FileSystem& files, const Options& options, const std::string& book,
                 const std::string& csv, std::FILE* errors);

// merge: the three-way merge of BASE, MINE and THEIRS as the editor's apply
// makes it, written to OUT as apply writes it. Exit 0 written; 1 conflicts
// (one line each on `errors`, OUT not written), a THEIRS that lost more
// than half of BASE's entries (unless allowMassRemoval), a merge past the
// book's limit or a failed write; 2 a book unreadable or no whole book
// (empty, without the header, cut short, holding a broken line).
int RunMerge(sys::FileSystem& files, const Options& options, const std::string& base,
             const std::string& mine, const std::string& theirs, const std::string& out,
             std::FILE* errors);

// import-fed: the book the editor's device import leaves, as apply writes
// it. Exit 0 when OUT was written, 1 when the file holds no destinations, 2
// when it is no valid device file or cannot be read, or OUT cannot be
// written (OUT is then left as it was).
int RunImportFed(sys::FileSystem& files, const Options& options, const std::string& fed,
                 const std::string& out);
// The file apply writes after the device import of these destinations;
// *full tells whether the book's limit left some out.
std::string DeviceImportBook(const std::vector<device::QuorvexDestination>& destinations, int langId,
                             const text::Collation& collation, bool* full);

}  // namespace fdtool
