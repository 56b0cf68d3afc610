#include "platform/sys/whole_file_replace.h"

#include <cstdio>

#include "platform/sys/buffered_sink.h"

namespace sys {
namespace {

class StepSink : public ByteSink {
 public:
  explicit StepSink(ReplaceSteps& steps) : steps_(steps) {}
  bool Write(std::string_view bytes) override {
    if (error_ == FileError::kNone) error_ = steps_.Write(bytes);
    return error_ == FileError::kNone;
  }
  FileError Error() const { return error_; }

 private:
  ReplaceSteps& steps_;
  FileError error_ = FileError::kNone;
};

std::string Leftover(const std::string& path, unsigned number, const char* kind) {
  char tail[32];
  std::snprintf(tail, sizeof tail, "%08x.%s", number, kind);
  return path + ".~fbk" + tail;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder == ".") return name;
  const char last = folder.back();
  return last == '\\' || last == '/' ? folder + name : folder + "\\" + name;
}

// Leftovers of interrupted saves go once the book itself is in place.
void RemoveLeftovers(ReplaceSteps& steps, const std::string& path) {
  if (!steps.Exists(path)) return;
  const std::string folder = FolderOf(path);
  for (const std::string& name : steps.Matching(folder, LeftoverPrefix(path))) {
    steps.Delete(Join(folder, name));
  }
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

FileError ReplaceWholeFile(ReplaceSteps& steps, const std::string& path,
                           const ContentWriter& writer) {
  RemoveLeftovers(steps, path);

  std::string temp;
  FileError error = FileError::kIoError;
  for (int attempt = 0; attempt < 8; ++attempt) {
    temp = Leftover(path, steps.Unique(), "tmp");
    if (steps.Exists(temp)) continue;
    error = steps.CreateExclusive(temp);
    if (error == FileError::kNone) break;
  }
  if (error != FileError::kNone) return error;

  StepSink sink(steps);
  BufferedSink buffered(sink);
  const bool written = writer(buffered) && buffered.Flush() && sink.Error() == FileError::kNone;
  if (!written) {
    steps.Abandon();
    steps.Delete(temp);
    return sink.Error() != FileError::kNone ? sink.Error() : FileError::kIoError;
  }
  error = steps.FlushAndClose();
  if (error != FileError::kNone) {
    steps.Delete(temp);
    return error;
  }

  if (!steps.Exists(path)) {
    error = steps.Rename(temp, path);
    if (error != FileError::kNone) steps.Delete(temp);
    return error;
  }

  const std::string backup = Leftover(path, steps.Unique(), "bak");
  error = steps.Swap(path, temp, backup);
  if (error == FileError::kNone) {
    steps.Delete(backup);
    return FileError::kNone;
  }
  // The swap failed. Whatever it left, the file must be under its name.
  if (steps.Exists(path)) {
    if (steps.Exists(temp)) steps.Delete(temp);
    if (steps.Exists(backup)) steps.Delete(backup);
    return error;
  }
  if (steps.Exists(temp) && steps.Rename(temp, path) == FileError::kNone) {
    // The new contents are in place, without the old file's rights.
    if (steps.Exists(backup)) steps.Delete(backup);
    return FileError::kNone;
  }
  if (steps.Exists(backup) && steps.Rename(backup, path) == FileError::kNone) {
    if (steps.Exists(temp)) steps.Delete(temp);
  }
  // Otherwise both stay under their own names: nothing is deleted.
  return error;
}

}  // namespace sys
