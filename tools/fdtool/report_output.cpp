#include "tools/fdtool/report_output.h"

#include <cerrno>

#include "tools/fdtool/commands.h"

namespace fdtool {
namespace {

sys::FileError FromErrno(int e) {
  switch (e) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
      return sys::FileError::kDiskFull;
    case EACCES:
    case EPERM:
      return sys::FileError::kAccessDenied;
    default:
      return sys::FileError::kIoError;
  }
}

void ReportFailure(sys::FileError error, std::FILE* errors) {
  std::fprintf(errors, "fdtool: cannot write standard output: %s\n", sys::FileErrorText(error));
}

}  // namespace

void ReportOutput::Fail() {
  if (error_ == sys::FileError::kNone) error_ = FromErrno(errno);
}

bool ReportOutput::Write(std::string_view bytes) {
  if (Failed()) return false;
  if (bytes.empty()) return true;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) Fail();
  return !Failed();
}

bool ReportOutput::Finish() {
  if (Failed()) return false;
  errno = 0;
  if (std::fflush(stream_) != 0 || std::ferror(stream_)) Fail();
  return !Failed();
}

int ExitAfterReport(const ReportOutput& output, int code, std::FILE* errors) {
  if (!output.Failed()) return code;
  ReportFailure(output.Error(), errors);
  return kExitWriteFailed;
}

int CloseStandardOutput(int code) {
  // A failure the command has reported leaves the stream's error flag set.
  const bool reported = std::ferror(stdout) != 0;
  errno = 0;
  if (std::fclose(stdout) == 0 || reported) return code;
  ReportFailure(FromErrno(errno), stderr);
  return kExitWriteFailed;
}

}  // namespace fdtool
