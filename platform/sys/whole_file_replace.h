// Replacing a file as a whole, so that some whole file is under its name at
// every moment.
//
// The new bytes go to a temporary file beside the file, which is flushed,
// given what the old file's identity is made of (access rights, attributes,
// creation time) and then put in place by one rename that replaces the old
// file: a reader, another program or a crash sees the old file or the new
// one, never none. Temporary files are named "<file name>.~fbk<number>.tmp"
// (earlier versions also left ".bak" files of the same form). Such
// leftovers are the only copy of a book when a save was interrupted at the
// wrong moment, so they are deleted only once a replacement has put a whole
// file under the name (and a file another writer still holds open cannot be
// deleted and stays).
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
  // The code page of the paths (their double-byte characters).
  virtual int CodePage() = 0;
  // Creates path, which must not exist yet, and keeps it open for writing
  // without sharing it.
  virtual FileError CreateExclusive(const std::string& path) = 0;
  virtual FileError Write(std::string_view bytes) = 0;
  // Flushes the open file to the disk and closes it.
  virtual FileError FlushAndClose() = 0;
  // Closes the open file after a failure.
  virtual void Abandon() = 0;
  virtual bool Exists(const std::string& path) = 0;
  // Gives `to` what it must keep of `from` when it replaces it: the access
  // rights, the attributes and the creation time. kNotFound when `from` does
  // not exist (nothing to keep); kReadOnly when it is read-only; any other
  // error when its rights cannot be carried over (`to` then must not
  // replace it).
  virtual FileError TakeOver(const std::string& from, const std::string& to) = 0;
  // Renames from to `to` in one step that replaces a file of that name,
  // written through to the disk. On failure both keep their names.
  virtual FileError RenameOver(const std::string& from, const std::string& to) = 0;
  virtual FileError Delete(const std::string& path) = 0;
  // The files (not folders) in folder whose names start with prefix, as
  // full paths (folder + name); folder is a path's folder as
  // text::SplitPath gives it (with its last separator, or empty).
  virtual std::vector<FoundFile> Matching(const std::string& folder,
                                          const std::string& prefix) = 0;
  // A number for a temporary name, different on each call.
  virtual unsigned Unique() = 0;
};

// FileSystem::ReplaceWith on these steps.
FileError ReplaceWholeFile(ReplaceSteps& steps, const std::string& path,
                           const ContentWriter& writer);

// FileSystem::FilesNamedLike on these steps.
std::vector<FoundFile> FilesNamedLike(ReplaceSteps& steps, const std::string& path);

// FileSystem::PutInPlace on these steps.
FileError PutInPlace(ReplaceSteps& steps, const std::string& leftover, const std::string& path);

// The start of the names of path's temporary files: "<name>.~fbk".
std::string LeftoverPrefix(int codePage, const std::string& path);

// True for a name that LeftoverPrefix starts and ".tmp" or ".bak" ends.
bool IsLeftoverOf(int codePage, const std::string& path, const std::string& candidate);

}  // namespace sys
