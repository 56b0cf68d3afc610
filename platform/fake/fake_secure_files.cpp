#include "platform/fake/fake_secure_files.h"

#include "platform/text/codepage.h"
#include "platform/text/path_split.h"

namespace sys {

void FakeSecureFiles::AddFolder(const std::string& path) { nodes_[path].folder = true; }

void FakeSecureFiles::AddFile(const std::string& path, std::string bytes) {
  Node& node = nodes_[path];
  node.folder = false;
  node.bytes = std::move(bytes);
}

void FakeSecureFiles::GiveDacl(const std::string& path, AccessList dacl) {
  Node& node = nodes_[path];
  node.dacl = std::move(dacl);
  node.origin = DaclOrigin::kGiven;
}

void FakeSecureFiles::SetCommonDocuments(std::string folder, bool known) {
  documents_ = std::move(folder);
  documentsKnown_ = known;
}

const FakeSecureFiles::Node* FakeSecureFiles::Find(const std::string& path) const {
  auto it = nodes_.find(path);
  return it == nodes_.end() ? nullptr : &it->second;
}

FakeSecureFiles::Node* FakeSecureFiles::Usable(const std::string& path) {
  if (denied_.count(path)) return nullptr;
  auto it = nodes_.find(path);
  return it == nodes_.end() ? nullptr : &it->second;
}

bool FakeSecureFiles::CanCreate(const std::string& path) const {
  if (denied_.count(path) || nodes_.count(path)) return false;
  // Paths of a Japanese system: a trail byte 0x5C is no separator.
  const std::string_view folder = text::SplitPath(text::kCpJapanese, path).folder;
  if (folder.empty()) return true;
  if (folder.size() == 3 && folder[1] == ':') return true;  // "C:\name": the drive's root
  const Node* parent = Find(std::string(text::FolderOf(text::kCpJapanese, path)));
  return parent != nullptr && parent->folder;
}

bool FakeSecureFiles::ReadOwnerAndGroup(const std::string& path, std::size_t capacity) {
  return capacity > 0 && Usable(path) != nullptr;
}

bool FakeSecureFiles::ReplaceDacl(const std::string& path, const AccessList& dacl) {
  Node* node = Usable(path);
  if (!node) return false;
  node->dacl = dacl;
  node->origin = DaclOrigin::kReplaced;
  return true;
}

bool FakeSecureFiles::SetNamedDacl(const std::string& path, const AccessList& dacl,
                                   bool protect) {
  Node* node = Usable(path);
  if (!node) return false;
  node->dacl = dacl;
  node->origin = DaclOrigin::kNamed;
  node->protectedDacl = protect;
  return true;
}

bool FakeSecureFiles::CreateWithDacl(const std::string& path, const AccessList& dacl) {
  if (Node* node = Usable(path)) return !node->folder;  // opened; its list stays
  if (!CanCreate(path)) return false;
  Node& node = nodes_[path];
  node.dacl = dacl;
  node.origin = DaclOrigin::kCreated;
  return true;
}

bool FakeSecureFiles::CommonDocumentsFolder(std::string* folder) {
  *folder = documentsKnown_ ? documents_ : std::string();
  return documentsKnown_;
}

bool FakeSecureFiles::CanOpenForReading(const std::string& path) {
  const Node* node = Usable(path);
  return node && !node->folder;
}

bool FakeSecureFiles::ReadAll(const std::string& path, std::string* bytes) {
  bytes->clear();
  const Node* node = Usable(path);
  if (!node || node->folder) return false;
  *bytes = node->bytes;
  return true;
}

void FakeSecureFiles::Delete(const std::string& path) {
  const Node* node = Usable(path);
  if (node && !node->folder) nodes_.erase(path);
}

bool FakeSecureFiles::Rewrite(const std::string& path, std::string_view bytes) {
  Node* node = Usable(path);
  if (!node) {
    if (!CanCreate(path)) return false;
    node = &nodes_[path];
  }
  if (node->folder) return false;
  node->bytes.assign(bytes);
  return true;
}

}  // namespace sys
