#include "tools/fdtool/book_input.h"

namespace fdtool {

bool ReadBookInput(sys::FileSystem& files, const std::string& path, std::string* bytes,
                   std::FILE* errors) {
  store::BookStatus status;
  status.error = files.ReadWhole(path, bytes, store::kMaxBookBytes);
  if (status.ok()) return true;
  status.path = path;
  std::fprintf(errors, "fdtool: %s\n", store::DescribeReadFailure(status).c_str());
  return false;
}

void ReportWriteFailure(const std::string& path, sys::FileError error, std::FILE* errors) {
  std::fprintf(errors, "fdtool: cannot write %s: %s\n", path.c_str(), sys::FileErrorText(error));
}

}  // namespace fdtool
