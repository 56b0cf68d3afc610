// The real file system on Windows (ANSI paths in the system code page).
#pragma once

#include "platform/sys/file_system.h"

namespace sys {

class Win32FileSystem : public FileSystem {
 public:
  static constexpr std::size_t kChunkBytes = 1 << 20;

  // Opens with read and write sharing, so that a program that holds the
  // file open for reading or writing (with sharing) does not stop it.
  FileError ReadChunks(const std::string& path, std::size_t maxBytes,
                       const ChunkReader& reader) override;
  // The same sharing; reads straight into memory of the file's size.
  FileError ReadInto(const std::string& path, std::size_t maxBytes, FileBytes* bytes) override;
  bool FileExists(const std::string& path) override;
  // The same volume serial number and file index.
  bool SameFile(const std::string& a, const std::string& b) override;
  bool SizeWithoutSharing(const std::string& path, std::uint64_t* size) override;
  bool RemoveFile(const std::string& path) override;
  // FILE_ATTRIBUTE_READONLY on a file (not a folder).
  bool IsReadOnly(const std::string& path) override;
  // From the folder's entry (GetFileAttributesExA): no open.
  std::uint64_t SizeHint(const std::string& path) override;
  // A new file gets a DACL that grants Everyone GENERIC_ALL (the open
  // access rights) when withOpenAccess is set.
  FileError OpenOrCreate(const std::string& path, bool withOpenAccess, bool shared) override;
  // ReplaceWholeFile: the temporary file takes the existing file's DACL
  // (owner and group where allowed), attributes and creation time, then
  // MoveFileExA renames it over the file (MOVEFILE_REPLACE_EXISTING, written
  // through); the short name is given back where the system lets it. A
  // read-only file is refused before anything is written.
  FileError ReplaceWith(const std::string& path, const ContentWriter& writer) override;
  std::vector<FoundFile> FilesNamedLike(const std::string& path) override;
  FileError PutInPlace(const std::string& leftover, const std::string& path) override;
};

}  // namespace sys
