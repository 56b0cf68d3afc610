#include "platform/fake/fake_file_system.h"

#include <algorithm>

namespace sys {
namespace {

// What the writer writes, up to the armed fault.
class LimitedSink : public ByteSink {
 public:
  LimitedSink(std::string* out, std::size_t limit) : out_(out), limit_(limit) {}
  bool Write(std::string_view bytes) override {
    if (failed_) return false;
    if (out_->size() + bytes.size() > limit_) {
      out_->append(bytes.substr(0, limit_ - out_->size()));
      failed_ = true;
      return false;
    }
    out_->append(bytes);
    return true;
  }
  bool Failed() const { return failed_; }

 private:
  std::string* out_;
  std::size_t limit_;
  bool failed_ = false;
};

}  // namespace

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
  if (ErrorFor(path) != FileError::kNone || readOnly_.count(path)) return false;
  files_.erase(path);
  return true;
}

FileError FakeFileSystem::OpenOrCreate(const std::string& path, bool withOpenAccess, bool shared) {
  if (const FileError e = ErrorFor(path); e != FileError::kNone) return e;
  auto held = held_.find(path);
  if (held != held_.end() && (!held->second || !shared)) return FileError::kSharingViolation;
  if (readOnly_.count(path)) return FileError::kAccessDenied;
  if (files_.emplace(path, std::string()).second && withOpenAccess) openAccess_.insert(path);
  return FileError::kNone;
}

const std::string* FakeFileSystem::File(const std::string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? nullptr : &it->second;
}

FileError FakeFileSystem::ReplaceWith(const std::string& path, const ContentWriter& writer) {
  ++replaces_;
  if (const FileError e = ErrorFor(path); e != FileError::kNone) return e;
  if (held_.count(path)) return FileError::kSharingViolation;
  if (readOnly_.count(path)) return FileError::kAccessDenied;
  const std::string temp = path + ".tmp";
  std::string& written = files_[temp];
  written.clear();
  LimitedSink sink(&written, armed_ ? failAfter_ : std::string::npos);
  armed_ = false;
  const bool ok = writer(sink) && !sink.Failed();
  if (!ok) {
    files_.erase(temp);  // the writer removes its temporary file after the error
    return sink.Failed() ? FileError::kDiskFull : FileError::kIoError;
  }
  files_[path] = std::move(written);
  files_.erase(temp);
  return FileError::kNone;
}

}  // namespace sys
