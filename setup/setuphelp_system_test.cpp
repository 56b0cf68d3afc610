// The setup libraries on the real system (run under Wine): the descriptors
// the Win32 backend builds, and every export called by name through
// GetProcAddress, as the installer calls them.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/access_descriptor.h"
#include "platform/win32/open_access.h"
#include "platform/win32/well_known_sid.h"
#include "platform/win32/win32_service_security.h"
#include "setup/folder_security.h"

namespace {

std::string ProgramFolder() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\'));
}

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

class Library {
 public:
  explicit Library(const char* name) : module_(LoadLibraryA(name)) {}
  ~Library() {
    if (module_) FreeLibrary(module_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  bool loaded() const { return module_ != nullptr; }
  template <typename F>
  F Get(const char* name) const {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

using PathCall = int(WINAPI*)(LPCSTR);
using CopyCall = int(WINAPI*)(LPCSTR, LPCSTR, int);
using TraceCall = void(WINAPI*)(LPCSTR);

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// A fresh folder for one test, removed with its files afterwards.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& parent) {
    path_ = parent + "\\faxbook-setup-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA((path_ + "\\" + found.cFileName).c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
  }
  const std::string& path() const { return path_; }
  std::string name() const { return path_.substr(path_.find_last_of('\\') + 1); }

 private:
  std::string path_;
};

std::string TempFolder() {
  char path[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, path);
  std::string folder(path);
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

// One access-allowed entry of a real list, as the system reads it.
struct RealEntry {
  BYTE type;
  BYTE flags;
  DWORD mask;
  bool sidIs(sys::Account account) const { return EqualSid(sid, sys::WellKnownSid(account).get()); }
  PSID sid;
};

RealEntry EntryAt(PACL acl, DWORD index) {
  void* ace = nullptr;
  if (!GetAce(acl, index, &ace)) return RealEntry{0xFF, 0, 0, nullptr};
  auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
  return RealEntry{allowed->Header.AceType, allowed->Header.AceFlags, allowed->Mask,
                   &allowed->SidStart};
}

TEST(AccessDescriptor, OpenAccessRightsHoldOneEveryoneEntry) {
  sys::OpenAccessRights rights;
  ASSERT_NE(rights.Attributes(), nullptr);
  EXPECT_FALSE(rights.Attributes()->bInheritHandle);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ASSERT_TRUE(GetSecurityDescriptorControl(rights.Attributes()->lpSecurityDescriptor, &control,
                                           &revision));
  EXPECT_EQ(revision, 1u);
  EXPECT_TRUE(control & SE_DACL_PRESENT);
  EXPECT_FALSE(control & SE_DACL_DEFAULTED);
  PACL acl = rights.Dacl();
  EXPECT_EQ(acl->AclRevision, 2);
  ACL_SIZE_INFORMATION size = {};
  ASSERT_TRUE(GetAclInformation(acl, &size, sizeof(size), AclSizeInformation));
  EXPECT_EQ(size.AceCount, 1u);
  EXPECT_EQ(size.AclBytesInUse, 28u);
  EXPECT_EQ(size.AclBytesInUse + size.AclBytesFree, 1024u);
  const RealEntry e = EntryAt(acl, 0);
  EXPECT_EQ(e.type, ACCESS_ALLOWED_ACE_TYPE);
  EXPECT_EQ(e.flags, 0);
  EXPECT_EQ(e.mask, static_cast<DWORD>(GENERIC_ALL));
  EXPECT_TRUE(e.sidIs(sys::Account::kEveryone));
}

TEST(AccessDescriptor, FullAccessListFillsItsExactSize) {
  sys::AccessDescriptor descriptor(setup::FullAccessList());
  PACL acl = descriptor.Dacl();
  ASSERT_NE(acl, nullptr);
  ACL_SIZE_INFORMATION size = {};
  ASSERT_TRUE(GetAclInformation(acl, &size, sizeof(size), AclSizeInformation));
  EXPECT_EQ(size.AceCount, 2u);
  EXPECT_EQ(size.AclBytesInUse, 52u);
  EXPECT_EQ(size.AclBytesFree, 0u);
  const sys::Account order[] = {sys::Account::kAdministrators, sys::Account::kEveryone};
  for (DWORD i = 0; i < 2; ++i) {
    const RealEntry e = EntryAt(acl, i);
    EXPECT_EQ(e.type, ACCESS_ALLOWED_ACE_TYPE) << i;
    EXPECT_EQ(e.flags, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE) << i;
    EXPECT_EQ(e.mask, static_cast<DWORD>(GENERIC_ALL)) << i;
    EXPECT_TRUE(e.sidIs(order[i])) << i;
  }
  // A capacity too small for the entries builds nothing.
  sys::AccessDescriptor tooSmall(sys::AccessList{27, sys::OpenAccessList().entries});
  EXPECT_EQ(tooSmall.Dacl(), nullptr);
  EXPECT_EQ(tooSmall.Attributes(), nullptr);
}

TEST(ServiceSecurityBackend, OnlyAPresentNonNullListCanBeMergedInto) {
  // A null list lets everyone do everything; merging one entry into it would
  // make a list that allows the Users group only.
  sys::OpenAccessRights rights;
  SECURITY_DESCRIPTOR nullList = {};
  SECURITY_DESCRIPTOR noList = {};
  ASSERT_TRUE(InitializeSecurityDescriptor(&nullList, SECURITY_DESCRIPTOR_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&nullList, TRUE, nullptr, FALSE));
  ASSERT_TRUE(InitializeSecurityDescriptor(&noList, SECURITY_DESCRIPTOR_REVISION));
  struct Case {
    const char* what;
    PSECURITY_DESCRIPTOR descriptor;
    bool found;
  };
  const Case cases[] = {
      {"a list", rights.Attributes()->lpSecurityDescriptor, true},
      {"a null list", &nullList, false},
      {"no list", &noList, false},
  };
  sys::Win32ServiceSecurity system;
  for (const Case& c : cases) {
    sys::ServiceSecurity::Handle dacl = 0;
    EXPECT_EQ(system.DaclOf(reinterpret_cast<sys::ServiceSecurity::Handle>(c.descriptor), &dacl),
              c.found)
        << c.what;
    if (c.found) {
      EXPECT_EQ(dacl, reinterpret_cast<sys::ServiceSecurity::Handle>(rights.Dacl()));
    }
  }
}

TEST(SetupExports, EveryExportIsFoundByItsPlainName) {
  Library setuphelp("setuphelp.dll");
  ASSERT_TRUE(setuphelp.loaded());
  for (const char* name :
       {"bzSetFolderSecurity", "bzSetFullAccessToDir", "bzMyCopyFile", "bzSetSvcControl",
        "SetupTrace"}) {
    EXPECT_NE(setuphelp.Get<void*>(name), nullptr) << name;
  }
  setuphelp.Get<TraceCall>("SetupTrace")("discarded");
  Library quitnow("quitnow.dll");
  ASSERT_TRUE(quitnow.loaded());
  EXPECT_NE(quitnow.Get<void*>("bzQuitnow"), nullptr);
}

TEST(SetupExports, AccessRightsSucceedOnlyOnExistingPaths) {
  Library setuphelp("setuphelp.dll");
  ASSERT_TRUE(setuphelp.loaded());
  const auto folderSecurity = setuphelp.Get<PathCall>("bzSetFolderSecurity");
  const auto fullAccess = setuphelp.Get<PathCall>("bzSetFullAccessToDir");
  ASSERT_TRUE(folderSecurity && fullAccess);
  ScratchFolder folder(TempFolder());
  const std::string file = folder.path() + "\\book.fdt";
  ASSERT_TRUE(WriteBytes(file, "x"));
  const std::string missing = folder.path() + "\\missing";
  struct Case {
    PathCall call;
    const char* name;
    std::string path;
    int expected;
  };
  const Case cases[] = {
      {folderSecurity, "bzSetFolderSecurity", folder.path(), 1},
      {folderSecurity, "bzSetFolderSecurity", file, 1},
      {folderSecurity, "bzSetFolderSecurity", missing, 0},
      {fullAccess, "bzSetFullAccessToDir", folder.path(), 1},
      {fullAccess, "bzSetFullAccessToDir", missing, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.call(c.path.c_str()), c.expected) << c.name << " " << c.path;
  }
  EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SetupExports, CopiesTheConfigurationFileInTextMode) {
  Library setuphelp("setuphelp.dll");
  const auto copy = setuphelp.Get<CopyCall>("bzMyCopyFile");
  ASSERT_NE(copy, nullptr);
  char documents[MAX_PATH + 1] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, documents, 0x002e, FALSE));
  ScratchFolder target(documents);
  ScratchFolder source(TempFolder());
  const std::string longLine(1500, 'x');
  const std::string sourceFile = source.path() + "\\Setup.ini";
  ASSERT_TRUE(WriteBytes(sourceFile, "a\r\nb\nc\r" + longLine + "\n\x1A" "after\r\n"));
  const std::string expected = "a\r\nb\r\nc\r" + longLine + "\r\n";
  const std::string copied = target.path() + "\\Setup.ini";

  copy(sourceFile.c_str(), target.name().c_str(), 0);
  EXPECT_EQ(ReadBytes(copied), expected);
  ASSERT_TRUE(WriteBytes(copied, "changed by a user\r\n"));
  copy(sourceFile.c_str(), target.name().c_str(), 0);
  EXPECT_EQ(ReadBytes(copied), "changed by a user\r\n");
  copy(sourceFile.c_str(), target.name().c_str(), 1);
  EXPECT_EQ(ReadBytes(copied), expected);

  // A folder that does not exist is not created.
  const std::string inMissing = target.name() + "\\missing";
  copy(sourceFile.c_str(), inMissing.c_str(), 1);
  EXPECT_EQ(GetFileAttributesA((target.path() + "\\missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SetupExports, ServiceAccessSucceedsAtOnceOrFailsAfterAboutTenAndAHalfSeconds) {
  Library setuphelp("setuphelp.dll");
  const auto service = setuphelp.Get<PathCall>("bzSetSvcControl");
  ASSERT_NE(service, nullptr);
  // A service every system has. Only under Wine, which keeps no service
  // lists (reads and writes succeed): on Windows this would really change
  // the spooler's rights.
  DWORD start = GetTickCount();
  if (RunningUnderWine()) {
    EXPECT_EQ(service("Spooler"), 1);
    EXPECT_LT(GetTickCount() - start, 5000u);
  }
  start = GetTickCount();
  EXPECT_EQ(service("FaxbookNoSuchService"), 0);
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 10000u);
  EXPECT_LT(elapsed, 20000u);
}

DWORD RunProbe(const std::string& arguments) {
  std::string command = "\"" + ProgramFolder() + "\\quitnow_probe.exe\" " + arguments;
  STARTUPINFOA start = {};
  start.cb = sizeof(start);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                      &process)) {
    return 0xDEAD;
  }
  WaitForSingleObject(process.hProcess, 30000);
  DWORD code = 0xBEEF;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

TEST(QuitNow, EndsTheCallingProcessWithExitCodeZero) {
  for (const char* argument : {"0", "1", "-1", "259"}) {
    EXPECT_EQ(RunProbe(std::string("call ") + argument), 0u) << argument;
  }
  // Loading and freeing the library alone changes nothing.
  EXPECT_EQ(RunProbe(""), 7u);
}

}  // namespace
