// Files as the address book store needs them.
//
// Paths are byte strings in the ANSI code page, as the system gives them.
// Every call opens a file for one pass and closes it again before it returns.
// Failures come back as a FileError that says why, so that callers can tell
// the user and never take a file that was not read whole for an empty one;
// the calls that answer true or false are the same calls for callers that
// need no reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sys/file_bytes.h"

namespace sys {

enum class FileError {
  kNone = 0,
  kNotFound,          // no such file, or a folder on the way is missing
  kIsDirectory,       // the path names a folder
  kAccessDenied,      // permission denied
  kSharingViolation,  // another program holds the file open without sharing
  kTooLarge,          // larger than the caller's limit
  kDiskFull,
  kIoError,           // the device reported an error part way
  kReadOnly,          // the file to replace is marked read-only
};

// A short English reason for diagnostics ("no such file", "is a directory",
// "permission denied", ...). kTooLarge gives "too large"; callers that know
// the limit say so themselves.
const char* FileErrorText(FileError error);

// Takes the bytes of a file in pieces; false stops the reading.
using ChunkReader = std::function<bool(std::string_view chunk)>;

// Where a writer puts the bytes of a new file; Write returns false once the
// file cannot take them (the writer then stops).
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool Write(std::string_view bytes) = 0;
};
using ContentWriter = std::function<bool(ByteSink& sink)>;

// A file found beside another one.
struct FoundFile {
  std::string path;
  std::uint64_t size = 0;
  // The time of the last write, in the system's units: only for comparing.
  std::uint64_t modified = 0;
};

// A sink that appends what is written to a string in memory.
class StringSink : public ByteSink {
 public:
  explicit StringSink(std::string* out) : out_(out) {}
  bool Write(std::string_view bytes) override {
    out_->append(bytes);
    return true;
  }

 private:
  std::string* out_;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Reads the whole file, handing it to `reader` in pieces in file order.
  // A file larger than maxBytes gives kTooLarge before any piece is handed
  // on. When reading fails part way (or the file grows past maxBytes while
  // it is read) the error comes back after the pieces read so far: the
  // caller must then throw away what it made of them.
  virtual FileError ReadChunks(const std::string& path, std::size_t maxBytes,
                               const ChunkReader& reader) = 0;

  // Reads the whole file into *bytes, in memory sized from the file as it
  // is opened, with no copy on the way where the system allows (a file
  // that grows meanwhile is still read whole). Errors as ReadChunks, with
  // *bytes then empty. This default reads the pieces of ReadChunks.
  virtual FileError ReadInto(const std::string& path, std::size_t maxBytes, FileBytes* bytes);

  virtual bool FileExists(const std::string& path) = 0;

  // Whether both paths lead to one existing file, however they are spelt
  // (links followed, other names of the same file included). False when
  // either is missing or cannot be asked about.
  virtual bool SameFile(const std::string& a, const std::string& b) = 0;

  // Opens an existing file for reading with no sharing allowed, reads its
  // size and closes it at once. False when the file cannot be opened that
  // way (missing, denied, or held open by another program) or its size
  // cannot be read.
  virtual bool SizeWithoutSharing(const std::string& path, std::uint64_t* size) = 0;

  // Opens path for reading and writing, creating it (empty) when it is
  // missing and never truncating it, then closes it. withOpenAccess gives a
  // new file the open access rights (everyone may read and write it).
  // shared lets other programs keep the file open meanwhile; without it the
  // open fails when another program has the file open.
  virtual FileError OpenOrCreate(const std::string& path, bool withOpenAccess, bool shared) = 0;

  // Replaces the file's contents as a whole with what `writer` writes: the
  // bytes go to a temporary file beside it, which is flushed to the disk and
  // renamed over the file in one step, after taking the existing file's
  // access rights and attributes; at no moment is the name without a whole
  // file. kNone only when the new contents are in place. A read-only file is
  // not replaced (kReadOnly). On every failure the file keeps its previous
  // contents (or stays absent), and the temporary file is removed, except
  // when no file is under the name after all: it then stays as the only
  // whole copy. Once the new contents are in place, the temporary files that
  // interrupted earlier replacements left behind are removed.
  virtual FileError ReplaceWith(const std::string& path, const ContentWriter& writer) = 0;

  // The files in path's folder whose names start with path's file name:
  // path itself when it exists, and the temporary files its replacements
  // left behind ("NAME.~fbk*.tmp", and ".bak" from earlier versions), among
  // any others.
  virtual std::vector<FoundFile> FilesNamedLike(const std::string& path) = 0;

  // Puts `leftover`, a file in path's folder, in path's place with one
  // rename that replaces path when it exists, after giving it path's access
  // rights and attributes as ReplaceWith does. On failure nothing changed.
  virtual FileError PutInPlace(const std::string& leftover, const std::string& path) = 0;

  // Deletes the file; true when it is gone (a missing file included).
  virtual bool RemoveFile(const std::string& path) = 0;

  // Whether the file exists and is marked read-only: the user's "do not
  // change", which no writer may pass, in place or by a replacement.
  virtual bool IsReadOnly(const std::string& path) = 0;

  // The size the folder gives the file now, as room for reading it whole:
  // 0 when it is missing or cannot be asked. Never taken for the size
  // read (the file may change before it is read).
  virtual std::uint64_t SizeHint(const std::string& /*path*/) { return 0; }

  // The whole file in one string (ReadChunks, with room for SizeHint
  // bytes kept first); *contents is empty on error.
  FileError ReadWhole(const std::string& path, std::string* contents, std::size_t maxBytes);
  // ReplaceWith for contents already in memory.
  FileError ReplaceWhole(const std::string& path, std::string_view contents);

  // The same without the reason: true when the file was read whole (a file
  // larger than maxBytes is not), or when the new contents are in place.
  bool ReadFile(const std::string& path, std::string* contents, std::size_t maxBytes) {
    return ReadWhole(path, contents, maxBytes) == FileError::kNone;
  }
  bool ReplaceContents(const std::string& path, std::string_view contents) {
    return ReplaceWhole(path, contents) == FileError::kNone;
  }
  // Reads a file of any size in pieces (ReadChunks without a limit); false
  // when it cannot be opened or a read fails part way.
  using PieceSink = ChunkReader;
  bool ReadPieces(const std::string& path, const PieceSink& sink) {
    return ReadChunks(path, SIZE_MAX, sink) == FileError::kNone;
  }
};

}  // namespace sys
