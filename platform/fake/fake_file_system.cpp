#include "platform/fake/fake_file_system.h"

#include <algorithm>

namespace sys {

bool FakeFileSystem::ReadFile(const std::string& path, std::string* contents,
                              std::size_t maxBytes) {
  contents->clear();
  auto it = files_.find(path);
  if (it == files_.end() || denied_.count(path)) return false;
  *contents = it->second.substr(0, maxBytes);
  return true;
}

bool FakeFileSystem::FileExists(const std::string& path) { return files_.count(path) != 0; }

bool FakeFileSystem::ReadPieces(const std::string& path, const PieceSink& sink) {
  auto it = files_.find(path);
  if (it == files_.end() || denied_.count(path)) return false;
  const std::string_view bytes = it->second;
  auto fault = failReads_.find(path);
  const std::size_t readable = fault == failReads_.end() ? bytes.size() : fault->second;
  for (std::size_t at = 0; at < bytes.size();) {
    if (at >= readable) return false;
    const std::size_t n = std::min({pieceSize_, bytes.size() - at, readable - at});
    if (!sink(bytes.substr(at, n))) return true;
    at += n;
  }
  return true;
}

bool FakeFileSystem::SizeWithoutSharing(const std::string& path, std::uint64_t* size) {
  auto it = files_.find(path);
  if (it == files_.end() || denied_.count(path) || heldOpen_.count(path)) return false;
  *size = it->second.size();
  return true;
}

bool FakeFileSystem::OpenOrCreate(const std::string& path, bool withOpenAccess) {
  if (denied_.count(path)) return false;
  if (files_.emplace(path, std::string()).second && withOpenAccess) openAccess_.insert(path);
  return true;
}

bool FakeFileSystem::RemoveFile(const std::string& path) {
  if (denied_.count(path)) return false;
  files_.erase(path);
  return true;
}

const std::string* FakeFileSystem::File(const std::string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? nullptr : &it->second;
}

bool FakeFileSystem::ReplaceContents(const std::string& path, std::string_view contents) {
  ++replaces_;
  if (denied_.count(path)) return false;
  const std::string temp = path + ".tmp";
  std::string& written = files_[temp];
  if (armed_ && failAfter_ < contents.size()) {
    armed_ = false;
    written.assign(contents.substr(0, failAfter_));
    files_.erase(temp);  // the writer removes its temporary file after the error
    return false;
  }
  armed_ = false;
  written.assign(contents);
  files_[path] = std::move(written);
  files_.erase(temp);
  return true;
}

}  // namespace sys
