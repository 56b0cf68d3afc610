#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/sys/whole_file_replace.h"
#include "platform/text/path_split.h"
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

std::uint64_t Ticks(const FILETIME& t) {
  return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// The last part of a path as GetShortPathNameA gives it; empty when the
// file has none or the call fails.
std::string ShortNameOf(int codePage, const std::string& path) {
  char buffer[MAX_PATH + 1];
  const DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  if (n == 0 || n >= sizeof buffer) return std::string();
  return std::string(text::NameOf(codePage, std::string_view(buffer, n)));
}

// Gives the file the short name it had before a rename replaced it. The
// call needs the restore privilege (before Windows 10 1903) and a volume
// with short names, and does not exist before Windows XP: where it cannot
// be done the file keeps the short name the rename gave it.
void KeepShortName(const std::string& path, const std::string& shortName) {
  using SetShortName = BOOL(WINAPI*)(HANDLE, LPCSTR);
  const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetFileShortNameA");
  const auto set = reinterpret_cast<SetShortName>(reinterpret_cast<void*>(found));
  if (!set) return;
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (file.valid()) set(file.get(), shortName.c_str());
}

// The volume keeps no security descriptors (FAT): nothing to carry over.
bool NoSecurityHere(DWORD code) {
  return code == ERROR_NOT_SUPPORTED || code == ERROR_INVALID_FUNCTION;
}

// The owner, group and DACL of a file as one descriptor; empty when they
// cannot be read (*code then says why).
std::vector<char> SecurityOf(const std::string& path, DWORD* code) {
  const SECURITY_INFORMATION all =
      DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION;
  DWORD needed = 0;
  GetFileSecurityA(path.c_str(), all, nullptr, 0, &needed);
  *code = GetLastError();
  if (needed == 0) return {};
  std::vector<char> buffer(needed);
  if (!GetFileSecurityA(path.c_str(), all, buffer.data(), needed, &needed)) {
    *code = GetLastError();
    return {};
  }
  return buffer;
}

bool SameSid(PSID a, PSID b) {
  if (!a || !b) return a == b;
  return EqualSid(a, b) != FALSE;
}

// Whether two descriptors give the same owner, group and DACL (its entries
// in order and its protection from inheritance).
bool SameRights(PSECURITY_DESCRIPTOR a, PSECURITY_DESCRIPTOR b) {
  PSID ownerA = nullptr, ownerB = nullptr, groupA = nullptr, groupB = nullptr;
  BOOL defaulted = FALSE;
  if (!GetSecurityDescriptorOwner(a, &ownerA, &defaulted) ||
      !GetSecurityDescriptorOwner(b, &ownerB, &defaulted) ||
      !GetSecurityDescriptorGroup(a, &groupA, &defaulted) ||
      !GetSecurityDescriptorGroup(b, &groupB, &defaulted) || !SameSid(ownerA, ownerB) ||
      !SameSid(groupA, groupB)) {
    return false;
  }
  SECURITY_DESCRIPTOR_CONTROL controlA = 0, controlB = 0;
  DWORD revision = 0;
  if (!GetSecurityDescriptorControl(a, &controlA, &revision) ||
      !GetSecurityDescriptorControl(b, &controlB, &revision)) {
    return false;
  }
  constexpr SECURITY_DESCRIPTOR_CONTROL kInheritance = SE_DACL_PROTECTED | SE_DACL_AUTO_INHERITED;
  if ((controlA & kInheritance) != (controlB & kInheritance)) return false;
  BOOL presentA = FALSE, presentB = FALSE;
  PACL aclA = nullptr, aclB = nullptr;
  if (!GetSecurityDescriptorDacl(a, &presentA, &aclA, &defaulted) ||
      !GetSecurityDescriptorDacl(b, &presentB, &aclB, &defaulted)) {
    return false;
  }
  if (!presentA || !presentB || !aclA || !aclB) return presentA == presentB && !aclA && !aclB;
  if (aclA->AceCount != aclB->AceCount) return false;
  for (WORD i = 0; i < aclA->AceCount; ++i) {
    void* aceA = nullptr;
    void* aceB = nullptr;
    if (!GetAce(aclA, i, &aceA) || !GetAce(aclB, i, &aceB)) return false;
    const WORD size = static_cast<ACE_HEADER*>(aceA)->AceSize;
    if (size != static_cast<ACE_HEADER*>(aceB)->AceSize || std::memcmp(aceA, aceB, size) != 0) {
      return false;
    }
  }
  return true;
}

// The steps of ReplaceWholeFile on the real system.
class Win32ReplaceSteps : public ReplaceSteps {
 public:
  int CodePage() override { return static_cast<int>(GetACP()); }
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
  FileError TakeOver(const std::string& from, const std::string& to) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(from.c_str(), GetFileExInfoStandard, &data)) return LastError(from);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) return FileError::kReadOnly;
    // The attributes and the creation time first: the rights given last
    // may no longer let this program change them.
    constexpr DWORD kKept = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD attributes = data.dwFileAttributes & kKept;
    SetFileAttributesA(to.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
    {
      Handle file(CreateFileA(to.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
      if (file.valid()) SetFileTime(file.get(), &data.ftCreationTime, nullptr, nullptr);
    }
    return TakeRights(from, to);
  }
  FileError RenameOver(const std::string& from, const std::string& to) override {
    const int codePage = CodePage();
    const std::string shortBefore = ShortNameOf(codePage, to);
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return LastError(to);
    }
    if (!shortBefore.empty() && ShortNameOf(codePage, to) != shortBefore) {
      KeepShortName(to, shortBefore);
    }
    return FileError::kNone;
  }
  FileError Delete(const std::string& path) override {
    return DeleteFileA(path.c_str()) ? FileError::kNone : LastError(path);
  }
  std::vector<FoundFile> Matching(const std::string& folder, const std::string& prefix) override {
    std::vector<FoundFile> found;
    const std::string pattern = folder + prefix + "*";
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return found;
    do {
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      // The pattern also matches short names: only long names count.
      const std::string name = data.cFileName;
      if (name.compare(0, prefix.size(), prefix) != 0) continue;
      found.push_back({folder + name,
                       (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                       Ticks(data.ftLastWriteTime)});
    } while (FindNextFileA(h, &data));
    FindClose(h);
    return found;
  }
  unsigned Unique() override {
    return static_cast<unsigned>(GetTickCount()) * 2654435761u ^ (GetCurrentProcessId() << 16) ^
           ++counter_;
  }

 private:
  // The DACL (protected or not), and the owner and group where this
  // program may set them. A DACL that cannot be read or given fails the
  // replacement: the new file must not be open to other users than the old.
  // Rights the new file holds already are not given again: where the
  // system keeps rights as something else (Wine as Unix permission bits,
  // which a DACL given back widens), the file then keeps what it had.
  static FileError TakeRights(const std::string& from, const std::string& to) {
    DWORD code = 0;
    std::vector<char> buffer = SecurityOf(from, &code);
    if (buffer.empty()) return NoSecurityHere(code) ? FileError::kNone : FromSystem(code, from);
    auto* descriptor = reinterpret_cast<PSECURITY_DESCRIPTOR>(buffer.data());
    std::vector<char> own = SecurityOf(to, &code);
    if (!own.empty() && SameRights(descriptor, reinterpret_cast<PSECURITY_DESCRIPTOR>(own.data()))) {
      return FileError::kNone;
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    const SECURITY_INFORMATION protection = (control & SE_DACL_PROTECTED)
                                                ? PROTECTED_DACL_SECURITY_INFORMATION
                                                : UNPROTECTED_DACL_SECURITY_INFORMATION;
    const SECURITY_INFORMATION dacl = DACL_SECURITY_INFORMATION | protection;
    if (SetFileSecurityA(to.c_str(), dacl | OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION,
                         descriptor)) {
      return FileError::kNone;
    }
    if (SetFileSecurityA(to.c_str(), dacl, descriptor)) return FileError::kNone;
    // Systems before Windows 2000 know no protection flags.
    if (SetFileSecurityA(to.c_str(), DACL_SECURITY_INFORMATION, descriptor)) {
      return FileError::kNone;
    }
    code = GetLastError();
    return NoSecurityHere(code) ? FileError::kNone : FromSystem(code, to);
  }

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

FileError Win32FileSystem::ReadInto(const std::string& path, std::size_t maxBytes,
                                   FileBytes* bytes) {
  bytes->Clear();
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastError(path);
  LARGE_INTEGER size = {};
  std::size_t expected = 0;
  if (GetFileSizeEx(file.get(), &size)) {
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return FileError::kTooLarge;
    expected = static_cast<std::size_t>(size.QuadPart);
  }
  char probe[4096];
  for (;;) {
    // The size the file had, read in place; past it, a small probe tells
    // the end from a file that grew meanwhile.
    const bool within = bytes->Size() < expected;
    std::size_t want = within ? expected - bytes->Size() : sizeof probe;
    if (want > kChunkBytes * 64) want = kChunkBytes * 64;
    char* to = within ? bytes->Room(expected - bytes->Size()) : probe;
    DWORD got = 0;
    if (!::ReadFile(file.get(), to, static_cast<DWORD>(want), &got, nullptr)) {
      const FileError error = LastError(path);
      bytes->Clear();
      return error;
    }
    if (got == 0) return FileError::kNone;
    if (within) {
      bytes->Filled(got);
    } else {
      bytes->Append(std::string_view(probe, got));
    }
    if (bytes->Size() > maxBytes) {
      bytes->Clear();
      return FileError::kTooLarge;
    }
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

std::uint64_t Win32FileSystem::SizeHint(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return 0;
  }
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32FileSystem::IsReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
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
  // Read-only is the user's "do not change": refused before anything is
  // written.
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return FileError::kReadOnly;
  }
  Win32ReplaceSteps steps;
  return ReplaceWholeFile(steps, path, writer);
}

std::vector<FoundFile> Win32FileSystem::FilesNamedLike(const std::string& path) {
  Win32ReplaceSteps steps;
  return sys::FilesNamedLike(steps, path);
}

FileError Win32FileSystem::PutInPlace(const std::string& leftover, const std::string& path) {
  Win32ReplaceSteps steps;
  return sys::PutInPlace(steps, leftover, path);
}

}  // namespace sys
