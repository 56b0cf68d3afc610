#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <vector>

#include "platform/win32/open_access.h"

namespace sys {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (!valid()) return true;
    BOOL ok = CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok != FALSE;
  }

 private:
  HANDLE h_;
};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  if (slash == 0) return path.substr(0, 1);
  return path.substr(0, slash);
}

}  // namespace

bool Win32FileSystem::ReadFile(const std::string& path, std::string* contents,
                               std::size_t maxBytes) {
  contents->clear();
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  std::vector<char> buffer(64 * 1024);
  while (contents->size() < maxBytes) {
    DWORD want = static_cast<DWORD>(buffer.size());
    if (maxBytes - contents->size() < want) want = static_cast<DWORD>(maxBytes - contents->size());
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer.data(), want, &got, nullptr) || got == 0) break;
    contents->append(buffer.data(), got);
  }
  return true;
}

bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::ReadPieces(const std::string& path, const PieceSink& sink) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
      return false;
    }
    if (got == 0) return true;
    if (!sink(std::string_view(buffer.data(), got))) return true;
  }
}

bool Win32FileSystem::SizeWithoutSharing(const std::string& path, std::uint64_t* size) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  LARGE_INTEGER length{};
  if (!GetFileSizeEx(file.get(), &length)) return false;
  *size = static_cast<std::uint64_t>(length.QuadPart);
  return true;
}

bool Win32FileSystem::OpenOrCreate(const std::string& path, bool withOpenAccess) {
  OpenAccessRights rights;
  Handle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                          withOpenAccess ? rights.Attributes() : nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

bool Win32FileSystem::ReplaceContents(const std::string& path, std::string_view contents) {
  char temp[MAX_PATH + 1] = {};
  if (!GetTempFileNameA(FolderOf(path).c_str(), "fbk", 0, temp)) return false;
  bool ok = false;
  {
    Handle file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    ok = file.valid();
    const char* data = contents.data();
    std::size_t left = contents.size();
    while (ok && left > 0) {
      const DWORD chunk = left > (1u << 20) ? (1u << 20) : static_cast<DWORD>(left);
      DWORD written = 0;
      ok = ::WriteFile(file.get(), data, chunk, &written, nullptr) && written == chunk;
      data += chunk;
      left -= chunk;
    }
    ok = ok && FlushFileBuffers(file.get());
    ok = file.Close() && ok;
  }
  if (ok) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
      ok = ::ReplaceFileA(path.c_str(), temp, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                          nullptr) != FALSE;
    } else {
      ok = MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           FALSE;
    }
  }
  if (!ok) DeleteFileA(temp);
  return ok;
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  if (DeleteFileA(path.c_str())) return true;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace sys
