// The fdtool commands, each given its parsed arguments and the system.
#pragma once

#include <cstdio>
#include <string>

#include "platform/sys/file_system.h"

namespace fdtool {

struct Options {
  int langId = 1041;
  bool utf8 = false;
  // import-csv: --map FIELD=COLUMN,... and --from-utf8.
  std::string map;
  bool fromUtf8 = false;
};

// Exit codes shared by the commands.
constexpr int kExitOk = 0;
constexpr int kExitProblems = 1;
constexpr int kExitUnreadable = 2;
constexpr int kExitUsage = 64;

int RunNormalize(sys::FileSystem& files, const Options& options, const std::string& in,
                 const std::string& out);
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

}  // namespace fdtool
