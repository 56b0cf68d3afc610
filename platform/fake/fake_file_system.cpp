#include "platform/fake/fake_file_system.h"

#include <algorithm>

#include "platform/sys/whole_file_replace.h"
#include "platform/text/path_split.h"

namespace sys {

// The replace steps on the files in memory. The temporary file is written
// in place, so a kill part way leaves what was written so far.
class FakeFileSystem::Steps : public ReplaceSteps {
 public:
  explicit Steps(FakeFileSystem& fs) : fs_(fs) {}
  int CodePage() override { return fs_.codePage_; }
  FileError CreateExclusive(const std::string& path) override {
    FileError error = FileError::kNone;
    if (!fs_.Step(ReplaceStep::kCreate, &error)) return error;
    if (fs_.files_.count(path)) return FileError::kAccessDenied;
    if (const FileError e = fs_.ErrorFor(path); e != FileError::kNone) return e;
    open_ = path;
    fs_.Put(path, std::string());
    fs_.Stepped();
    return FileError::kNone;
  }
  FileError Write(std::string_view bytes) override {
    FileError error = FileError::kNone;
    if (!fs_.Step(ReplaceStep::kWrite, &error)) return error;
    std::string& file = fs_.files_[open_];
    if (fs_.armed_ && file.size() + bytes.size() > fs_.failAfter_) {
      file.append(bytes.substr(0, fs_.failAfter_ - std::min(fs_.failAfter_, file.size())));
      fs_.armed_ = false;
      fs_.Stepped();
      return FileError::kDiskFull;
    }
    file.append(bytes);
    fs_.modified_[open_] = ++fs_.clock_;
    fs_.Stepped();
    return FileError::kNone;
  }
  FileError FlushAndClose() override {
    FileError error = FileError::kNone;
    const bool ok = fs_.Step(ReplaceStep::kFlush, &error);
    open_.clear();
    return ok ? FileError::kNone : error;
  }
  void Abandon() override { open_.clear(); }
  bool Exists(const std::string& path) override { return fs_.files_.count(path) != 0; }
  FileError TakeOver(const std::string& from, const std::string& to) override {
    FileError error = FileError::kNone;
    if (!fs_.Step(ReplaceStep::kTakeOver, &error)) return error;
    if (!fs_.files_.count(from)) return FileError::kNotFound;
    if (fs_.readOnly_.count(from)) return FileError::kReadOnly;
    if (fs_.openAccess_.count(from)) {
      fs_.openAccess_.insert(to);
    } else {
      fs_.openAccess_.erase(to);
    }
    fs_.Stepped();
    return FileError::kNone;
  }
  FileError RenameOver(const std::string& from, const std::string& to) override {
    FileError error = FileError::kNone;
    if (!fs_.Step(ReplaceStep::kRename, &error)) return error;
    auto source = fs_.files_.find(from);
    if (source == fs_.files_.end()) return FileError::kNotFound;
    if (fs_.held_.count(from) || fs_.held_.count(to)) return FileError::kSharingViolation;
    if (fs_.readOnly_.count(to)) return FileError::kAccessDenied;
    if (const FileError e = fs_.ErrorFor(to); e != FileError::kNone) return e;
    fs_.files_[to] = std::move(source->second);
    fs_.files_.erase(from);
    fs_.modified_[to] = fs_.modified_[from];
    fs_.modified_.erase(from);
    if (fs_.openAccess_.erase(from)) {
      fs_.openAccess_.insert(to);
    } else {
      fs_.openAccess_.erase(to);
    }
    fs_.Stepped();
    return FileError::kNone;
  }
  FileError Delete(const std::string& path) override {
    FileError error = FileError::kNone;
    if (!fs_.Step(ReplaceStep::kDelete, &error)) return error;
    if (fs_.held_.count(path)) return FileError::kSharingViolation;
    if (!fs_.RemoveFile(path)) return fs_.ErrorFor(path);
    fs_.Stepped();
    return FileError::kNone;
  }
  std::vector<FoundFile> Matching(const std::string& folder, const std::string& prefix) override {
    std::vector<FoundFile> found;
    for (const auto& f : fs_.files_) {
      const text::PathSplit split = text::SplitPath(fs_.codePage_, f.first);
      if (split.folder != folder || split.name.substr(0, prefix.size()) != prefix) continue;
      found.push_back({f.first, f.second.size(), fs_.Modified(f.first)});
    }
    return found;
  }
  unsigned Unique() override { return ++fs_.unique_; }

 private:
  FakeFileSystem& fs_;
  std::string open_;
};

bool FakeFileSystem::Step(ReplaceStep step, FileError* error) {
  if (stepsToLive_ == 0) {
    *error = FileError::kIoError;
    return false;
  }
  if (stepsToLive_ > 0) --stepsToLive_;
  ++steps_;
  auto failure = stepFailures_.find(step);
  if (failure != stepFailures_.end()) {
    *error = failure->second;
    return false;
  }
  return true;
}

void FakeFileSystem::Stepped() {
  if (watcher_) watcher_();
}

void FakeFileSystem::Put(const std::string& path, std::string contents) {
  files_[path] = std::move(contents);
  modified_[path] = ++clock_;
}

void FakeFileSystem::SetFile(const std::string& path, std::string contents) {
  Put(path, std::move(contents));
}

std::uint64_t FakeFileSystem::Modified(const std::string& path) const {
  auto it = modified_.find(path);
  return it == modified_.end() ? 0 : it->second;
}

FileError FakeFileSystem::ErrorFor(const std::string& path) const {
  auto e = errors_.find(path);
  return e == errors_.end() ? FileError::kNone : e->second;
}

FileError FakeFileSystem::ReadChunks(const std::string& path, std::size_t maxBytes,
                                     const ChunkReader& reader) {
  if (const FileError e = ErrorFor(path); e != FileError::kNone) return e;
  auto held = held_.find(path);
  if (held != held_.end() && !held->second) return FileError::kSharingViolation;
  auto it = files_.find(path);
  if (it == files_.end()) return FileError::kNotFound;
  const std::string& contents = it->second;
  if (contents.size() > maxBytes) return FileError::kTooLarge;
  auto failure = readFailures_.find(path);
  const std::size_t end = failure == readFailures_.end() ? contents.size()
                                                         : std::min(failure->second, contents.size());
  for (std::size_t at = 0; at < end; at += pieceSize_) {
    if (!reader(std::string_view(contents).substr(at, std::min(pieceSize_, end - at)))) {
      return FileError::kNone;
    }
  }
  return end < contents.size() ? FileError::kIoError : FileError::kNone;
}

FileError FakeFileSystem::ReadInto(const std::string& path, std::size_t maxBytes,
                                   FileBytes* bytes) {
  bytes->Clear();
  auto it = files_.find(path);
  if (it != files_.end() && it->second.size() <= maxBytes) bytes->Room(it->second.size());
  const FileError error = ReadChunks(path, maxBytes, [bytes](std::string_view piece) {
    bytes->Append(piece);
    return true;
  });
  if (error != FileError::kNone) bytes->Clear();
  return error;
}

bool FakeFileSystem::FileExists(const std::string& path) { return files_.count(path) != 0; }

bool FakeFileSystem::SameFile(const std::string& a, const std::string& b) {
  if (!FileExists(a) || !FileExists(b)) return false;
  return a == b || sameFiles_.count({a, b}) != 0 || sameFiles_.count({b, a}) != 0;
}

bool FakeFileSystem::SizeWithoutSharing(const std::string& path, std::uint64_t* size) {
  auto it = files_.find(path);
  if (it == files_.end() || ErrorFor(path) != FileError::kNone || held_.count(path)) return false;
  *size = it->second.size();
  return true;
}

FileError FakeFileSystem::ReadError(const std::string& path) const {
  if (const FileError e = ErrorFor(path); e != FileError::kNone) return e;
  auto held = held_.find(path);
  if (held != held_.end() && !held->second) return FileError::kSharingViolation;
  auto it = files_.find(path);
  if (it == files_.end()) return FileError::kNotFound;
  auto failure = readFailures_.find(path);
  return failure != readFailures_.end() && failure->second < it->second.size() ? FileError::kIoError
                                                                              : FileError::kNone;
}

FileError FakeFileSystem::WriteError(const std::string& path) const {
  if (const FileError e = ErrorFor(path); e != FileError::kNone) return e;
  auto held = held_.find(path);
  if (held != held_.end() && !held->second) return FileError::kSharingViolation;
  return readOnly_.count(path) ? FileError::kAccessDenied : FileError::kNone;
}

bool FakeFileSystem::RemoveFile(const std::string& path) {
  if (ErrorFor(path) != FileError::kNone || held_.count(path) || readOnly_.count(path)) {
    return false;
  }
  files_.erase(path);
  modified_.erase(path);
  openAccess_.erase(path);
  return true;
}

bool FakeFileSystem::IsReadOnly(const std::string& path) {
  return files_.count(path) != 0 && readOnly_.count(path) != 0;
}

std::uint64_t FakeFileSystem::SizeHint(const std::string& path) {
  auto it = files_.find(path);
  return it == files_.end() ? 0 : it->second.size();
}

FileError FakeFileSystem::OpenOrCreate(const std::string& path, bool withOpenAccess, bool shared) {
  if (const FileError e = ErrorFor(path); e != FileError::kNone) return e;
  auto held = held_.find(path);
  if (held != held_.end() && (!held->second || !shared)) return FileError::kSharingViolation;
  if (readOnly_.count(path)) return FileError::kAccessDenied;
  if (files_.count(path)) return FileError::kNone;
  Put(path, std::string());
  if (withOpenAccess) openAccess_.insert(path);
  return FileError::kNone;
}

const std::string* FakeFileSystem::File(const std::string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? nullptr : &it->second;
}

FileError FakeFileSystem::ReplaceWith(const std::string& path, const ContentWriter& writer) {
  ++replaces_;
  if (const FileError e = ErrorFor(path); e != FileError::kNone) return e;
  if (readOnly_.count(path)) return FileError::kReadOnly;
  Steps steps(*this);
  const FileError error = ReplaceWholeFile(steps, path, writer);
  stepFailures_.clear();
  return error;
}

std::vector<FoundFile> FakeFileSystem::FilesNamedLike(const std::string& path) {
  Steps steps(*this);
  return sys::FilesNamedLike(steps, path);
}

FileError FakeFileSystem::PutInPlace(const std::string& leftover, const std::string& path) {
  Steps steps(*this);
  const FileError error = sys::PutInPlace(steps, leftover, path);
  stepFailures_.clear();
  return error;
}

}  // namespace sys
