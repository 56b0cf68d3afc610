// The picker on the in-memory backends: a Japanese user on Windows XP
// whose machine has both language libraries and the spooler's registry
// values, started by the driver side with its command line. Message texts
// are "[id]" markers ("[id] %s" for those that name a file); the strings
// that name keys, folders and files hold what the libraries hold.
#pragma once

#include <string>
#include <vector>

#include "faxpick/faxpick_app.h"
#include "platform/fake/fake_dialog.h"
#include "platform/fake/fake_file_dialog.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_ini_files.h"
#include "platform/fake/fake_locale_info.h"
#include "platform/fake/fake_network.h"
#include "platform/fake/fake_shell_folders.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/fake_ui.h"
#include "platform/text/locale_equality.h"

namespace picker {

// "[117]" for string 117.
std::string Marker(int id);

class PickerHarness {
 public:
  PickerHarness();

  static constexpr char kDocuments[] = "C:\\Documents and Settings\\user\\My Documents";
  static constexpr char kCommandLine[] = "\"C:\\Spool\\spooler.dll\" \"2.1\"";
  // The registry's spooler key with the libraries' strings 100 and 101.
  static constexpr char kSpoolerKey[] = "SOFTWARE\\Brevant Zelo\\RelayFAX\\Spooler";

  PickerServices Services();
  // Runs the whole program; the user acts in the destination dialog.
  int Run(ui::FakeDialogRunner::Script script, const std::string& commandLine = kCommandLine);

  // Where the XP machine keeps the exchange file, its settings and the
  // personal book.
  std::string ExchangePath() const;
  std::string SettingsPath() const;
  std::string PersonalBook() const;

  // The personal book: the header, then the lines with CR LF.
  void SetPersonalBook(const std::vector<std::string>& lines);
  // The exchange file's bytes (CR LF lines); null when there is none.
  const std::string* ExchangeBytes() const { return files.File(ExchangePath()); }
  std::vector<std::string> Messages() const;

  sys::FakeFileSystem files;
  sys::FakeIniFiles ini{&files};
  sys::FakeRegistry registry;
  sys::FakeSystemInfo system;
  sys::FakeShellFolders shell;
  sys::FakeNetwork network;
  sys::FakeLocaleInfo locale;
  ui::FakeResources resources;
  ui::FakeMessageBoxes boxes;
  ui::FakeHelp help;
  ui::FakeDialogRunner dialogs{&boxes};
  ui::FakeFileDialogs fileDialogs;
  ui::FakeWaitCursor cursor;
  text::PortableLocaleEquality equality{932};
};

// A book file: the header, then each line with CR LF.
std::string Book(const std::vector<std::string>& lines);
// An INI file of CR LF lines.
std::string Lines(const std::vector<std::string>& lines);

}  // namespace picker
