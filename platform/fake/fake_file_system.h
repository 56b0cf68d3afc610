// An in-memory file system for tests, with faults on demand.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "platform/sys/file_system.h"

namespace sys {

// The steps a replacement is made of, as the fake counts and fails them.
enum class ReplaceStep { kCreate, kWrite, kFlush, kTakeOver, kRename, kDelete };

class FakeFileSystem : public FileSystem {
 public:
  // Hands the file over in pieces of SetPieceSize bytes.
  FileError ReadChunks(const std::string& path, std::size_t maxBytes,
                       const ChunkReader& reader) override;
  // The same pieces, into memory sized from the file first.
  FileError ReadInto(const std::string& path, std::size_t maxBytes, FileBytes* bytes) override;
  bool FileExists(const std::string& path) override;
  // Equal names of an existing file, or names made one with SetSameFile.
  bool SameFile(const std::string& a, const std::string& b) override;
  // Fails for a missing or unreadable file and for one held open elsewhere.
  bool SizeWithoutSharing(const std::string& path, std::uint64_t* size) override;
  FileError OpenOrCreate(const std::string& path, bool withOpenAccess, bool shared) override;
  // The replacement of the real backends (a temporary file, its rights
  // taken over, one rename) on the files in memory, step by step; the test
  // controls below fail or stop any step. A file held open by another
  // program (which never shares deletion) or read-only cannot be replaced.
  FileError ReplaceWith(const std::string& path, const ContentWriter& writer) override;
  std::vector<FoundFile> FilesNamedLike(const std::string& path) override;
  FileError PutInPlace(const std::string& leftover, const std::string& path) override;
  // Fails for a file held open (with or without sharing), as no reader
  // shares deletion.
  bool RemoveFile(const std::string& path) override;
  // A file given MakeReadOnly.
  bool IsReadOnly(const std::string& path) override;
  // The size of the file in memory.
  std::uint64_t SizeHint(const std::string& path) override;

  // Test controls.
  // Paths are split in this code page (932 unless set).
  void SetCodePage(int codePage) { codePage_ = codePage; }
  // Puts a file in place, written now (later than every file before it).
  void SetFile(const std::string& path, std::string contents);
  const std::string* File(const std::string& path) const;
  // The two names reach one file, as a link or another spelling would (the
  // contents are still kept per name).
  void SetSameFile(const std::string& a, const std::string& b) { sameFiles_.insert({a, b}); }
  // When the file was last written: later writes give larger numbers.
  std::uint64_t Modified(const std::string& path) const;
  // The next replacement writes this many bytes of its temporary file, then
  // the device reports a full disk.
  void FailNextWriteAfter(std::size_t bytes) { failAfter_ = bytes; armed_ = true; }
  // In the next replacement (or leftover put in place), every step of this
  // kind fails with the error and changes nothing.
  void FailNextStep(ReplaceStep step, FileError error) { stepFailures_[step] = error; }
  // The program is killed after this many more replacement steps: every
  // later step does nothing and fails, until Revive.
  void KillAfterSteps(int steps) { stepsToLive_ = steps; }
  void Revive() { stepsToLive_ = -1; }
  bool Killed() const { return stepsToLive_ == 0; }
  // Steps taken by replacements so far.
  int StepsTaken() const { return steps_; }
  // Called after every step that changed a file.
  void WatchSteps(std::function<void()> watcher) { watcher_ = std::move(watcher); }
  // Every open, read and replacement of path fails with this error.
  void SetError(const std::string& path, FileError error) { errors_[path] = error; }
  // Paths that can be neither read nor created (as if access were denied).
  void Deny(const std::string& path) { SetError(path, FileError::kAccessDenied); }
  // Another program holds path open: with sharing (the default), reading it
  // and opening it with sharing still work, opening it without sharing
  // fails; without sharing, every open and read fails. Neither lets it be
  // deleted or renamed over.
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
  // The open access rights stand for a file's rights: a replacement keeps them.
  bool HasOpenAccess(const std::string& path) const { return openAccess_.count(path) != 0; }
  void GiveOpenAccess(const std::string& path) { openAccess_.insert(path); }
  // Number of files present, temporary ones included.
  std::size_t FileCount() const { return files_.size(); }
  int ReplaceCount() const { return replaces_; }

 private:
  class Steps;
  friend class Steps;
  FileError ErrorFor(const std::string& path) const;
  // Counts a step; false (with *error set) when it must fail.
  bool Step(ReplaceStep step, FileError* error);
  void Stepped();
  void Put(const std::string& path, std::string contents);

  std::map<std::string, std::string> files_;
  std::map<std::string, std::uint64_t> modified_;
  std::map<std::string, FileError> errors_;
  std::map<std::string, bool> held_;
  std::map<std::string, std::size_t> readFailures_;
  std::map<ReplaceStep, FileError> stepFailures_;
  std::set<std::string> openAccess_;
  std::set<std::string> readOnly_;
  std::set<std::pair<std::string, std::string>> sameFiles_;
  std::function<void()> watcher_;
  std::uint64_t clock_ = 0;
  unsigned unique_ = 0;
  int codePage_ = 932;
  int stepsToLive_ = -1;
  int steps_ = 0;
  std::size_t failAfter_ = 0;
  bool armed_ = false;
  int replaces_ = 0;
  std::size_t pieceSize_ = 4096;
};

}  // namespace sys
