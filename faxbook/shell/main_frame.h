// The main frame: menu, accelerators, toolbar and status bar around the
// address list view. It holds the interface language, the list font and the
// help path, routes commands (view first, then the frame, then the
// application), maps help requests to the help file, and asks about unsaved
// changes before the editor closes.
#pragma once

#include <string>
#include <vector>

#include "faxbook/editing/editor_services.h"
#include "platform/ui/frame.h"

class CAddrConfigView;
class CFaxbookApp;

class CMainFrame : public ui::FrameEvents {
 public:
  CMainFrame(const EditorServices& services, CFaxbookApp* app);

  void SetView(CAddrConfigView* view) { view_ = view; }

  // --- ui::FrameEvents ------------------------------------------------------
  // Toolbar, the apply item greyed, status bar, docking, icons, language,
  // list font and help path, in that order. False when the toolbar or the
  // status bar cannot be created.
  bool OnCreate(ui::FrameWindow& window) override;
  void OnCommand(int id) override;
  ui::CommandState QueryCommand(int id) override;
  // With unsaved changes asks whether to save them first (Yes applies, No
  // discards, Cancel keeps the editor open); then sends 0x403 to the window
  // titled with the application title.
  bool OnCloseRequest() override;
  void OnHelp(unsigned long data) override;

  int LangId() const { return langId_; }
  int CodePage() const { return codePage_; }
  // The Central European list font (code page 1250 only), else 0.
  ui::FontHandle ListFont() const { return listFont_; }
  // The icons of the list rows: address (image 0) and group (image 1).
  std::vector<int> ListIcons() const;
  const std::string& HelpPath() const { return helpPath_; }
  ui::FrameWindow* Window() { return window_; }

  // Asks 61226 when the book is modified. True when the caller may go on:
  // No, or Yes and the book was applied.
  bool SaveChangesFirst();

 private:
  void ShowHelp(unsigned long data);
  void NewFile();

  EditorServices services_;
  CFaxbookApp* app_;
  CAddrConfigView* view_ = nullptr;
  ui::FrameWindow* window_ = nullptr;
  int langId_ = 1041;
  int codePage_ = 932;
  ui::FontHandle listFont_ = 0;
  std::string helpPath_;
};
