#include "platform/win32/win32_service_security.h"

#include <windows.h>
#include <aclapi.h>

#include <vector>

#include "platform/win32/well_known_sid.h"

namespace sys {
namespace {

SC_HANDLE AsService(ServiceSecurity::Handle h) { return reinterpret_cast<SC_HANDLE>(h); }
ServiceSecurity::Handle AsHandle(const void* p) { return reinterpret_cast<ServiceSecurity::Handle>(p); }

}  // namespace

ServiceSecurity::Handle Win32ServiceSecurity::OpenManager() {
  return AsHandle(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
}

ServiceSecurity::Handle Win32ServiceSecurity::OpenServiceByName(Handle manager,
                                                          const std::string& name) {
  return AsHandle(OpenServiceA(AsService(manager), name.c_str(), READ_CONTROL | WRITE_DAC));
}

bool Win32ServiceSecurity::Close(Handle handle) {
  return CloseServiceHandle(AsService(handle)) != FALSE;
}

void Win32ServiceSecurity::Wait(unsigned milliseconds) { Sleep(milliseconds); }

ServiceSecurity::ReadResult Win32ServiceSecurity::ReadDacl(Handle service, Handle* descriptor) {
  SECURITY_DESCRIPTOR probe = {};
  DWORD needed = 0;
  if (QueryServiceObjectSecurity(AsService(service), DACL_SECURITY_INFORMATION, &probe, 0,
                                 &needed) ||
      GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return ReadResult::kFailed;
  }
  void* buffer = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, needed);
  if (!buffer) return ReadResult::kNoBuffer;
  if (!QueryServiceObjectSecurity(AsService(service), DACL_SECURITY_INFORMATION, buffer, needed,
                                  &needed)) {
    HeapFree(GetProcessHeap(), 0, buffer);
    return ReadResult::kFailed;
  }
  *descriptor = AsHandle(buffer);
  return ReadResult::kOk;
}

bool Win32ServiceSecurity::DaclOf(Handle descriptor, Handle* dacl) {
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL list = nullptr;
  if (!GetSecurityDescriptorDacl(reinterpret_cast<PSECURITY_DESCRIPTOR>(descriptor), &present,
                                 &list, &defaulted) ||
      !present || !list) {
    return false;
  }
  *dacl = AsHandle(list);
  return true;
}

bool Win32ServiceSecurity::AccountName(Account account, std::string* name) {
  WellKnownSid sid(account);
  if (!sid.get()) return false;
  char user[260] = {};
  char domain[260] = {};
  DWORD userLength = sizeof(user);
  DWORD domainLength = sizeof(domain);
  SID_NAME_USE use = SidTypeUnknown;
  if (!LookupAccountSidA(nullptr, sid.get(), user, &userLength, domain, &domainLength, &use)) {
    return false;
  }
  name->assign(user);
  return true;
}

bool Win32ServiceSecurity::MergeEntry(Handle dacl, const ExplicitAccess& entry,
                                      Handle* merged) {
  std::vector<char> trustee(entry.trustee.begin(), entry.trustee.end());
  trustee.push_back('\0');
  EXPLICIT_ACCESS_A access = {};
  BuildExplicitAccessWithNameA(&access, trustee.data(), entry.permissions, SET_ACCESS,
                               entry.inheritance);
  PACL result = nullptr;
  if (SetEntriesInAclA(1, &access, reinterpret_cast<PACL>(dacl), &result) != ERROR_SUCCESS) {
    return false;
  }
  *merged = AsHandle(result);
  return true;
}

ServiceSecurity::StoreResult Win32ServiceSecurity::StoreDacl(Handle service, Handle dacl) {
  SECURITY_DESCRIPTOR descriptor = {};
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) {
    return StoreResult::kDescriptorNotInitialised;
  }
  if (!SetSecurityDescriptorDacl(&descriptor, TRUE, reinterpret_cast<PACL>(dacl), FALSE)) {
    return StoreResult::kDaclNotSet;
  }
  if (!SetServiceObjectSecurity(AsService(service), DACL_SECURITY_INFORMATION, &descriptor)) {
    return StoreResult::kFailed;
  }
  return StoreResult::kOk;
}

void Win32ServiceSecurity::FreeAcl(Handle dacl) { LocalFree(reinterpret_cast<HLOCAL>(dacl)); }

void Win32ServiceSecurity::FreeDescriptor(Handle descriptor) {
  HeapFree(GetProcessHeap(), 0, reinterpret_cast<void*>(descriptor));
}

}  // namespace sys
