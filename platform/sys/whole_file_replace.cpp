#include "platform/sys/whole_file_replace.h"

#include <cstdio>

#include "platform/sys/buffered_sink.h"
#include "platform/text/path_split.h"

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

std::string TemporaryName(const std::string& path, unsigned number) {
  char tail[32];
  std::snprintf(tail, sizeof tail, "%08x.tmp", number);
  return path + ".~fbk" + tail;
}

bool EndsWith(const std::string& text, const char* tail) {
  const std::string_view t(tail);
  return text.size() >= t.size() && text.compare(text.size() - t.size(), t.size(), t) == 0;
}

// Called only once a whole file is under the name: what earlier
// replacements left behind is then no longer anybody's only copy.
void RemoveLeftovers(ReplaceSteps& steps, const std::string& path) {
  const int codePage = steps.CodePage();
  const std::string folder(text::SplitPath(codePage, path).folder);
  for (const FoundFile& found : steps.Matching(folder, LeftoverPrefix(codePage, path))) {
    steps.Delete(found.path);
  }
}

}  // namespace

std::string LeftoverPrefix(int codePage, const std::string& path) {
  return std::string(text::NameOf(codePage, path)) + ".~fbk";
}

bool IsLeftoverOf(int codePage, const std::string& path, const std::string& candidate) {
  const std::string prefix = LeftoverPrefix(codePage, path);
  const std::string name(text::NameOf(codePage, candidate));
  return name.size() > prefix.size() + 4 && name.compare(0, prefix.size(), prefix) == 0 &&
         (EndsWith(name, ".tmp") || EndsWith(name, ".bak"));
}

FileError ReplaceWholeFile(ReplaceSteps& steps, const std::string& path,
                           const ContentWriter& writer) {
  std::string temp;
  FileError error = FileError::kIoError;
  for (int attempt = 0; attempt < 8; ++attempt) {
    temp = TemporaryName(path, steps.Unique());
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
  if (error == FileError::kNone) error = steps.TakeOver(path, temp);
  if (error == FileError::kNotFound) error = FileError::kNone;  // a new file: nothing to keep
  if (error != FileError::kNone) {
    steps.Delete(temp);
    return error;
  }

  error = steps.RenameOver(temp, path);
  if (error != FileError::kNone) {
    // The rename changed nothing. The new file goes only while the old one
    // is still there; else it is the one whole copy left.
    if (steps.Exists(path)) steps.Delete(temp);
    return error;
  }
  RemoveLeftovers(steps, path);
  return FileError::kNone;
}

std::vector<FoundFile> FilesNamedLike(ReplaceSteps& steps, const std::string& path) {
  const text::PathSplit split = text::SplitPath(steps.CodePage(), path);
  if (split.name.empty()) return {};
  return steps.Matching(std::string(split.folder), std::string(split.name));
}

FileError PutInPlace(ReplaceSteps& steps, const std::string& leftover, const std::string& path) {
  FileError error = steps.TakeOver(path, leftover);
  if (error == FileError::kNotFound) error = FileError::kNone;
  if (error != FileError::kNone) return error;
  return steps.RenameOver(leftover, path);
}

}  // namespace sys
