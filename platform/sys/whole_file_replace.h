// Replacing a file as a whole where the system's rename cannot keep the
// replaced file's access rights (Windows: ReplaceFileA does, at the price of
// failure modes that leave the old file under another name).
//
// The new bytes go to a temporary file beside the file, which is flushed and
// swapped in with a backup name. Every failure path ends with the old or the
// new file under its name: when the swap leaves neither there, the temporary
// file is moved into place, or else the backup is moved back. Temporary and
// backup files are named "<file name>.~fbk<number>.tmp" and ".bak", so that
// those an interrupted save left behind can be removed on the next one (a
// file another writer still holds open cannot be deleted and stays).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/sys/file_system.h"

namespace sys {

// The system calls a replacement is made of.
class ReplaceSteps {
 public:
  virtual ~ReplaceSteps() = default;
  // Creates path, which must not exist yet, and keeps it open for writing
  // without sharing it.
  virtual FileError CreateExclusive(const std::string& path) = 0;
  virtual FileError Write(std::string_view bytes) = 0;
  // Flushes the open file to the disk and closes it.
  virtual FileError FlushAndClose() = 0;
  // Closes the open file after a failure.
  virtual void Abandon() = 0;
  virtual bool Exists(const std::string& path) = 0;
  // Puts replacement in place of replaced, keeping replaced's attributes
  // and access rights; the old file is renamed to backup on the way.
  virtual FileError Swap(const std::string& replaced, const std::string& replacement,
                         const std::string& backup) = 0;
  // Renames from to `to`, which must not exist; written through to the disk.
  virtual FileError Rename(const std::string& from, const std::string& to) = 0;
  virtual FileError Delete(const std::string& path) = 0;
  // The names (without folder) of the files in folder that start with prefix.
  virtual std::vector<std::string> Matching(const std::string& folder,
                                            const std::string& prefix) = 0;
  // A number for a temporary name, different on each call.
  virtual unsigned Unique() = 0;
};

// FileSystem::ReplaceWith on these steps.
FileError ReplaceWholeFile(ReplaceSteps& steps, const std::string& path,
                           const ContentWriter& writer);

// The folder of path ("." for a bare name) and the name in it.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// The start of the names of path's temporary and backup files.
inline std::string LeftoverPrefix(const std::string& path) { return NameOf(path) + ".~fbk"; }

}  // namespace sys
