// The editor's entry point: the real system services and windows behind
// the application object.
#include <windows.h>
#include <commctrl.h>

#include "faxbook/shell/faxbook_app.h"
#include "platform/win32/win32_collation.h"
#include "platform/win32/win32_dialog.h"
#include "platform/win32/win32_file_dialog.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_frame.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_ui_services.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                         ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  sys::Win32FileSystem files;
  sys::Win32Registry registry;
  sys::Win32SystemInfo system;
  sys::Win32Folders folders;
  sys::Win32Instance single;
  ui::Win32Resources resources(instance);
  ui::Win32MessageBoxes messages;
  ui::Win32WaitCursor waitCursor;
  ui::Win32Help help;
  ui::Win32DialogRunner dialogs(&resources);
  ui::Win32FileDialogs fileDialogs;
  text::Win32Collation collation;
  ui::Win32FrameHost host(instance, &resources);
  host.OnFrameWindow([&](HWND frame) {
    messages.SetOwner(frame);
    help.SetOwner(frame);
    dialogs.SetOwner(frame);
    fileDialogs.SetOwner(frame);
  });

  EditorServices services;
  services.files = &files;
  services.registry = &registry;
  services.system = &system;
  services.folders = &folders;
  services.instance = &single;
  services.resources = &resources;
  services.messages = &messages;
  services.waitCursor = &waitCursor;
  services.help = &help;
  services.dialogs = &dialogs;
  services.fileDialogs = &fileDialogs;
  services.collation = &collation;

  CFaxbookApp app(services);
  if (!app.InitApplication()) return 0;
  if (!app.InitInstance(host)) {
    app.ExitInstance();
    return 0;
  }
  const int code = host.RunMessageLoop();
  app.ExitInstance();
  return code;
}
