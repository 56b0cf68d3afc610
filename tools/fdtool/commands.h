// The fdtool commands, each given its parsed arguments and the system.
#pragma once

#include <cstdio>
#include <string>

#include "platform/sys/file_system.h"

namespace fdtool {

struct Options {
  int langId = 1041;
  bool utf8 = false;
};

// Exit codes shared by the commands.
constexpr int kExitOk = 0;
constexpr int kExitProblems = 1;
constexpr int kExitUnreadable = 2;

int RunNormalize(sys::FileSystem& files, const Options& options, const std::string& in,
                 const std::string& out);
int RunCheck(sys::FileSystem& files, const Options& options, const std::string& path,
             std::FILE* report);
int RunDump(sys::FileSystem& files, const Options& options, const std::string& path,
            std::FILE* report);

}  // namespace fdtool
