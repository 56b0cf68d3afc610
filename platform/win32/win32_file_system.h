// The real file system on Windows (ANSI paths in the system code page).
#pragma once

#include "platform/sys/file_system.h"

namespace sys {

class Win32FileSystem : public FileSystem {
 public:
  bool ReadFile(const std::string& path, std::string* contents, std::size_t maxBytes) override;
  bool FileExists(const std::string& path) override;
  // Opens the file sharing reads and writes, as ReadFile does.
  bool ReadPieces(const std::string& path, const PieceSink& sink) override;
  // CreateFileA with no share mode: fails while any other handle is open.
  bool SizeWithoutSharing(const std::string& path, std::uint64_t* size) override;
  // A new file gets a DACL that grants Everyone GENERIC_ALL (the open
  // access rights) when withOpenAccess is set.
  bool OpenOrCreate(const std::string& path, bool withOpenAccess) override;
  // Writes a temporary file in the same folder, flushes it, and swaps it in
  // with ReplaceFileA (which keeps the existing file's access rights), or
  // with MoveFileExA when there is no file yet.
  bool ReplaceContents(const std::string& path, std::string_view contents) override;
  bool RemoveFile(const std::string& path) override;
};

}  // namespace sys
