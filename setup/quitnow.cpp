// quitnow.dll: one export with which the installer ends its own process at
// once. Loading the library has no effect.
#include <windows.h>

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// Ends the calling process with exit code 0 and never returns; the argument
// is ignored. Ending the process detaches every library, this one included,
// which runs the library's own exit handlers and static destructors.
__declspec(noreturn) void WINAPI bzQuitnow(int) { ExitProcess(0); }

}  // extern "C"
