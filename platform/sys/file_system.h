// Files as the address book store needs them.
//
// Paths are byte strings in the ANSI code page, as the system gives them.
// Every call opens a file for one pass and closes it again before it returns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace sys {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Reads the whole file into *contents (at most maxBytes bytes of it).
  // Returns false, with *contents empty, when the file cannot be opened or
  // read; a read error part way keeps what was read and returns true.
  virtual bool ReadFile(const std::string& path, std::string* contents,
                        std::size_t maxBytes) = 0;

  virtual bool FileExists(const std::string& path) = 0;

  // Reads the file from its start in pieces of at most a few kilobytes and
  // hands each to `sink` in order, until the end of the file or until sink
  // returns false. Returns false when the file cannot be opened or a read
  // fails part way (sink keeps what it was given); true when the end was
  // reached or sink stopped. Only one piece is held at a time, so files of
  // any size can be read.
  using PieceSink = std::function<bool(std::string_view piece)>;
  virtual bool ReadPieces(const std::string& path, const PieceSink& sink) = 0;

  // Opens an existing file for reading with no sharing allowed, reads its
  // size and closes it at once. False when the file cannot be opened that
  // way (missing, denied, or held open by another program) or its size
  // cannot be read.
  virtual bool SizeWithoutSharing(const std::string& path, std::uint64_t* size) = 0;

  // Opens path for reading and writing, creating it (empty) when it is
  // missing and never truncating it, then closes it. withOpenAccess gives a
  // new file the open access rights (everyone may read and write it).
  // Returns false when the file can be neither opened nor created.
  virtual bool OpenOrCreate(const std::string& path, bool withOpenAccess) = 0;

  // Replaces the file's contents as a whole: writes a temporary file beside
  // it and swaps it in, keeping an existing file's access rights. Returns
  // true only when the new contents are in place; on failure the previous
  // file (or its absence) is left exactly as it was and no temporary file
  // remains.
  virtual bool ReplaceContents(const std::string& path, std::string_view contents) = 0;

  // Deletes the file; true when it is gone (a missing file included).
  virtual bool RemoveFile(const std::string& path) = 0;
};

}  // namespace sys
