#include "tools/fdtool/book_input.h"

#include "store/book_rescue.h"

namespace fdtool {

bool RescueBookInput(sys::FileSystem& files, const std::string& path, std::FILE* errors) {
  store::BookContext context;
  context.files = &files;
  std::string from;
  const store::BookStatus status = store::RescueBook(context, path, &from);
  if (!status.ok()) {
    std::fprintf(errors, "fdtool: %s\n", store::DescribeReadFailure(status).c_str());
    return false;
  }
  if (!from.empty()) {
    std::fprintf(errors, "fdtool: %s was missing or incomplete; restored it from %s\n",
                 path.c_str(), from.c_str());
  }
  return true;
}

bool ReadBookInput(sys::FileSystem& files, const std::string& path, sys::FileBytes* bytes,
                   std::FILE* errors) {
  if (!RescueBookInput(files, path, errors)) return false;
  store::BookStatus status;
  status.error = files.ReadInto(path, store::kMaxBookBytes, bytes);
  if (status.ok()) return true;
  status.path = path;
  std::fprintf(errors, "fdtool: %s\n", store::DescribeReadFailure(status).c_str());
  return false;
}

void ReportWriteFailure(const std::string& path, sys::FileError error, std::FILE* errors) {
  std::fprintf(errors, "fdtool: cannot write %s: %s\n", path.c_str(), sys::FileErrorText(error));
}

}  // namespace fdtool
