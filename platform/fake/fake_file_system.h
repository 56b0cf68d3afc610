// An in-memory file system for tests, with faults on demand.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/sys/file_system.h"

namespace sys {

class FakeFileSystem : public FileSystem {
 public:
  FileError ReadChunks(const std::string& path, std::size_t maxBytes,
                       const ChunkReader& reader) override;
  bool FileExists(const std::string& path) override;
  FileError OpenOrCreate(const std::string& path, bool withOpenAccess, bool shared) override;
  // Collects what the writer writes in a temporary entry and renames it over
  // the file; a fault armed with FailNextWriteAfter stops the write part way.
  FileError ReplaceWith(const std::string& path, const ContentWriter& writer) override;

  // Test controls.
  void SetFile(const std::string& path, std::string contents) { files_[path] = std::move(contents); }
  const std::string* File(const std::string& path) const;
  void RemoveFile(const std::string& path) { files_.erase(path); }
  // The next replacement writes this many bytes of its temporary file, then
  // the device reports a full disk.
  void FailNextWriteAfter(std::size_t bytes) { failAfter_ = bytes; armed_ = true; }
  // Every open, read and replacement of path fails with this error.
  void SetError(const std::string& path, FileError error) { errors_[path] = error; }
  // Paths that can be neither read nor created (as if access were denied).
  void Deny(const std::string& path) { SetError(path, FileError::kAccessDenied); }
  // Another program holds path open: with sharing, only opens that do not
  // share fail; without, every open and read fails.
  void HoldOpen(const std::string& path, bool sharing) { held_[path] = sharing; }
  void Release(const std::string& path) { held_.erase(path); }
  // Reading path hands on this many bytes, then the device reports an error.
  void FailReadAfter(const std::string& path, std::size_t bytes) { readFailures_[path] = bytes; }
  // Reads hand files on in pieces of this size (to show that readers join
  // lines across pieces).
  void SetChunkBytes(std::size_t bytes) { chunkBytes_ = bytes ? bytes : 1; }
  bool HasOpenAccess(const std::string& path) const { return openAccess_.count(path) != 0; }
  // Number of files present, temporary ones included.
  std::size_t FileCount() const { return files_.size(); }
  int ReplaceCount() const { return replaces_; }

 private:
  FileError ErrorFor(const std::string& path) const;

  std::map<std::string, std::string> files_;
  std::map<std::string, FileError> errors_;
  std::map<std::string, bool> held_;
  std::map<std::string, std::size_t> readFailures_;
  std::set<std::string> openAccess_;
  std::size_t failAfter_ = 0;
  bool armed_ = false;
  int replaces_ = 0;
  std::size_t chunkBytes_ = 1 << 20;
};

}  // namespace sys
