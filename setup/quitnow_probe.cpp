// Test helper: loads quitnow.dll from its own folder. With "call N" it calls
// bzQuitnow(N) by name; without, it only loads and frees the library.
// Exit codes of its own: 2 library not loaded, 4 export missing,
// 3 bzQuitnow returned, 7 loaded and freed.
#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  HMODULE library = LoadLibraryA("quitnow.dll");
  if (!library) return 2;
  if (argc >= 3 && std::strcmp(argv[1], "call") == 0) {
    using Quit = void(WINAPI*)(int);
    auto quit = reinterpret_cast<Quit>(
        reinterpret_cast<void*>(GetProcAddress(library, "bzQuitnow")));
    if (!quit) return 4;
    quit(std::atoi(argv[2]));
    return 3;
  }
  FreeLibrary(library);
  return 7;
}
