// The picker's entry point: the real system services and windows behind
// the application object. The command line is the part after the
// program's name, as the fax driver side writes it.
#include <windows.h>
#include <commctrl.h>

#include "faxpick/faxpick_app.h"
#include "platform/win32/win32_dialog.h"
#include "platform/win32/win32_file_dialog.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_ini_files.h"
#include "platform/win32/win32_locale_equality.h"
#include "platform/win32/win32_network.h"
#include "platform/win32/win32_shell_folders.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_ui_services.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  sys::Win32FileSystem files;
  sys::Win32IniFiles ini;
  sys::Win32Registry registry;
  sys::Win32SystemInfo system;
  sys::Win32ShellFolders shell;
  sys::Win32Network network;
  sys::Win32LocaleInfo locale;
  ui::Win32Resources resources(instance);
  ui::Win32MessageBoxes messages;
  ui::Win32Help help;
  ui::Win32DialogRunner dialogs(&resources);
  ui::Win32FileDialogs fileDialogs;
  ui::Win32WaitCursor waitCursor;
  text::Win32LocaleEquality equality;

  picker::PickerServices services;
  services.files = &files;
  services.ini = &ini;
  services.registry = &registry;
  services.system = &system;
  services.shell = &shell;
  services.network = &network;
  services.locale = &locale;
  services.resources = &resources;
  services.messages = &messages;
  services.help = &help;
  services.dialogs = &dialogs;
  services.fileDialogs = &fileDialogs;
  services.waitCursor = &waitCursor;
  services.localeEquality = &equality;

  picker::CFaxpickApp app(services);
  return app.Run(commandLine ? commandLine : "");
}
