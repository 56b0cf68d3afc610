#include "platform/fake/fake_file_system.h"

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
