// An in-memory file system for tests, with faults on demand.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/sys/file_system.h"

namespace sys {

class FakeFileSystem : public FileSystem {
 public:
  bool ReadFile(const std::string& path, std::string* contents, std::size_t maxBytes) override;
  bool FileExists(const std::string& path) override;
  // Hands the file over in pieces of PieceSize bytes; a fault armed with
  // FailReadAfter stops the read part way.
  bool ReadPieces(const std::string& path, const PieceSink& sink) override;
  // Fails for a missing or denied file and for one held open elsewhere.
  bool SizeWithoutSharing(const std::string& path, std::uint64_t* size) override;
  bool OpenOrCreate(const std::string& path, bool withOpenAccess) override;
  // Writes into a temporary entry beside the file and renames it over the
  // file; a fault armed with FailNextWriteAfter stops the write part way.
  bool ReplaceContents(const std::string& path, std::string_view contents) override;
  bool RemoveFile(const std::string& path) override;

  // Test controls.
  void SetFile(const std::string& path, std::string contents) { files_[path] = std::move(contents); }
  const std::string* File(const std::string& path) const;
  // The next ReplaceContents writes this many bytes of its temporary file, then
  // the device reports an error.
  void FailNextWriteAfter(std::size_t bytes) { failAfter_ = bytes; armed_ = true; }
  // Paths that can be neither read nor created (as if access were denied).
  void Deny(const std::string& path) { denied_.insert(path); }
  // Another program holds the file open: reading it still works, opening it
  // without sharing fails.
  void HoldOpen(const std::string& path) { heldOpen_.insert(path); }
  // ReadPieces hands over pieces of this many bytes (at least 1).
  void SetPieceSize(std::size_t bytes) { pieceSize_ = bytes > 0 ? bytes : 1; }
  // Reads of this file fail once this many of its bytes were handed over.
  void FailReadAfter(const std::string& path, std::size_t bytes) { failReads_[path] = bytes; }
  bool HasOpenAccess(const std::string& path) const { return openAccess_.count(path) != 0; }
  // Number of files present, temporary ones included.
  std::size_t FileCount() const { return files_.size(); }
  int ReplaceCount() const { return replaces_; }

 private:
  std::map<std::string, std::string> files_;
  std::set<std::string> denied_;
  std::set<std::string> openAccess_;
  std::set<std::string> heldOpen_;
  std::map<std::string, std::size_t> failReads_;
  std::size_t pieceSize_ = 4096;
  std::size_t failAfter_ = 0;
  bool armed_ = false;
  int replaces_ = 0;
};

}  // namespace sys
