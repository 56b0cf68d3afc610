// Files in the all-users documents folder, as the installer's configuration
// copy needs them. Contents are raw bytes: any text-mode translation is the
// caller's.
#pragma once

#include <string>
#include <string_view>

namespace sys {

class DocumentFiles {
 public:
  virtual ~DocumentFiles() = default;

  // The all-users documents folder (without a trailing backslash), not
  // created when it is missing. False when the system does not name one.
  virtual bool CommonDocumentsFolder(std::string* folder) = 0;

  // True when path can be opened for reading (it is closed again at once).
  virtual bool CanOpenForReading(const std::string& path) = 0;

  // Reads the whole file. False, with *bytes empty, when it cannot be opened.
  virtual bool ReadAll(const std::string& path, std::string* bytes) = 0;

  // Deletes the file; a failure (a missing file included) is not reported.
  virtual void Delete(const std::string& path) = 0;

  // Opens an existing or new file for writing, truncates it and writes
  // bytes. False when it cannot be opened or the write fails.
  virtual bool Rewrite(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace sys
