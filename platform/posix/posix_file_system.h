// The real file system on POSIX systems (the portable tools and tests).
#pragma once

#include "platform/sys/file_system.h"

namespace sys {

class PosixFileSystem : public FileSystem {
 public:
  bool ReadFile(const std::string& path, std::string* contents, std::size_t maxBytes) override;
  bool FileExists(const std::string& path) override;
  bool ReadPieces(const std::string& path, const PieceSink& sink) override;
  // POSIX has no sharing modes: the size of any regular file that opens.
  bool SizeWithoutSharing(const std::string& path, std::uint64_t* size) override;
  bool OpenOrCreate(const std::string& path, bool withOpenAccess) override;
  // Writes "path.XXXXXX" beside the file, flushes it to disk, gives it the
  // existing file's permission bits and renames it over the file.
  bool ReplaceContents(const std::string& path, std::string_view contents) override;
  bool RemoveFile(const std::string& path) override;
};

}  // namespace sys
