// INI files through the system's profile functions (GetPrivateProfile*A,
// WritePrivateProfileStringA).
//
// Paths, names and values are byte strings in the ANSI code page. Section
// and key names compare without regard to case; values come back with the
// blanks around them removed and one pair of enclosing quotes taken off,
// as the system gives them. Each call reads or writes the file on its own.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sys {

class IniFiles {
 public:
  virtual ~IniFiles() = default;

  // [section] key, or `fallback` when the file, section or key is missing,
  // cut to fit a buffer of bufferBytes bytes (terminating zero included).
  virtual std::string ReadString(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& fallback,
                                 std::size_t bufferBytes) = 0;

  // [section] key read as an integer; `fallback` when it is missing or empty.
  virtual int ReadInt(const std::string& file, const std::string& section, const std::string& key,
                      int fallback) = 0;

  // The names of the file's sections in file order; empty when the file is
  // missing.
  virtual std::vector<std::string> SectionNames(const std::string& file) = 0;

  // Sets [section] key = value, creating the file, section and key as
  // needed. False when the file cannot be written.
  virtual bool WriteString(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) = 0;

  // Removes the section with all its keys; true also when there is none.
  virtual bool DeleteSection(const std::string& file, const std::string& section) = 0;

  // Asks the system to write out what it holds of the file in its cache.
  // The system's answer is passed on (some systems answer false even when
  // nothing was left to write).
  virtual bool Flush(const std::string& file) = 0;
};

}  // namespace sys
