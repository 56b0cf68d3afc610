#include "tests/bench/process_run.h"

#include "platform/posix/posix_file_system.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

extern char** environ;

namespace bench {

Run Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  Run run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return run;
  int status = 0;
  struct rusage usage {};
  if (::wait4(pid, &status, 0, &usage) != pid) return run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
  if (WIFEXITED(status)) run.exit = WEXITSTATUS(status);
  return run;
}

Run Shell(const std::string& command) { return Spawn({"sh", "-c", command}); }

std::string BenchPath(const std::string& name) {
  const char* dir = std::getenv("FAXBOOK_BENCH_DIR");
  return std::string(dir ? dir : ".") + "/" + name + "-" + std::to_string(::getpid());
}

BenchFile::BenchFile(std::string path, const std::function<std::string()>& make)
    : path_(std::move(path)) {
  const pid_t child = ::fork();
  if (child == 0) {
    sys::PosixFileSystem files;
    ::_exit(files.ReplaceWhole(path_, make()) == sys::FileError::kNone ? 0 : 1);
  }
  ::waitpid(child, nullptr, 0);
  struct stat st {};
  ::stat(path_.c_str(), &st);
  size_ = static_cast<std::size_t>(st.st_size);
}

BenchFile::~BenchFile() { ::unlink(path_.c_str()); }

}  // namespace bench
