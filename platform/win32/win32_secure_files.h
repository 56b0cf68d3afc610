// File and folder security and the all-users documents folder on Windows
// (ANSI paths in the system code page).
#pragma once

#include "platform/sys/document_files.h"
#include "platform/sys/file_security.h"

namespace sys {

class Win32SecureFiles : public FileSecurity, public DocumentFiles {
 public:
  // GetFileSecurityA with OWNER and GROUP information into a heap buffer.
  bool ReadOwnerAndGroup(const std::string& path, std::size_t capacity) override;
  // SetFileSecurityA with DACL_SECURITY_INFORMATION.
  bool ReplaceDacl(const std::string& path, const AccessList& dacl) override;
  // SetNamedSecurityInfoA on a file object with DACL_SECURITY_INFORMATION,
  // plus PROTECTED_DACL_SECURITY_INFORMATION when protecting.
  bool SetNamedDacl(const std::string& path, const AccessList& dacl, bool protect) override;
  bool CreateWithDacl(const std::string& path, const AccessList& dacl) override;

  // SHGetSpecialFolderPathA(CSIDL_COMMON_DOCUMENTS), looked up by name in
  // the shell library at run time.
  bool CommonDocumentsFolder(std::string* folder) override;
  bool CanOpenForReading(const std::string& path) override;
  bool ReadAll(const std::string& path, std::string* bytes) override;
  void Delete(const std::string& path) override;
  bool Rewrite(const std::string& path, std::string_view bytes) override;
};

}  // namespace sys
