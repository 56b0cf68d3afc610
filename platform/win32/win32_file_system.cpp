#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <vector>

#include "platform/sys/whole_file_replace.h"
#include "platform/win32/open_access.h"

namespace sys {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  void reset(HANDLE h) {
    Close();
    h_ = h;
  }
  bool Close() {
    if (!valid()) return true;
    BOOL ok = CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok != FALSE;
  }

 private:
  HANDLE h_;
};

FileError FromSystem(DWORD code, const std::string& path) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return FileError::kNotFound;
    case ERROR_ACCESS_DENIED: {
      const DWORD attributes = GetFileAttributesA(path.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return FileError::kIsDirectory;
      }
      return FileError::kAccessDenied;
    }
    case ERROR_WRITE_PROTECT:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
      return FileError::kAccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileError::kSharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileError::kDiskFull;
    default:
      return FileError::kIoError;
  }
}

FileError LastError(const std::string& path) { return FromSystem(GetLastError(), path); }

// The steps of ReplaceWholeFile on the real system.
class Win32ReplaceSteps : public ReplaceSteps {
 public:
  FileError CreateExclusive(const std::string& path) override {
    file_.reset(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    return file_.valid() ? FileError::kNone : LastError(path);
  }
  FileError Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const DWORD chunk = bytes.size() > (1u << 20) ? (1u << 20) : static_cast<DWORD>(bytes.size());
      DWORD written = 0;
      if (!::WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr)) {
        return FromSystem(GetLastError(), std::string());
      }
      if (written != chunk) return FileError::kDiskFull;
      bytes.remove_prefix(chunk);
    }
    return FileError::kNone;
  }
  FileError FlushAndClose() override {
    const bool flushed = FlushFileBuffers(file_.get()) != FALSE;
    const DWORD code = GetLastError();
    const bool closed = file_.Close();
    if (!flushed) return FromSystem(code, std::string());
    return closed ? FileError::kNone : FileError::kIoError;
  }
  void Abandon() override { file_.Close(); }
  bool Exists(const std::string& path) override {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  FileError Swap(const std::string& replaced, const std::string& replacement,
                 const std::string& backup) override {
    if (ReplaceFileA(replaced.c_str(), replacement.c_str(), backup.c_str(),
                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      return FileError::kNone;
    }
    return LastError(replaced);
  }
  FileError Rename(const std::string& from, const std::string& to) override {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) ? FileError::kNone
                                                                          : LastError(to);
  }
  FileError Delete(const std::string& path) override {
    return DeleteFileA(path.c_str()) ? FileError::kNone : LastError(path);
  }
  std::vector<std::string> Matching(const std::string& folder, const std::string& prefix) override {
    std::vector<std::string> names;
    std::string pattern = folder;
    if (pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    pattern += prefix + "*";
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(pattern.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
  }
  unsigned Unique() override {
    return static_cast<unsigned>(GetTickCount()) * 2654435761u ^ (GetCurrentProcessId() << 16) ^
           ++counter_;
  }

 private:
  Handle file_;
  unsigned counter_ = 0;
};

}  // namespace

FileError Win32FileSystem::ReadChunks(const std::string& path, std::size_t maxBytes,
                                      const ChunkReader& reader) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastError(path);
  LARGE_INTEGER size = {};
  if (GetFileSizeEx(file.get(), &size) &&
      static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    return FileError::kTooLarge;
  }
  std::vector<char> buffer(kChunkBytes);
  std::size_t total = 0;
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
      return LastError(path);
    }
    if (got == 0) return FileError::kNone;
    total += got;
    if (total > maxBytes) return FileError::kTooLarge;
    if (!reader(std::string_view(buffer.data(), got))) return FileError::kNone;
  }
}

bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// The identity of the file at path: opened for no access, so that a file
// held open by another program, and a folder, can be asked about too.
bool IdentityOf(const std::string& path, BY_HANDLE_FILE_INFORMATION* info) {
  Handle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return file.valid() && GetFileInformationByHandle(file.get(), info) != FALSE;
}

}  // namespace

bool Win32FileSystem::SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION ia{}, ib{};
  if (!IdentityOf(a, &ia) || !IdentityOf(b, &ib)) return false;
  return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
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

bool Win32FileSystem::RemoveFile(const std::string& path) {
  if (DeleteFileA(path.c_str())) return true;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

FileError Win32FileSystem::OpenOrCreate(const std::string& path, bool withOpenAccess,
                                        bool shared) {
  OpenAccessRights rights;
  Handle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                          shared ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0,
                          withOpenAccess ? rights.Attributes() : nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() ? FileError::kNone : LastError(path);
}

FileError Win32FileSystem::ReplaceWith(const std::string& path, const ContentWriter& writer) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return FileError::kIsDirectory;
  }
  Win32ReplaceSteps steps;
  return ReplaceWholeFile(steps, path, writer);
}

}  // namespace sys
