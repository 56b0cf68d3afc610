// An in-memory tree of files and folders with access lists, standing in for
// the file system's security and for the all-users documents folder in
// tests. Paths are compared exactly; a path's parent is the text before its
// last backslash, and a path without one (a drive) always exists.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/sys/document_files.h"
#include "platform/sys/file_security.h"

namespace sys {

class FakeSecureFiles : public FileSecurity, public DocumentFiles {
 public:
  // How an object got its current access list.
  enum class DaclOrigin {
    kInherited,  // none was given: what the parent passed on
    kGiven,      // set by the test
    kReplaced,   // ReplaceDacl
    kNamed,      // SetNamedDacl
    kCreated,    // CreateWithDacl created the file
  };
  struct Node {
    bool folder = false;
    std::string bytes;
    AccessList dacl;
    DaclOrigin origin = DaclOrigin::kInherited;
    bool protectedDacl = false;
  };

  // Test controls.
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, std::string bytes);
  void GiveDacl(const std::string& path, AccessList dacl);
  // The path can be neither read, changed, created nor deleted.
  void Deny(const std::string& path) { denied_.insert(path); }
  void SetCommonDocuments(std::string folder, bool known = true);
  const Node* Find(const std::string& path) const;
  std::size_t Count() const { return nodes_.size(); }

  // FileSecurity.
  bool ReadOwnerAndGroup(const std::string& path, std::size_t capacity) override;
  bool ReplaceDacl(const std::string& path, const AccessList& dacl) override;
  bool SetNamedDacl(const std::string& path, const AccessList& dacl, bool protect) override;
  bool CreateWithDacl(const std::string& path, const AccessList& dacl) override;

  // DocumentFiles.
  bool CommonDocumentsFolder(std::string* folder) override;
  bool CanOpenForReading(const std::string& path) override;
  bool ReadAll(const std::string& path, std::string* bytes) override;
  void Delete(const std::string& path) override;
  bool Rewrite(const std::string& path, std::string_view bytes) override;

 private:
  Node* Usable(const std::string& path);  // present and not denied
  bool CanCreate(const std::string& path) const;

  std::map<std::string, Node> nodes_;
  std::set<std::string> denied_;
  std::string documents_ = "C:\\Users\\Public\\Documents";
  bool documentsKnown_ = true;
};

}  // namespace sys
