// An in-memory file system for tests, with faults on demand.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "platform/sys/file_system.h"

namespace sys {

class FakeFileSystem : public FileSystem {
 public:
  // Hands the file over in pieces of SetPieceSize bytes.
  FileError ReadChunks(const std::string& path, std::size_t maxBytes,
                       const ChunkReader& reader) override;
  bool FileExists(const std::string& path) override;
  // Equal names of an existing file, or names made one with SetSameFile.
  bool SameFile(const std::string& a, const std::string& b) override;
  // Fails for a missing or unreadable file and for one held open elsewhere.
  bool SizeWithoutSharing(const std::string& path, std::uint64_t* size) override;
  FileError OpenOrCreate(const std::string& path, bool withOpenAccess, bool shared) override;
  // Collects what the writer writes in a temporary entry and renames it over
  // the file; a fault armed with FailNextWriteAfter stops the write part way.
  // A file held open by another program (which never shares deletion) or
  // read-only cannot be replaced.
  FileError ReplaceWith(const std::string& path, const ContentWriter& writer) override;
  bool RemoveFile(const std::string& path) override;

  // Test controls.
  void SetFile(const std::string& path, std::string contents) { files_[path] = std::move(contents); }
  const std::string* File(const std::string& path) const;
  // The two names reach one file, as a link or another spelling would (the
  // contents are still kept per name).
  void SetSameFile(const std::string& a, const std::string& b) { sameFiles_.insert({a, b}); }
  // The next replacement writes this many bytes of its temporary file, then
  // the device reports a full disk.
  void FailNextWriteAfter(std::size_t bytes) { failAfter_ = bytes; armed_ = true; }
  // Every open, read and replacement of path fails with this error.
  void SetError(const std::string& path, FileError error) { errors_[path] = error; }
  // Paths that can be neither read nor created (as if access were denied).
  void Deny(const std::string& path) { SetError(path, FileError::kAccessDenied); }
  // Another program holds path open: with sharing (the default), reading it
  // and opening it with sharing still work, opening it without sharing
  // fails; without sharing, every open and read fails.
  void HoldOpen(const std::string& path, bool sharing = true) { held_[path] = sharing; }
  void Release(const std::string& path) { held_.erase(path); }
  // The file can be read but neither written, replaced nor deleted.
  void MakeReadOnly(const std::string& path) { readOnly_.insert(path); }
  // What an open of path for reading (with read and write sharing) would
  // meet, or a read of it part way (kIoError); kNone when it would be read
  // whole.
  FileError ReadError(const std::string& path) const;
  // What an open of an existing path for reading and writing, with read and
  // write sharing, would meet; kNone when it would open (a missing file
  // would be created).
  FileError WriteError(const std::string& path) const;
  // Reading path hands on this many bytes, then the device reports an error.
  void FailReadAfter(const std::string& path, std::size_t bytes) { readFailures_[path] = bytes; }
  // Reads hand files on in pieces of this many bytes (at least 1).
  void SetPieceSize(std::size_t bytes) { pieceSize_ = bytes ? bytes : 1; }
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
  std::set<std::string> readOnly_;
  std::set<std::pair<std::string, std::string>> sameFiles_;
  std::size_t failAfter_ = 0;
  bool armed_ = false;
  int replaces_ = 0;
  std::size_t pieceSize_ = 4096;
};

}  // namespace sys
