// The editor's application object: keeps a single instance, chooses the
// resource source, checks the installation, finds the data folder and
// creates the document, frame and view.
#pragma once

#include <memory>
#include <string>

#include "faxbook/shell/conflict_dialog.h"
#include "faxbook/shell/addr_config_doc.h"
#include "faxbook/shell/addr_config_view.h"
#include "faxbook/editing/editor_services.h"
#include "faxbook/editing/entry_commands.h"
#include "faxbook/export/csv_export_commands.h"
#include "faxbook/import/csv_import_commands.h"
#include "faxbook/import/book_import_commands.h"
#include "faxbook/bulk/bulk_edit_commands.h"
#include "faxbook/shell/main_frame.h"
#include "faxbook/shell/message_alerts.h"
#include "faxbook/shell/startup_info.h"
#include "platform/ui/frame.h"

// The named mutex that keeps the editor single, and its language library.
inline constexpr char kInstanceMutex[] = "FaxbookData Edit";
inline constexpr char kLanguageLibrary[] = "ledgresLC.dll";

class CFaxbookApp {
 public:
  explicit CFaxbookApp(const EditorServices& services);
  ~CFaxbookApp();

  // The single-instance check: false when another editor runs (its window
  // is raised) or the mutex cannot be created; the program then ends.
  bool InitApplication();
  // Language library, special folder, installation check (message 61264
  // and false when the registry lacks "FileName"), then the frame and its
  // view, which loads the book; titles and shows the frame. False ends the
  // program.
  bool InitInstance(ui::FrameHost& host);
  // Closes the mutex.
  int ExitInstance();


  int SystemClass() const { return startup_.systemClass; }
  const std::string& SpecialFolder() const { return startup_.specialFolder; }
  CAddrConfigDoc* Document() { return document_.get(); }
  const EditorSettings& Settings() const { return settings_; }
  CMainFrame* Frame() { return frame_.get(); }
  CAddrConfigView* View() { return view_.get(); }

 private:
  void FindSpecialFolder();
  bool CheckInstallation();

  EditorServices services_;
  MessageBoxAlerts alerts_;
  StartupInfo startup_;
  EditorSettings settings_;
  std::unique_ptr<CAddrConfigDoc> document_;
  std::unique_ptr<CConflictChooser> conflictChooser_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<CAddrConfigView> view_;
  // The view's command sets.
  std::unique_ptr<CEntryCommands> entryCommands_;
  std::unique_ptr<CCsvImportCommands> csvImport_;
  std::unique_ptr<CCsvExportCommands> csvExport_;
  std::unique_ptr<CBookImportCommands> bookImportCommands_;
  std::unique_ptr<CBulkEditCommands> bulkEditCommands_;
  std::unique_ptr<CommandContext> commandContext_;
};
