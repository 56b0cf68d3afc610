// The report a command prints on standard output, with every write checked:
// a report cut short (a full disk, a closed pipe) is a failed command, never
// one that ends well.
#pragma once

#include <cstdio>
#include <string_view>

#include "platform/sys/file_system.h"

namespace fdtool {

class ReportOutput {
 public:
  explicit ReportOutput(std::FILE* stream) : stream_(stream) {}

  // Writes bytes; false once a write has failed (nothing more is tried).
  bool Write(std::string_view bytes);
  // Flushes what the stream holds; false when a write failed on the way.
  bool Finish();

  bool Failed() const { return error_ != sys::FileError::kNone; }
  sys::FileError Error() const { return error_; }

 private:
  void Fail();

  std::FILE* stream_;
  sys::FileError error_ = sys::FileError::kNone;
};

// "fdtool: cannot write standard output: REASON" on `errors` when the
// output failed; then returns the exit code of a failed write, else `code`.
int ExitAfterReport(const ReportOutput& output, int code, std::FILE* errors);

// Closes standard output at the end of a command that printed its report
// there: a failure that only the close reveals is reported and turns an
// exit code into that of a failed write.
int CloseStandardOutput(int code);

}  // namespace fdtool
