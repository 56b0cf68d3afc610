#include "platform/win32/win32_secure_files.h"

#include <windows.h>
#include <aclapi.h>

#include <vector>

#include "platform/win32/access_descriptor.h"

namespace sys {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (valid()) CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

// The sharing the C runtime's stream open uses.
constexpr DWORD kRuntimeSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;

}  // namespace

bool Win32SecureFiles::ReadOwnerAndGroup(const std::string& path, std::size_t capacity) {
  void* buffer = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, capacity);
  if (!buffer) return false;
  DWORD needed = 0;
  const BOOL ok = GetFileSecurityA(path.c_str(), OWNER_SECURITY_INFORMATION |
                                                     GROUP_SECURITY_INFORMATION,
                                   buffer, static_cast<DWORD>(capacity), &needed);
  HeapFree(GetProcessHeap(), 0, buffer);
  return ok != FALSE;
}

bool Win32SecureFiles::ReplaceDacl(const std::string& path, const AccessList& dacl) {
  AccessDescriptor descriptor(dacl);
  return descriptor.Descriptor() &&
         SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.Descriptor());
}

bool Win32SecureFiles::SetNamedDacl(const std::string& path, const AccessList& dacl,
                                    bool protect) {
  AccessDescriptor descriptor(dacl);
  if (!descriptor.Dacl()) return false;
  std::vector<char> name(path.begin(), path.end());
  name.push_back('\0');
  SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION;
  if (protect) what |= PROTECTED_DACL_SECURITY_INFORMATION;
  return SetNamedSecurityInfoA(name.data(), SE_FILE_OBJECT, what, nullptr, nullptr,
                               descriptor.Dacl(), nullptr) == ERROR_SUCCESS;
}

bool Win32SecureFiles::CreateWithDacl(const std::string& path, const AccessList& dacl) {
  AccessDescriptor descriptor(dacl);
  if (!descriptor.Attributes()) return false;
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                              descriptor.Attributes(), OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  return file.valid();
}

bool Win32SecureFiles::CommonDocumentsFolder(std::string* folder) {
  folder->clear();
  using GetFolderPath = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
  HMODULE shell = LoadLibraryA("shell32.dll");
  if (!shell) return false;
  auto get = reinterpret_cast<GetFolderPath>(
      reinterpret_cast<void*>(GetProcAddress(shell, "SHGetSpecialFolderPathA")));
  char path[MAX_PATH + 1] = {};
  const bool ok = get && get(nullptr, path, 0x002e /* CSIDL_COMMON_DOCUMENTS */, FALSE);
  FreeLibrary(shell);
  if (!ok) return false;
  folder->assign(path);
  return true;
}

bool Win32SecureFiles::CanOpenForReading(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, kRuntimeSharing, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

bool Win32SecureFiles::ReadAll(const std::string& path, std::string* bytes) {
  bytes->clear();
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, kRuntimeSharing, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  char buffer[16 * 1024];
  DWORD got = 0;
  while (::ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) {
    bytes->append(buffer, got);
  }
  return true;
}

void Win32SecureFiles::Delete(const std::string& path) { DeleteFileA(path.c_str()); }

bool Win32SecureFiles::Rewrite(const std::string& path, std::string_view bytes) {
  // CREATE_ALWAYS truncates an existing file and keeps its access list.
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, kRuntimeSharing, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t left = bytes.size() - done;
    const DWORD chunk = left > (1u << 20) ? (1u << 20) : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) ||
        written != chunk) {
      return false;
    }
    done += chunk;
  }
  return true;
}

}  // namespace sys
