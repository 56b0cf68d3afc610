// IniFiles through the system's profile functions.
#pragma once

#include "platform/sys/ini_files.h"

namespace sys {

class Win32IniFiles : public IniFiles {
 public:
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& fallback,
                         std::size_t bufferBytes) override;
  int ReadInt(const std::string& file, const std::string& section, const std::string& key,
              int fallback) override;
  // GetPrivateProfileSectionNamesA with a buffer that grows until the names
  // fit (up to 64 MiB of names).
  std::vector<std::string> SectionNames(const std::string& file) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
  bool DeleteSection(const std::string& file, const std::string& section) override;
  bool Flush(const std::string& file) override;
};

}  // namespace sys
