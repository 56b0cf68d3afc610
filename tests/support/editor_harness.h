// The editor on the in-memory backends: every service a fake, the strings
// of the editor's ids as "[id]" markers (so tests can tell which message
// was shown), and a book of a few entries to load.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "faxbook/shell/faxbook_app.h"
#include "platform/fake/fake_dialog.h"
#include "platform/fake/fake_file_dialog.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_frame.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/fake_ui.h"
#include "platform/text/portable_collation.h"

// "[61230]" for string 61230; "%s" kept where the real text formats.
std::string Marker(int id);

class EditorHarness {
 public:
  EditorHarness();

  // The Windows XP machine of a Japanese user with an installed editor:
  // FileName names the old book, no Language value.
  static constexpr char kOldBook[] = "C:\\Program Files\\RelayFax\\address.fdt";
  static constexpr char kDocuments[] = "C:\\Documents and Settings\\user\\My Documents";

  // InitApplication and InitInstance, as WinMain runs them.
  bool Start();

  void SetLanguage(const std::string& name);
  // The book the old location holds (seeds a new data file).
  void SetOldBook(const std::string& bytes) { files.SetFile(kOldBook, bytes); }
  std::string DataFile() const;

  CAddrConfigView& View() { return *app->View(); }
  CAddrConfigDoc& Document() { return *app->Document(); }
  store::Book& TheBook() { return app->Document()->Book(); }
  int LangId() const { return app->Settings().langId; }
  // The group dialog's OK on the book's first group without a change, as a
  // user may press it: the group takes a slot anew, so the book counts as
  // modified and still writes the same file.
  void TouchFirstGroup();
  // Every entry deleted, in one step.
  void ClearBook();
  CMainFrame& Frame() { return *app->Frame(); }
  ui::FakeListControl& List() { return host.FakeList(1000); }
  std::vector<std::string> Column(int column) { return List().ColumnTexts(column); }
  // The texts of the message boxes shown so far.
  std::vector<std::string> Messages() const;
  const std::string& CountPane() { return host.PaneText(host.StatusPaneCount() - 1); }

  sys::FakeFileSystem files;
  sys::FakeRegistry registry;
  sys::FakeSystemInfo system;
  sys::FakeFolders folders;
  sys::FakeInstance instance;
  ui::FakeResources resources;
  ui::FakeMessageBoxes boxes;
  ui::FakeWaitCursor cursor;
  ui::FakeHelp help;
  ui::FakeDialogRunner dialogs{&boxes};
  ui::FakeFileDialogs fileDialogs;
  ui::FakeFrameHost host;
  std::unique_ptr<text::PortableCollation> collation;
  std::unique_ptr<CFaxbookApp> app;
};

// The header line and CR LF.
std::string BookHeader();
// A book file: the header, then each line with CR LF.
std::string Book(const std::vector<std::string>& lines);
