// The exports of setuphelp.dll, called by the installer by name. Each takes
// its arguments on the stack (stdcall on 32-bit Windows) and returns a
// 32-bit value; strings are ANSI. No exception leaves an export.
#include <windows.h>

#include "platform/win32/win32_secure_files.h"
#include "platform/win32/win32_service_security.h"
#include "setup/config_copy.h"
#include "setup/folder_security.h"
#include "setup/service_access.h"

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// Receives the progress and error texts of bzSetSvcControl and discards
// them: the library writes no log.
void WINAPI SetupTrace(LPCSTR) {}

int WINAPI bzSetFolderSecurity(LPCSTR path) {
  if (!path) return 0;
  try {
    sys::Win32SecureFiles files;
    return setup::SetFolderSecurity(files, path);
  } catch (...) {
    return 0;
  }
}

int WINAPI bzSetFullAccessToDir(LPCSTR path) {
  if (!path) return 0;
  try {
    sys::Win32SecureFiles files;
    return setup::SetFullAccessToDir(files, path);
  } catch (...) {
    return 0;
  }
}

// The result carries no information: callers must not test it.
int WINAPI bzMyCopyFile(LPCSTR source, LPCSTR folder, int overwrite) {
  if (!source || !folder) return 0;
  try {
    sys::Win32SecureFiles files;
    setup::CopyConfigFile(files, files, static_cast<int>(GetACP()), source, folder, overwrite);
  } catch (...) {
  }
  return 0;
}

int WINAPI bzSetSvcControl(LPCSTR service) {
  if (!service) return 0;
  try {
    sys::Win32ServiceSecurity system;
    return setup::SetServiceControl(system, service, [](const char* text) { SetupTrace(text); });
  } catch (...) {
    return 0;
  }
}

}  // extern "C"
