// Programs run to their end by the benchmarks, with their wall time and
// peak resident memory.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Run {
  double seconds = 0;     // wall time
  double cpuSeconds = 0;  // user and system time
  double peakMiB = 0;
  int exit = -1;  // the exit code; -1 when the program did not end normally
  bool ok() const { return exit == 0; }
};

// Runs a program (looked up in PATH) with these arguments, the first being
// its name.
Run Spawn(const std::vector<std::string>& args);

// Runs a shell command line (sh -c).
Run Shell(const std::string& command);

// A file path in FAXBOOK_BENCH_DIR (default: the current folder), so that
// the files lie on a real disk; unique to this process.
std::string BenchPath(const std::string& name);

}  // namespace bench
