// Programs run to their end by the benchmarks, with their wall time and
// peak resident memory.
#pragma once

#include <cstddef>
#include <functional>
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

// A file written once at path by a child process and removed at the end.
// The child makes the bytes, so that this process stays small: a program
// it starts inherits its peak memory in what the system reports of the
// program's.
class BenchFile {
 public:
  BenchFile(std::string path, const std::function<std::string()>& make);
  ~BenchFile();
  BenchFile(const BenchFile&) = delete;
  BenchFile& operator=(const BenchFile&) = delete;
  const std::string& Path() const { return path_; }
  double MiB() const { return static_cast<double>(size_) / (1 << 20); }

 private:
  std::string path_;
  std::size_t size_ = 0;
};

}  // namespace bench
