// The real file system on POSIX systems (the portable tools and tests).
#pragma once

#include "platform/sys/file_system.h"

namespace sys {

class PosixFileSystem : public FileSystem {
 public:
  static constexpr std::size_t kChunkBytes = 1 << 20;

  FileError ReadChunks(const std::string& path, std::size_t maxBytes,
                       const ChunkReader& reader) override;
  // Reads straight into memory of the file's size.
  FileError ReadInto(const std::string& path, std::size_t maxBytes, FileBytes* bytes) override;
  bool FileExists(const std::string& path) override;
  // The same device and inode.
  bool SameFile(const std::string& a, const std::string& b) override;
  // No program can hold a file against others here: only the size is read.
  bool SizeWithoutSharing(const std::string& path, std::uint64_t* size) override;
  bool RemoveFile(const std::string& path) override;
  // A file that no one may write (no write bit in its permissions), as the
  // system maps the read-only attribute onto them.
  bool IsReadOnly(const std::string& path) override;
  std::uint64_t SizeHint(const std::string& path) override;
  // Files are never locked against other programs here: shared changes
  // nothing.
  FileError OpenOrCreate(const std::string& path, bool withOpenAccess, bool shared) override;
  // Writes an unnamed file in the same folder (O_TMPFILE; where the file
  // system has none, "NAME.~fbkXXXXXX.tmp" under a lock), flushes it to the
  // disk, gives it the existing file's permission bits, names it and renames
  // it over the file. Then leftover "NAME.~fbk*" files nobody holds are
  // removed. When path is a symbolic link, the file it leads to is replaced
  // (in its own folder, with its permission bits), and the link stays.
  FileError ReplaceWith(const std::string& path, const ContentWriter& writer) override;
  std::vector<FoundFile> FilesNamedLike(const std::string& path) override;
  // The leftover takes the file's permission bits and is renamed over it.
  FileError PutInPlace(const std::string& leftover, const std::string& path) override;
};

}  // namespace sys
