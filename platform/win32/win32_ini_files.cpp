#include "platform/win32/win32_ini_files.h"

#include <windows.h>

namespace sys {

std::string Win32IniFiles::ReadString(const std::string& file, const std::string& section,
                                      const std::string& key, const std::string& fallback,
                                      std::size_t bufferBytes) {
  if (bufferBytes == 0) return std::string();
  std::string buffer(bufferBytes, '\0');
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), &buffer[0],
                                           static_cast<DWORD>(bufferBytes), file.c_str());
  buffer.resize(n < bufferBytes ? n : bufferBytes - 1);
  return buffer;
}

int Win32IniFiles::ReadInt(const std::string& file, const std::string& section,
                           const std::string& key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, file.c_str()));
}

std::vector<std::string> Win32IniFiles::SectionNames(const std::string& file) {
  constexpr DWORD kLargest = 64u << 20;
  std::vector<std::string> names;
  for (DWORD size = 4096; size <= kLargest; size *= 4) {
    std::string buffer(size, '\0');
    const DWORD n = GetPrivateProfileSectionNamesA(&buffer[0], size, file.c_str());
    // A buffer too small is answered with its size less two.
    if (n + 2 >= size && size < kLargest) continue;
    for (std::size_t i = 0; i < n && buffer[i] != '\0';) {
      const std::size_t end = buffer.find('\0', i);
      names.push_back(buffer.substr(i, end - i));
      i = end + 1;
    }
    break;
  }
  return names;
}

bool Win32IniFiles::WriteString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
         FALSE;
}

bool Win32IniFiles::DeleteSection(const std::string& file, const std::string& section) {
  return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str()) != FALSE;
}

bool Win32IniFiles::Flush(const std::string& file) {
  return WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str()) != FALSE;
}

}  // namespace sys
